#include "tools/TrackDump.h"

#include "tools/DumpText.h"
#include "tools/MidiBuffer.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace melorit::tools {
namespace {

// Not a channel status: a track whose first event relies on running status
// is malformed.
constexpr unsigned char kNoRunningStatus = 248;

bool isSystemStatus(unsigned char status)
{
    return (status & 0xF0) == 0xF0;
}

// 2 to the power dd, written as a double-precision number would be: exact up
// to 15 digits, then with 15 significant digits and an exponent.
QByteArray powerOfTwo(unsigned dd)
{
    return QByteArray::number(std::ldexp(1.0, static_cast<int>(dd)), 'g', 15).toUpper();
}

// Two digits at least: 5 -> "05", 123 -> "123".
void twoDigits(DumpText &out, unsigned value)
{
    if (value < 10) {
        out << '0';
    }
    out << Plain{value};
}

struct FixedLength {
    unsigned type;
    std::uint32_t length;
};
constexpr FixedLength kFixedLengths[] = {{0x00, 2}, {0x20, 1}, {0x21, 1}, {0x51, 3},
                                         {0x54, 5}, {0x58, 4}, {0x59, 2}};

const FixedLength *fixedLengthOf(unsigned type)
{
    for (const FixedLength &fixed : kFixedLengths) {
        if (fixed.type == type) {
            return &fixed;
        }
    }
    return nullptr;
}

class TrackDumper {
public:
    TrackDumper(MidiBuffer &buffer, DumpText &out, qsizetype chunkEnd)
        : m_buffer(buffer), m_out(out), m_chunkEnd(chunkEnd)
    {
    }

    void run()
    {
        while (m_buffer.pos() < m_chunkEnd) {
            if (!event()) {
                m_out.DumpLine("Goto TrackEnd");
                m_buffer.seek(m_chunkEnd);
            }
        }
    }

private:
    bool event();
    bool channelMessage(unsigned char status);
    bool systemMessage(unsigned char status);
    bool systemCommon(unsigned char status);
    bool systemExclusive();
    bool metaEvent();
    void fixedMeta(unsigned type);
    bool dumpedMeta(std::uint32_t length);
    // One data byte; empty when it is cut by the end of the file or is 128
    // or more.
    std::optional<unsigned> data();
    bool has(std::uint32_t length) const { return length <= std::uint64_t(m_buffer.remaining()); }
    unsigned byte() { return m_buffer.ReadBE(1); }

    MidiBuffer &m_buffer;
    DumpText &m_out;
    qsizetype m_chunkEnd;
    qint64 m_tick = 0;
    unsigned char m_runningStatus = kNoRunningStatus;
};

bool TrackDumper::event()
{
    m_buffer.clearTruncated();
    m_tick += m_buffer.ReadVLQ();
    if (m_buffer.truncated()) {
        return false;
    }
    m_out << "Tick=" << Spaced{m_tick};
    m_out.endField();
    const unsigned status = byte();
    if (m_buffer.truncated()) {
        return false;
    }
    if (status < 128) {
        m_buffer.seek(m_buffer.pos() - 1);
        if (isSystemStatus(m_runningStatus)) {
            m_out.DumpLine("Error on Running Status");
            return false;
        }
    } else {
        m_runningStatus = static_cast<unsigned char>(status);
    }
    return isSystemStatus(m_runningStatus) ? systemMessage(m_runningStatus)
                                           : channelMessage(m_runningStatus);
}

std::optional<unsigned> TrackDumper::data()
{
    const unsigned value = byte();
    if (m_buffer.truncated() || value >= 128) {
        return std::nullopt;
    }
    return value;
}

bool TrackDumper::channelMessage(unsigned char status)
{
    const unsigned kind = status >> 4;
    const auto first = data();
    const auto second = first && kind != 0xC && kind != 0xD ? data() : first;
    if (!first || !second) {
        return false;
    }
    m_out << "Chan" << Spaced{status & 15} << '\t';
    switch (kind) {
    case 0x8:
    case 0x9:
    case 0xA:
        m_out << "Note" << Spaced{*first} << '\t';
        if (kind == 0xA) {
            m_out << "AfterTouch" << Spaced{*second};
        } else if (kind == 0x9 && *second != 0) {
            m_out << "ON Vel" << Spaced{*second};
        } else {
            m_out << "OFF";
        }
        break;
    case 0xB:
        m_out << "CC#" << Spaced{*first} << "\t=" << Spaced{*second};
        break;
    case 0xC:
        m_out << "Program" << Spaced{*first};
        break;
    case 0xD:
        m_out << "AfterTouch" << Spaced{*first};
        break;
    default: // 0xE
        m_out << "Pitch Wheel" << Spaced{*second * 128 + *first};
        break;
    }
    m_out.endLine();
    return true;
}

bool TrackDumper::systemMessage(unsigned char status)
{
    switch (status) {
    case 0xF0:
        return systemExclusive();
    case 0xF1:
    case 0xF2:
    case 0xF3:
        return systemCommon(status);
    case 0xF4:
        m_out.DumpLine("F4 ???");
        return true;
    case 0xF5:
        m_out.DumpLine("F5 ???");
        return true;
    case 0xF6:
        m_out.DumpLine("Tune Request");
        return true;
    case 0xF7:
        m_out.DumpLine("EOX");
        return true;
    case 0xFF:
        return metaEvent();
    default: // real-time bytes: the tick field joins the next line
        return true;
    }
}

bool TrackDumper::systemCommon(unsigned char status)
{
    const auto first = data();
    const auto second = first && status == 0xF2 ? data() : first;
    if (!first || !second) {
        return false;
    }
    if (status == 0xF1) {
        m_out << "Time Code" << Spaced{*first};
    } else if (status == 0xF2) {
        m_out << "Song Position Pointer" << Spaced{*first * 256 + *second};
    } else {
        m_out << "Song Select" << Spaced{*first};
    }
    m_out.endLine();
    return true;
}

// The message runs from F0 to the next byte of 128 or more, that byte
// included when it is F7. A length field in front of the data is not read:
// it is listed among the bytes.
bool TrackDumper::systemExclusive()
{
    const qsizetype start = m_buffer.pos() - 1;
    qsizetype end = m_buffer.pos();
    while (end < m_buffer.size() && m_buffer.at(end) < 128) {
        ++end;
    }
    if (end < m_buffer.size() && m_buffer.at(end) == 0xF7) {
        ++end;
    }
    m_out << "SysEx\t(" << Plain{end - start} << ')';
    m_out.endLine();
    m_out.HexDump(m_buffer, start, end - 1);
    m_buffer.seek(end);
    return true;
}

bool TrackDumper::metaEvent()
{
    static constexpr const char *kTextNames[] = {
        "Text ", "Copyright ", "Track Name ", "Instrument Name ", "Lyric ", "Marker ", "CuePoint "};
    const unsigned type = byte();
    const std::uint32_t length = m_buffer.ReadVLQ();
    if (m_buffer.truncated()) {
        return false;
    }
    if (type == 0x2F) {
        m_out.DumpLine("Track End");
        return true;
    }
    const FixedLength *fixed = fixedLengthOf(type);
    if ((fixed && fixed->length != length) || !has(length)) {
        return false;
    }
    if (type >= 1 && type <= 7) {
        m_out << kTextNames[type - 1] << '"' << m_buffer.ReadChars(length) << '"';
        m_out.endLine();
        return true;
    }
    if (fixed) {
        fixedMeta(type);
        return true;
    }
    if (type == 0x7F) {
        m_out << "Specific (" << Spaced{length} << " )";
    } else {
        m_out << "Unknown Meta Event" << Spaced{type};
    }
    m_out.endLine();
    return dumpedMeta(length);
}

bool TrackDumper::dumpedMeta(std::uint32_t length)
{
    const qsizetype start = m_buffer.pos();
    m_out.HexDump(m_buffer, start, start + qsizetype(length) - 1);
    m_buffer.seek(start + qsizetype(length));
    return true;
}

// A meta event of fixed length whose length has been checked and whose bytes
// are all there.
void TrackDumper::fixedMeta(unsigned type)
{
    switch (type) {
    case 0x00:
        m_out << "Sequence #" << Spaced{m_buffer.ReadBE(2)};
        break;
    case 0x20:
        m_out << "MidiChannel =" << Spaced{byte()};
        break;
    case 0x21:
        m_out << "MidiPort =" << Spaced{byte()};
        break;
    case 0x51:
        m_out << "Tempo =" << Spaced{m_buffer.ReadBE(3)};
        break;
    case 0x54: {
        const unsigned hh = byte(), mm = byte(), ss = byte(), ff = byte(), sf = byte();
        m_out << "SMPTE = ";
        twoDigits(m_out, hh);
        m_out << ':';
        twoDigits(m_out, mm);
        m_out << ':';
        twoDigits(m_out, ss);
        m_out << '.';
        twoDigits(m_out, ff);
        m_out << ' ';
        twoDigits(m_out, sf);
        break;
    }
    case 0x58: {
        const unsigned nn = byte(), dd = byte(), cc = byte(), bb = byte();
        m_out << "Time Signature =" << Spaced{nn} << " / " << powerOfTwo(dd)
              << "  Metronome =" << Spaced{cc} << Spaced{bb};
        break;
    }
    default: { // 0x59
        const auto sf = static_cast<std::int8_t>(byte());
        const unsigned mi = byte();
        m_out << "Key Signature =" << Spaced{sf} << " Mineur =" << Spaced{mi};
        break;
    }
    }
    m_out.endLine();
}

} // namespace

void dumpTrack(MidiBuffer &buffer, DumpText &out, qsizetype chunkEnd, int trackNumber)
{
    out.endLine();
    out << "Track" << Spaced{trackNumber};
    out.endLine();
    TrackDumper(buffer, out, chunkEnd).run();
}

} // namespace melorit::tools
