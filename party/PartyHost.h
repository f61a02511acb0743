#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace melorit::lyrics {
class LyricsModel;
} // namespace melorit::lyrics

namespace melorit::songlist {
class SongList;
} // namespace melorit::songlist

namespace melorit::party {

// What the party screen reads from the program around it. UI thread.
struct PartyHost {
    songlist::SongList *songs = nullptr;
    // The lyrics of the song being heard (title and artist too).
    const lyrics::LyricsModel *model = nullptr;
    // The 1-based playlist entry being heard, or that Play would start
    // while nothing plays; 0 for none.
    std::function<int()> currentEntry;
    // The entry heard after the current one ends; 0 for none. While
    // nothing plays it is not asked: the current entry is the next.
    std::function<int()> followingEntry;
    std::function<QString()> languageFile;
    // The main window: the screen it is on is the one the lyrics leave
    // free by default.
    std::function<QWidget *()> mainWindow;
    // The configuration file ("" is "Melorit.ini").
    QString configFile;
};

} // namespace melorit::party
