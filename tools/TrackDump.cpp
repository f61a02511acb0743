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

QByteArray channelPrefix(unsigned char status)
{
    return "Chan" + spaced(status & 15) + '\t';
}

// 2 to the power dd, written as a double-precision number would be: exact up
// to 15 digits, then with 15 significant digits and an exponent.
QByteArray powerOfTwo(unsigned dd)
{
    return QByteArray::number(std::ldexp(1.0, static_cast<int>(dd)), 'g', 15).toUpper();
}

QByteArray twoDigits(unsigned value)
{
    return value < 10 ? '0' + QByteArray::number(value) : QByteArray::number(value);
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
    bool systemExclusive();
    bool metaEvent();
    bool fixedMeta(unsigned type, std::uint32_t length);
    bool textMeta(QByteArrayView name, std::uint32_t length);
    bool dumpedMeta(const QByteArray &line, std::uint32_t length);
    // One data byte; empty when it is cut by the end of the file or is 128
    // or more.
    std::optional<unsigned> data();
    bool has(std::uint32_t length) const { return length <= std::uint64_t(m_buffer.remaining()); }

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
    if (m_buffer.truncated())
        return false;
    m_out.DumpField("Tick=" + spaced(m_tick));
    const unsigned status = m_buffer.ReadBE(1);
    if (m_buffer.truncated())
        return false;
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
    const unsigned byte = m_buffer.ReadBE(1);
    if (m_buffer.truncated() || byte >= 128)
        return std::nullopt;
    return byte;
}

bool TrackDumper::channelMessage(unsigned char status)
{
    const QByteArray chan = channelPrefix(status);
    const auto first = data();
    if (!first)
        return false;
    const unsigned kind = status >> 4;
    if (kind == 0xC) {
        m_out.DumpLine(chan + "Program" + spaced(*first));
        return true;
    }
    if (kind == 0xD) {
        m_out.DumpLine(chan + "AfterTouch" + spaced(*first));
        return true;
    }
    const auto second = data();
    if (!second)
        return false;
    const QByteArray note = chan + "Note" + spaced(*first) + '\t';
    switch (kind) {
    case 0x8:
        m_out.DumpLine(note + "OFF");
        break;
    case 0x9:
        m_out.DumpLine(*second == 0 ? note + "OFF" : note + "ON Vel" + spaced(*second));
        break;
    case 0xA:
        m_out.DumpLine(note + "AfterTouch" + spaced(*second));
        break;
    case 0xB:
        m_out.DumpLine(chan + "CC#" + spaced(*first) + "\t=" + spaced(*second));
        break;
    default: // 0xE
        m_out.DumpLine(chan + "Pitch Wheel" + spaced(*second * 128 + *first));
        break;
    }
    return true;
}

bool TrackDumper::systemMessage(unsigned char status)
{
    switch (status) {
    case 0xF0:
        return systemExclusive();
    case 0xF1:
    case 0xF3: {
        const auto value = data();
        if (value)
            m_out.DumpLine((status == 0xF1 ? "Time Code" : "Song Select") + spaced(*value));
        return value.has_value();
    }
    case 0xF2: {
        const auto high = data();
        const auto low = high ? data() : std::nullopt;
        if (low)
            m_out.DumpLine("Song Position Pointer" + spaced(*high * 256 + *low));
        return low.has_value();
    }
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

// The message runs from F0 to the next byte of 128 or more, that byte
// included when it is F7. A length field in front of the data is not read:
// it is listed among the bytes.
bool TrackDumper::systemExclusive()
{
    const qsizetype start = m_buffer.pos() - 1;
    qsizetype end = m_buffer.pos();
    while (end < m_buffer.size() && m_buffer.at(end) < 128)
        ++end;
    if (end < m_buffer.size() && m_buffer.at(end) == 0xF7)
        ++end;
    m_out.DumpLine("SysEx\t(" + plain(end - start) + ')');
    m_out.HexDump(m_buffer, start, end - 1);
    m_buffer.seek(end);
    return true;
}

bool TrackDumper::metaEvent()
{
    const unsigned type = m_buffer.ReadBE(1);
    const std::uint32_t length = m_buffer.ReadVLQ();
    if (m_buffer.truncated())
        return false;
    static constexpr const char *kTextNames[] = {
        "Text ", "Copyright ", "Track Name ", "Instrument Name ", "Lyric ", "Marker ", "CuePoint "};
    if (type >= 1 && type <= 7)
        return textMeta(kTextNames[type - 1], length);
    if (type == 0x2F) {
        m_out.DumpLine("Track End");
        return true;
    }
    if (type == 0x7F)
        return dumpedMeta("Specific (" + spaced(length) + " )", length);
    if (type == 0x00 || type == 0x20 || type == 0x21 || type == 0x51 || type == 0x54 ||
        type == 0x58 || type == 0x59)
        return fixedMeta(type, length);
    return dumpedMeta("Unknown Meta Event" + spaced(type), length);
}

bool TrackDumper::textMeta(QByteArrayView name, std::uint32_t length)
{
    if (!has(length))
        return false;
    m_out.DumpLine(name.toByteArray() + '"' + m_buffer.ReadChars(length) + '"');
    return true;
}

bool TrackDumper::dumpedMeta(const QByteArray &line, std::uint32_t length)
{
    if (!has(length))
        return false;
    const qsizetype start = m_buffer.pos();
    m_out.DumpLine(line);
    m_out.HexDump(m_buffer, start, start + qsizetype(length) - 1);
    m_buffer.seek(start + qsizetype(length));
    return true;
}

bool TrackDumper::fixedMeta(unsigned type, std::uint32_t length)
{
    struct Fixed {
        unsigned type;
        std::uint32_t length;
    };
    static constexpr Fixed kLengths[] = {{0x00, 2}, {0x20, 1}, {0x21, 1}, {0x51, 3},
                                         {0x54, 5}, {0x58, 4}, {0x59, 2}};
    for (const Fixed &fixed : kLengths) {
        if (fixed.type == type && fixed.length != length)
            return false;
    }
    if (!has(length))
        return false;
    auto byte = [this] { return m_buffer.ReadBE(1); };
    switch (type) {
    case 0x00:
        m_out.DumpLine("Sequence #" + spaced(m_buffer.ReadBE(2)));
        break;
    case 0x20:
        m_out.DumpLine("MidiChannel =" + spaced(byte()));
        break;
    case 0x21:
        m_out.DumpLine("MidiPort =" + spaced(byte()));
        break;
    case 0x51:
        m_out.DumpLine("Tempo =" + spaced(m_buffer.ReadBE(3)));
        break;
    case 0x54: {
        const unsigned hh = byte(), mm = byte(), ss = byte(), ff = byte(), sf = byte();
        m_out.DumpLine("SMPTE = " + twoDigits(hh) + ':' + twoDigits(mm) + ':' + twoDigits(ss) +
                       '.' + twoDigits(ff) + ' ' + twoDigits(sf));
        break;
    }
    case 0x58: {
        const unsigned nn = byte(), dd = byte(), cc = byte(), bb = byte();
        m_out.DumpLine("Time Signature =" + spaced(nn) + " /" + ' ' + powerOfTwo(dd) +
                       "  Metronome =" + spaced(cc) + spaced(bb));
        break;
    }
    default: { // 0x59
        const auto sf = static_cast<std::int8_t>(byte());
        m_out.DumpLine("Key Signature =" + spaced(sf) + " Mineur =" + spaced(byte()));
        break;
    }
    }
    return true;
}

} // namespace

void dumpTrack(MidiBuffer &buffer, DumpText &out, qsizetype chunkEnd, int trackNumber)
{
    out.DumpLine("\r\nTrack" + spaced(trackNumber));
    TrackDumper(buffer, out, chunkEnd).run();
}

} // namespace melorit::tools
