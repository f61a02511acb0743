// The list-file reader on any bytes: every entry it gives is a song path, and
// a list written from those entries reads back as the same entries. No entry
// holds a line end of any kind.

#include "songlist/ListFile.h"

#include <cstddef>
#include <cstdint>

using namespace melorit::playlist;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString listFile = QStringLiteral("/music/lists/fuzz.m3u");
    const QStringList songs = parseListFile(bytes, listFile);
    for (const QString &song : songs) {
        if (!isSongEntry(song) || song.contains(u'\n') || song.contains(u'\r')) {
            __builtin_trap();
        }
        (void)SongDisplayName(song);
    }
    const QByteArray written = formatListFile(songs, listFile);
    if (parseListFile(written, listFile) != songs) {
        __builtin_trap();
    }
    return 0;
}
