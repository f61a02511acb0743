#pragma once

#include "skins/SkinSheets.h"

#include <optional>

// Which cell of the button sheet (103) a picture button shows (`DrawSM`).
namespace melorit::skins {

// Button indexes of the main window.
inline constexpr int kFirstSoloButton = 0;  // 0..15 solo, channel = index
inline constexpr int kFirstMuteButton = 16; // 16..31 mute, channel = index - 16
inline constexpr int kFirstCommandButton = 32;
inline constexpr int kLastCommandButton = 50;
inline constexpr int kPlayButton = 35;
inline constexpr int kRepeatButton = 42;
// The play button's state while the song is paused.
inline constexpr int kPausedState = 2;

// Button indexes of the playlist window.
inline constexpr int kFirstPlaylistButton = 48;
inline constexpr int kLastPlaylistButton = 54;
inline constexpr int kPlaylistRepeatButton = 54;

// Button states: 0 released/off, 1 pressed/on; solo and mute buttons use 0
// and 3 (off, lit) and, for the lyrics channel's mute button, 1 (the voice
// is muted automatically) and 2 (the voice is heard); the repeat buttons take
// the repeat mode 0, 2 (this song) or 3 (whole list); the play button takes
// kPausedState while the song is paused.
//
// Main window: solo/mute buttons 24 x 12 (state 0..3), buttons 32-37 32 x 32,
// 38-50 24 x 24, the repeat button 42 with its own cells for modes 2 and 3.
// The sheet holds two rows (released, pressed/on) for the command buttons, so
// any other state of a command button draws as the nearer of the two (the
// play button has a cell of its own for kPausedState), and the repeat
// button's state is limited to 0..3. Nothing for an index outside 0..50.
std::optional<Frame> mainButtonFrame(int index, int state);

// Playlist window, buttons 48-54, 24 x 24 cells from the same sheet; a
// negative state counts as 0, and states beyond the two rows as 1. The repeat
// button 54 uses the repeat cells: 0 off, 1 or 3 whole list, 2 this song.
std::optional<Frame> playlistButtonFrame(int index, int state);

} // namespace melorit::skins
