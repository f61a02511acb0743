#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The songs given to the program when it starts.
namespace melorit::program {

// The song paths of a command-line text: when the text holds a double quote
// it is split at every `" "` (quote, space, quote), otherwise at every space;
// each piece loses its surrounding blanks and quotes. Empty pieces (two
// spaces in a row, an empty text) name no song and are left out.
QStringList splitCommandLine(const QString &text);

// The song paths of the program's arguments. The shell has already split the
// command line, so each argument is one path, spaces included; only an
// argument that still holds double quotes (a whole quoted command line
// handed over as one argument) is split by the rule above.
QStringList songArguments(const QStringList &arguments);

// The program's own options and its songs.
struct StartArguments {
    // --lyrics-fullscreen: the lyrics window shows full screen at once.
    bool lyricsFullScreen = false;
    QStringList songs;
};
inline constexpr QStringView kLyricsFullScreenOption = u"--lyrics-fullscreen";

// The arguments (without the program's name, Qt's own options removed):
// the options before a "--", which only ends them, and the songs (see
// songArguments).
StartArguments startArguments(const QStringList &arguments);

} // namespace melorit::program
