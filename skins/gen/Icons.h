#pragma once

#include <QPainterPath>

// Button icons of the skin, as filled outlines on a 16 x 16 grid.
namespace melorit::skins::gen {

enum class Icon {
    Previous,
    Stop,
    Next,
    Play,
    Record,
    Open,
    Help,
    Markers,
    ChannelPanel,
    EffectsPanel,
    Repeat,
    Setup,
    StartMarker,
    EndMarker,
    Lyrics,
    Playlist,
    SoundFont,
    Close,
    Minimise,
    Add,
    Remove,
    LoadList,
    SaveList,
    PlaySelected,
    Shuffle,
    Note,
    Drum,
    Pause,
};

QPainterPath iconPath(Icon icon);

} // namespace melorit::skins::gen
