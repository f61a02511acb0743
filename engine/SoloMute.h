#pragma once

#include "engine/MixState.h"

// The solo and mute rules of the mixer: the level each channel gets, the
// clicks on the solo and mute buttons, and the states the buttons are drawn in.
namespace melorit::engine {

// Mouse buttons as the pointer handlers report them.
enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

// True when the channel is the melody channel silenced by AutoMute (the user
// has not asked to hear it).
bool isAutoMuted(const MixState &state, int channel);

// The mix level the channel gets with the given volume: the volume unless the
// channel is muted or auto-muted, else 0.
int levelWithVolume(const MixState &state, int channel, int volume);
// The mix level with the channel's own volume.
int levelOf(const MixState &state, int channel);

// Solo derived from the mutes: the only channel left unmuted is the soloed one.
void recomputeSolo(MixState &state);

// A click on the mute button of a channel (PicSM 16-31).
void muteClick(MixState &state, int channel, MouseButton button);
// A click on the solo button of a channel (PicSM 0-15).
void soloClick(MixState &state, int channel, MouseButton button);

// Image states of the buttons (0-3).
int soloButtonState(const MixState &state, int channel);
int muteButtonState(const MixState &state, int channel);

} // namespace melorit::engine
