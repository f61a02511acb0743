// The list-file reader on any bytes: every entry it gives is a song path, and
// a list written from those entries (their singers included) reads back as
// the same entries. No entry or singer holds a line end of any kind.

#include "songlist/ListFile.h"

#include <cstddef>
#include <cstdint>

using namespace melorit::songlist;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString listFile = QStringLiteral("/music/lists/fuzz.m3u");
    const QList<ListEntry> entries = parseListEntries(bytes, listFile);
    for (const ListEntry &entry : entries) {
        const QString &song = entry.path;
        if (!isSongEntry(song) || song.contains(u'\n') || song.contains(u'\r') ||
            entry.singer.contains(u'\n') || entry.singer.contains(u'\r')) {
            __builtin_trap();
        }
        (void)SongDisplayName(song);
    }
    if (parseListFile(bytes, listFile) != pathsOf(entries)) {
        __builtin_trap();
    }
    const QByteArray written = formatListFile(entries, listFile);
    if (parseListEntries(written, listFile) != entries) {
        __builtin_trap();
    }
    return 0;
}
