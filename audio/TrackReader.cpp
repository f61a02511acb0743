#include "audio/TrackReader.h"

#include <algorithm>

namespace melorit::audio::detail {

TrackReader::TrackReader(MidiFile::Data &data, std::vector<SongEvent> &events,
                         std::vector<PendingMark> &marks, int track, std::uint32_t tickOffset,
                         bool fixedRate)
    : m_data(data), m_events(events), m_marks(marks), m_track(track), m_tick(tickOffset),
      m_fixedRate(fixedRate)
{
}

bool TrackReader::read(std::span<const std::uint8_t> body)
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

TrackReader::Status TrackReader::readEvent(ByteReader &in)
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
TrackReader::Status TrackReader::channelEvent(ByteReader &in, std::uint8_t status, std::uint8_t d1)
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

TrackReader::Status TrackReader::metaEvent(ByteReader &in)
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

TrackReader::Status TrackReader::addMark(MarkType type, std::span<const std::uint8_t> text)
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
TrackReader::Status TrackReader::sysexEvent(ByteReader &in, std::uint8_t status)
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
TrackReader::Status TrackReader::skipSystemMessage(ByteReader &in, std::uint8_t status)
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

SongEvent TrackReader::base(SongEvent::Kind kind) const
{
    SongEvent e;
    e.tick = m_tick;
    e.track = static_cast<std::uint16_t>(m_track);
    e.kind = kind;
    return e;
}

std::uint32_t TrackReader::storeText(std::span<const std::uint8_t> text)
{
    const auto offset = static_cast<std::uint32_t>(m_data.texts.size());
    m_data.texts.append(reinterpret_cast<const char *>(text.data()), text.size());
    return offset;
}

} // namespace melorit::audio::detail
