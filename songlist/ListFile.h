#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace melorit::songlist {

// List files (".m3u", ".mpl"): one song path per line. Lines starting with
// "#" (extended M3U) and lines that do not end in ".mid", ".kar" or "midi"
// (any case) are skipped. Entries may be written with "\" or "/"; relative
// entries are taken from the list file's folder.

// The entries of a list file's text, resolved against the list's folder.
QStringList parseListFile(const QByteArray &bytes, const QString &listFile);

// The text of a list file for the given songs: paths under the list file's
// folder are written relative to it, others as they are. CR LF line ends;
// Windows-1252 when every path fits in it (as older lists are), else UTF-8.
QByteArray formatListFile(const QStringList &songs, const QString &listFile);

// Reads a list file; nothing when it cannot be read.
std::optional<QStringList> readListFile(const QString &listFile);

// Writes a list file atomically; false when it cannot be written.
bool writeListFile(const QStringList &songs, const QString &listFile);

// The name a song is shown with: the file name without its extension, "_"
// as a space, "%hh" as the character of code hh (20 to 7F), any other "%"
// as a space.
QString SongDisplayName(const QString &path);

// True when a list line names a song by its ending.
bool isSongEntry(const QString &line);

} // namespace melorit::songlist
