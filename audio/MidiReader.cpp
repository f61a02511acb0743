// Standard MIDI File reader: chunks, tracks and events into a MidiFile.
//
// It is lenient where real collections need it (running status kept across
// meta and sysex events, system messages that do not belong in a file skipped
// with their data, unknown chunks ignored, a track cut short keeps what was
// read) and strict only where nothing sensible can be played (no header, no
// usable division, no track).

#include "audio/MidiFile.h"

#include "audio/MidiFileData.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

namespace melorit::audio {

namespace {

constexpr std::size_t kMaxFileSize = 64u << 20;

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

std::uint32_t bigEndian(std::span<const std::uint8_t> bytes)
{
    std::uint32_t value = 0;
    for (std::uint8_t b : bytes) {
        value = (value << 8) | b;
    }
    return value;
}

bool isChunkId(std::span<const std::uint8_t> id)
{
    return std::all_of(id.begin(), id.end(), [](std::uint8_t c) { return c >= 0x20 && c < 0x7F; });
}

bool idEquals(std::span<const std::uint8_t> id, const char *text)
{
    return std::memcmp(id.data(), text, 4) == 0;
}

// The Standard MIDI File inside a RIFF "RMID" wrapper, or the bytes as they are.
std::span<const std::uint8_t> unwrapRmid(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 12 || !idEquals(bytes.first(4), "RIFF") ||
        !idEquals(bytes.subspan(8, 4), "RMID")) {
        return bytes;
    }
    std::size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        const std::uint32_t size = bytes[pos + 4] | (bytes[pos + 5] << 8) | (bytes[pos + 6] << 16) |
                                   (std::uint32_t(bytes[pos + 7]) << 24);
        if (idEquals(bytes.subspan(pos, 4), "data")) {
            return bytes.subspan(pos + 8, std::min<std::size_t>(size, bytes.size() - pos - 8));
        }
        pos += 8 + size + (size & 1);
    }
    return {};
}

// Events of one track as read, before the tracks are merged.
struct PendingMark {
    MarkType type;
    MidiFile::Data::MarkRecord record;
};

class TrackReader {
public:
    TrackReader(MidiFile::Data &data, std::vector<SongEvent> &events,
                std::vector<PendingMark> &marks, int track, std::uint32_t tickOffset,
                bool fixedRate)
        : m_data(data), m_events(events), m_marks(marks), m_track(track), m_tick(tickOffset),
          m_fixedRate(fixedRate)
    {
    }

    // Reads the track; returns false when it ended on damage rather than on
    // its end-of-track event or the end of its chunk.
    bool read(std::span<const std::uint8_t> body)
    {
        ByteReader in(body);
        while (!in.atEnd()) {
            auto delta = in.varLen();
            if (!delta) {
                return false;
            }
            m_tick += *delta;
            auto status = readEvent(in);
            if (status == Status::Damaged) {
                return false;
            }
            if (status == Status::End) {
                return true;
            }
        }
        return true;
    }

    std::uint32_t lastTick() const { return m_tick; }

private:
    enum class Status { More, End, Damaged };

    Status readEvent(ByteReader &in)
    {
        auto first = in.u8();
        if (!first) {
            return Status::Damaged;
        }
        std::uint8_t status = *first;
        if (status < 0x80) {
            if (m_running == 0) {
                return Status::Damaged;
            }
            return channelEvent(in, m_running, status);
        }
        if (status < 0xF0) {
            m_running = status;
            auto d1 = in.u8();
            if (!d1) {
                return Status::Damaged;
            }
            return channelEvent(in, status, *d1);
        }
        if (status == 0xFF) {
            return metaEvent(in);
        }
        if (status == 0xF0 || status == 0xF7) {
            return sysexEvent(in, status);
        }
        return skipSystemMessage(in, status);
    }

    // A data byte where none can be, or a message cut short, ends the track:
    // what follows cannot be told apart from garbage.
    Status channelEvent(ByteReader &in, std::uint8_t status, std::uint8_t d1)
    {
        const int command = status & 0xF0;
        std::uint8_t d2 = 0;
        if (command != 0xC0 && command != 0xD0) {
            auto second = in.u8();
            if (!second || *second >= 0x80) {
                return Status::Damaged;
            }
            d2 = *second;
        }
        if (d1 >= 0x80) {
            return Status::Damaged;
        }
        SongEvent e = base(SongEvent::Kind::Channel);
        e.status = status;
        e.data1 = d1;
        e.data2 = d2;
        if (command == 0x90 && d2 == 0) {
            e.status = static_cast<std::uint8_t>(0x80 | (status & 0x0F)); // note-on at velocity 0
        }
        m_events.push_back(e);
        return Status::More;
    }

    Status metaEvent(ByteReader &in)
    {
        auto type = in.u8();
        auto length = type ? in.varLen() : std::nullopt;
        auto body = length ? in.take(*length) : std::nullopt;
        if (!body) {
            return Status::Damaged;
        }
        switch (*type) {
        case 0x2F:
            m_events.push_back(base(SongEvent::Kind::EndOfTrack));
            return Status::End;
        case 0x51:
            if (body->size() >= 3 && !m_fixedRate) {
                SongEvent e = base(SongEvent::Kind::Tempo);
                e.value = std::max<std::uint32_t>(bigEndian(body->first(3)), 1);
                m_events.push_back(e);
            }
            return Status::More;
        case 0x01:
            return addMark(MarkType::Text, *body);
        case 0x05:
            return addMark(MarkType::Lyric, *body);
        case 0x06:
            return addMark(MarkType::Marker, *body);
        case 0x07:
            return addMark(MarkType::Cue, *body);
        case 0x03:
            if (m_data.trackNameOffsets[m_track] == ~0u) {
                m_data.trackNameOffsets[m_track] = storeText(*body);
                m_data.trackNameLengths[m_track] = static_cast<std::uint32_t>(body->size());
            }
            return Status::More;
        default:
            return Status::More; // every other meta event is read and passed over
        }
    }

    Status addMark(MarkType type, std::span<const std::uint8_t> text)
    {
        MidiFile::Data::MarkRecord record;
        record.tick = m_tick;
        record.track = static_cast<std::uint16_t>(m_track);
        record.textOffset = storeText(text);
        record.textLength = static_cast<std::uint32_t>(text.size());
        SongEvent e = base(SongEvent::Kind::Mark);
        e.status = static_cast<std::uint8_t>(type);
        e.value = static_cast<std::uint32_t>(m_marks.size());
        m_marks.push_back({type, record});
        m_events.push_back(e);
        return Status::More;
    }

    // "F0 len data" starts a message; "F7 len data" continues one that has not
    // ended with F7 yet, and is otherwise an escape that carries no message.
    Status sysexEvent(ByteReader &in, std::uint8_t status)
    {
        auto length = in.varLen();
        auto body = length ? in.take(*length) : std::nullopt;
        if (!body) {
            return Status::Damaged;
        }
        if (status == 0xF0) {
            m_sysex.assign(1, 0xF0);
        } else if (m_sysex.empty()) {
            return Status::More;
        }
        m_sysex.insert(m_sysex.end(), body->begin(), body->end());
        if (!m_sysex.empty() && m_sysex.back() == 0xF7) {
            SysexMessage message;
            message.offset = static_cast<std::uint32_t>(m_data.sysexBytes.size());
            message.length = static_cast<std::uint32_t>(m_sysex.size());
            m_data.sysexBytes.insert(m_data.sysexBytes.end(), m_sysex.begin(), m_sysex.end());
            SongEvent e = base(SongEvent::Kind::Sysex);
            e.value = static_cast<std::uint32_t>(m_data.sysex.size());
            m_data.sysex.push_back(message);
            m_events.push_back(e);
            m_sysex.clear();
        }
        return Status::More;
    }

    // System common and real-time messages have no place in a file; some files
    // hold them anyway. They are passed over with their data bytes.
    static Status skipSystemMessage(ByteReader &in, std::uint8_t status)
    {
        int dataBytes = 0;
        if (status == 0xF1 || status == 0xF3) {
            dataBytes = 1;
        } else if (status == 0xF2) {
            dataBytes = 2;
        }
        for (int i = 0; i < dataBytes; ++i) {
            if (in.atEnd() || in.peek() >= 0x80) {
                break;
            }
            in.u8();
        }
        return Status::More;
    }

    SongEvent base(SongEvent::Kind kind) const
    {
        SongEvent e;
        e.tick = m_tick;
        e.track = static_cast<std::uint16_t>(m_track);
        e.kind = kind;
        return e;
    }

    std::uint32_t storeText(std::span<const std::uint8_t> text)
    {
        const auto offset = static_cast<std::uint32_t>(m_data.texts.size());
        m_data.texts.append(reinterpret_cast<const char *>(text.data()), text.size());
        return offset;
    }

    MidiFile::Data &m_data;
    std::vector<SongEvent> &m_events;
    std::vector<PendingMark> &m_marks;
    int m_track;
    std::uint32_t m_tick;
    bool m_fixedRate;
    std::uint8_t m_running = 0;
    std::vector<std::uint8_t> m_sysex;
};

struct Header {
    int format = 1;
    int declaredTracks = 0;
    double ticksPerQuarter = 0;
    double ticksPerSecond = 0; // SMPTE division
};

std::optional<Header> readHeader(ByteReader &in)
{
    auto id = in.take(4);
    auto size = in.take(4);
    if (!id || !size || !idEquals(*id, "MThd")) {
        return std::nullopt;
    }
    const std::uint32_t length = bigEndian(*size);
    auto body = length >= 6 ? in.take(length) : std::nullopt;
    if (!body) {
        return std::nullopt;
    }
    Header header;
    header.format = static_cast<int>(bigEndian(body->subspan(0, 2)));
    header.declaredTracks = static_cast<int>(bigEndian(body->subspan(2, 2)));
    const std::uint32_t division = bigEndian(body->subspan(4, 2));
    if (division & 0x8000) {
        const int fps = -static_cast<int>(static_cast<std::int8_t>(division >> 8));
        const int perFrame = static_cast<int>(division & 0xFF);
        if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || perFrame == 0) {
            return std::nullopt;
        }
        header.ticksPerSecond = (fps == 29 ? 29.97 : fps) * perFrame;
    } else if (division == 0) {
        return std::nullopt;
    } else {
        header.ticksPerQuarter = division;
    }
    return header;
}

void mergeTracks(MidiFile::Data &data, std::vector<SongEvent> &events,
                 const std::vector<PendingMark> &marks)
{
    std::stable_sort(events.begin(), events.end(), [](const SongEvent &a, const SongEvent &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.track < b.track;
    });
    std::vector<TempoMap::Change> tempos;
    for (SongEvent &e : events) {
        data.lengthTicks = std::max(data.lengthTicks, e.tick);
        if (e.kind == SongEvent::Kind::Mark) {
            const PendingMark &pending = marks[e.value];
            auto &list = data.marks[static_cast<std::size_t>(pending.type)];
            e.value = static_cast<std::uint32_t>(list.size());
            list.push_back(pending.record);
        } else if (e.kind == SongEvent::Kind::Tempo) {
            tempos.push_back({e.tick, e.value});
        }
    }
    data.events = std::move(events);
    if (data.tempoMap.isFixedRate()) {
        return;
    }
    data.tempoMap = TempoMap(data.tempoMap.ticksPerQuarter(), tempos);
}

} // namespace

MidiReadResult readMidi(std::span<const std::uint8_t> bytes)
{
    ByteReader in(unwrapRmid(bytes));
    auto header = readHeader(in);
    if (!header) {
        detail::setLastError(Error::FileForm);
        return {nullptr, Error::FileForm};
    }
    auto data = std::make_unique<MidiFile::Data>();
    data->format = header->format;
    const bool fixedRate = header->ticksPerSecond > 0;
    data->tempoMap = fixedRate ? TempoMap::fixedRate(header->ticksPerSecond)
                               : TempoMap(header->ticksPerQuarter, {});

    std::vector<SongEvent> events;
    std::vector<PendingMark> marks;
    std::uint32_t sequenceStart = 0; // format 2: each track follows the previous one
    while (in.remaining() >= 8) {
        auto id = *in.take(4);
        const std::uint32_t length = bigEndian(*in.take(4));
        if (!isChunkId(id)) {
            break; // garbage after the last chunk
        }
        const std::size_t available = std::min<std::size_t>(length, in.remaining());
        auto body = *in.take(available);
        if (available < length) {
            data->damaged = true;
        }
        if (!idEquals(id, "MTrk")) {
            continue;
        }
        const int track = data->trackCount++;
        data->trackNameOffsets.push_back(~0u);
        data->trackNameLengths.push_back(0);
        TrackReader reader(*data, events, marks, track, data->format == 2 ? sequenceStart : 0,
                           fixedRate);
        if (!reader.read(body)) {
            data->damaged = true;
        }
        sequenceStart = reader.lastTick();
    }
    if (data->trackCount == 0) {
        detail::setLastError(Error::FileForm);
        return {nullptr, Error::FileForm};
    }
    if (data->trackCount < header->declaredTracks) {
        data->damaged = true;
    }
    mergeTracks(*data, events, marks);
    detail::setLastError(Error::Ok);
    return {std::make_shared<const MidiFile>(std::move(data)), Error::Ok};
}

MidiReadResult readMidiFile(const std::string &utf8Path)
{
    std::error_code ec;
    std::ifstream file(utf8Path, std::ios::binary | std::ios::ate);
    if (!file || !std::filesystem::is_regular_file(utf8Path, ec)) {
        detail::setLastError(Error::FileOpen);
        return {nullptr, Error::FileOpen};
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::size_t>(size) > kMaxFileSize) {
        detail::setLastError(size < 0 ? Error::FileOpen : Error::FileForm);
        return {nullptr, lastError()};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char *>(bytes.data()), size)) {
        detail::setLastError(Error::FileOpen);
        return {nullptr, Error::FileOpen};
    }
    return readMidi(bytes);
}

} // namespace melorit::audio
