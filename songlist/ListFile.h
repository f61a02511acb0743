#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace melorit::songlist {

// List files (".m3u", ".mpl"): one song path per line. Lines starting with
// "#" (extended M3U) and lines that do not end in ".mid", ".kar" or "midi"
// (any case) are skipped. Entries may be written with "\" or "/"; relative
// entries are taken from the list file's folder.
//
// A singer's name travels as a comment line just before the entry it
// belongs to ("#SINGER:Anna"): other players and older readers skip it as
// any comment, so the list's songs read the same everywhere.

// One entry of a list: the song and who sings it ("" = nobody named).
struct ListEntry {
    QString path;
    QString singer;
    bool operator==(const ListEntry &) const = default;
};

// The comment that names the singer of the next entry (any case on reading).
inline constexpr QStringView kSingerComment = u"#SINGER:";

// A name as a list keeps it: one line, without outer blanks.
QString cleanSingerName(const QString &name);

// The entries of a list file's text, resolved against the list's folder,
// with the singers their comments name.
QList<ListEntry> parseListEntries(const QByteArray &bytes, const QString &listFile);
// The songs alone.
QStringList parseListFile(const QByteArray &bytes, const QString &listFile);

// The text of a list file for the given entries: paths under the list file's
// folder are written relative to it, others as they are; a singer comment
// before each entry that has a singer, so a list without singers is written
// exactly as a list of songs alone. CR LF line ends; Windows-1252 when every
// line fits in it (as older lists are), else UTF-8.
QByteArray formatListFile(const QList<ListEntry> &entries, const QString &listFile);
QByteArray formatListFile(const QStringList &songs, const QString &listFile);

// Reads a list file; nothing when it cannot be read.
std::optional<QList<ListEntry>> readListEntries(const QString &listFile);
std::optional<QStringList> readListFile(const QString &listFile);

// Writes a list file atomically; false when it cannot be written.
bool writeListFile(const QList<ListEntry> &entries, const QString &listFile);
bool writeListFile(const QStringList &songs, const QString &listFile);

// The entries of songs without singers.
QList<ListEntry> entriesOf(const QStringList &songs);
QStringList pathsOf(const QList<ListEntry> &entries);

// The name a song is shown with: the file name without its extension, "_"
// as a space, "%hh" as the character of code hh (20 to 7F), any other "%"
// as a space.
QString SongDisplayName(const QString &path);

// True when a list line names a song by its ending.
bool isSongEntry(const QString &line);

} // namespace melorit::songlist
