#pragma once

// Reading of the bytes of one track chunk into song events. Internal to the
// MIDI file reader.

#include "audio/MidiFileData.h"

#include <optional>
#include <span>
#include <vector>

namespace melorit::audio::detail {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    std::size_t pos() const { return m_pos; }
    std::size_t remaining() const { return m_bytes.size() - m_pos; }
    std::uint8_t peek() const { return m_bytes[m_pos]; }

    std::optional<std::uint8_t> u8()
    {
        if (atEnd()) {
            return std::nullopt;
        }
        return m_bytes[m_pos++];
    }

    // A variable-length quantity of at most four bytes.
    std::optional<std::uint32_t> varLen()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            auto byte = u8();
            if (!byte) {
                return std::nullopt;
            }
            value = (value << 7) | (*byte & 0x7Fu);
            if ((*byte & 0x80) == 0) {
                return value;
            }
        }
        return std::nullopt;
    }

    std::optional<std::span<const std::uint8_t>> take(std::size_t count)
    {
        if (count > remaining()) {
            return std::nullopt;
        }
        auto result = m_bytes.subspan(m_pos, count);
        m_pos += count;
        return result;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};

inline std::uint32_t bigEndian(std::span<const std::uint8_t> bytes)
{
    std::uint32_t value = 0;
    for (std::uint8_t b : bytes) {
        value = (value << 8) | b;
    }
    return value;
}

// A mark as read, numbered among all marks once the tracks are merged.
struct PendingMark {
    MarkType type;
    MidiFile::Data::MarkRecord record;
};

// Reads the events of one track. It is lenient where real collections need
// it: running status is kept across meta and sysex events, system messages
// that do not belong in a file are skipped with their data, and a track cut
// short keeps what was read before the damage.
class TrackReader {
public:
    TrackReader(MidiFile::Data &data, std::vector<SongEvent> &events,
                std::vector<PendingMark> &marks, int track, std::uint32_t tickOffset,
                bool fixedRate);

    // Reads the track; returns false when it ended on damage rather than on
    // its end-of-track event or the end of its chunk.
    bool read(std::span<const std::uint8_t> body);
    std::uint32_t lastTick() const { return m_tick; }

private:
    enum class Status { More, End, Damaged };

    Status readEvent(ByteReader &in);
    Status channelEvent(ByteReader &in, std::uint8_t status, std::uint8_t d1);
    Status metaEvent(ByteReader &in);
    Status addMark(MarkType type, std::span<const std::uint8_t> text);
    Status sysexEvent(ByteReader &in, std::uint8_t status);
    static Status skipSystemMessage(ByteReader &in, std::uint8_t status);
    SongEvent base(SongEvent::Kind kind) const;
    std::uint32_t storeText(std::span<const std::uint8_t> text);

    MidiFile::Data &m_data;
    std::vector<SongEvent> &m_events;
    std::vector<PendingMark> &m_marks;
    int m_track;
    std::uint32_t m_tick;
    bool m_fixedRate;
    std::uint8_t m_running = 0;
    std::vector<std::uint8_t> m_sysex;
};

} // namespace melorit::audio::detail
