#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace melorit::lyrics {

// Kinds of marks (meta events with text) the lyrics can travel in.
inline constexpr int kMarkLyric = 2; // lyric meta events (FF 05)
inline constexpr int kMarkText = 3;  // text meta events (FF 01)

struct SourceMark {
    int track = 0;
    std::int64_t bytePos = 0; // position in bytes of the decoded song
    QByteArray text;          // raw bytes as stored in the file
};

struct SourceNote {
    int channel = 0;
    std::int64_t tick = 0;
    int velocity = 0; // 0 for a note-off
};

// What the lyrics analysis asks of an open song. Marks of one type are
// numbered from 0 in time order across all tracks, the numbers the stream's
// lyric notifications report.
class LyricsSource {
public:
    virtual ~LyricsSource() = default;
    virtual int trackCount() const = 0;
    virtual std::optional<SourceMark> mark(int type, int index) const = 0;
    virtual double bytesToSeconds(std::int64_t bytePos) const = 0;
    virtual std::int64_t tickAtByte(std::int64_t bytePos) const = 0;
    virtual std::vector<SourceNote> noteEvents(int track) const = 0;
};

} // namespace melorit::lyrics
