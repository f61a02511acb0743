#pragma once

namespace melorit::engine {

class Player;

// The conversion of the player's current song into an audio file, started
// by OpenSong(false). The export subsystem implements it; the player only
// knows that someone renders. UI thread.
class SongRendering {
public:
    virtual ~SongRendering() = default;
    // The current song is set (SongPath, SongSettingsFile) and no stream is
    // open. Opens it with Player::openRenderingStream and converts it.
    virtual void render(Player &player) = 0;
};

} // namespace melorit::engine
