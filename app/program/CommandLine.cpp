#include "app/program/CommandLine.h"

#include "base/TextUtil.h"

namespace melorit::program {

QStringList splitCommandLine(const QString &text)
{
    const QChar quote(u'"');
    const QStringList pieces =
        text.contains(quote) ? text.split(QStringLiteral("\" \"")) : text.split(QChar(u' '));
    QStringList songs;
    for (const QString &piece : pieces) {
        const QString song = text::StripQuotes(piece);
        if (!song.isEmpty()) {
            songs.append(song);
        }
    }
    return songs;
}

QStringList songArguments(const QStringList &arguments)
{
    QStringList songs;
    for (const QString &argument : arguments) {
        if (argument.contains(QChar(u'"'))) {
            songs.append(splitCommandLine(argument));
            continue;
        }
        const QString song = argument.trimmed();
        if (!song.isEmpty()) {
            songs.append(song);
        }
    }
    return songs;
}

StartArguments startArguments(const QStringList &arguments)
{
    StartArguments start;
    QStringList songs;
    bool options = true;
    for (const QString &argument : arguments) {
        if (options && argument == u"--") {
            options = false;
        } else if (options && argument == kLyricsFullScreenOption) {
            start.lyricsFullScreen = true;
        } else {
            songs.append(argument);
        }
    }
    start.songs = songArguments(songs);
    return start;
}

} // namespace melorit::program
