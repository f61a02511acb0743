#pragma once

#include "base/WindowOffset.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <functional>

namespace melorit::lyrics {

class LyricsModel;

// What the lyrics window reads from and tells the program around it. Every
// member may be left empty; the window then does without. UI thread.
struct LyricsWindowHost : MainWindowLink {
    // The song's lyrics; nullptr before the first song.
    const LyricsModel *model = nullptr;
    // The position being heard, in MIDI ticks. Called once per frame while
    // listening; it must not wait for the audio thread.
    std::function<std::int64_t()> currentTick;
    // A song is playing for listening (not before the first song, not while
    // a song is rendered to a file).
    std::function<bool()> listening;
    // The song is paused: the frame holds, the flash of the syllable too.
    std::function<bool()> paused;
    // Space in the window: pause or go on, as in the main window.
    std::function<void()> pauseKey;
    // The current song's settings file; "" without a song, which reads and
    // writes the configuration file instead.
    std::function<QString()> songSettingsFile;
    // The configuration file ("" is "Melorit.ini") and the language file.
    QString configFile;
    std::function<QString()> languageFile;
    // Draws the main window's lyrics button (button 46) on or off.
    std::function<void(bool on)> drawLyricsButton;
    // The program is shutting down: closing really closes.
    std::function<bool()> shuttingDown;
};

} // namespace melorit::lyrics
