// The lyrics analysis of any MIDI bytes: no crash, and tables that hold
// together: every syllable on an existing line and inside that line's bytes,
// lines in order, the melody channel a MIDI channel or none.

#include "fuzz/SongLyrics.h"

#include <cmath>

using namespace melorit;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto song = fuzz::analyse(std::span<const std::uint8_t>(data, size));
    if (!song) {
        return 0;
    }
    const lyrics::LyricsModel &model = song->lyrics;
    if (model.nCanalLyrics() < -1 || model.nCanalLyrics() > 15) {
        __builtin_trap();
    }
    if (model.LyricsTrack() >= song->file->trackCount()) {
        __builtin_trap();
    }
    if (model.LyricsTrack() < 0 && model.SyllableCount() != 0) {
        __builtin_trap();
    }
    for (int i = 1; i <= model.SyllableCount(); ++i) {
        const lyrics::LyricSyllable &s = model.syllable(i);
        if (s.Line < 1 || s.Line > model.LineCount() || s.Start < 0 || s.Length < 0 ||
            !std::isfinite(s.Time)) {
            __builtin_trap();
        }
        const QByteArray &line = model.line(s.Line).LineText;
        if (qsizetype(s.Start) + s.Length > line.size()) {
            __builtin_trap();
        }
        (void)model.ConvertCharset(model.syllableBytes(i));
    }
    for (int i = 1; i <= model.LineCount(); ++i) {
        (void)model.ConvertCharset(model.line(i).LineText);
    }
    (void)model.ConvertCharset(model.TagTitle());
    (void)model.ConvertCharset(model.TagArtist());
    return 0;
}
