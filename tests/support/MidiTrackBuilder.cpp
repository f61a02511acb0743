#include "tests/support/MidiTrackBuilder.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace melorit::fixtures {

namespace {

constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kMeta = 0xFF;
constexpr int kEndOfTrack = 0x2F;

int checked(int value, int low, int high, const char *what)
{
    if (value < low || value > high) {
        throw std::invalid_argument(std::string(what) + " out of range: " + std::to_string(value));
    }
    return value;
}

std::uint8_t dataByte(int value, const char *what)
{
    return static_cast<std::uint8_t>(checked(value, 0, 127, what));
}

} // namespace

MidiTrackBuilder &MidiTrackBuilder::at(std::uint32_t tick)
{
    m_cursor = tick;
    return *this;
}

MidiTrackBuilder &MidiTrackBuilder::after(std::uint32_t delta)
{
    m_cursor += delta;
    return *this;
}

MidiTrackBuilder &MidiTrackBuilder::noteOn(int channel, int key, int velocity)
{
    return channelEvent(kNoteOn, channel, {key, velocity});
}

MidiTrackBuilder &MidiTrackBuilder::noteOff(int channel, int key, int velocity)
{
    return channelEvent(kNoteOff, channel, {key, velocity});
}

MidiTrackBuilder &MidiTrackBuilder::note(int channel, int key, int velocity, std::uint32_t start,
                                         std::uint32_t length)
{
    const std::uint32_t saved = m_cursor;
    m_cursor = start;
    channelEvent(kNoteOn, channel, {key, velocity});
    const std::uint8_t status = static_cast<std::uint8_t>(kNoteOff | channel);
    // A zero-length note keeps its note-off after its own note-on.
    add(Kind::Channel, {status, static_cast<std::uint8_t>(key), 0}, start + length,
        length == 0 ? 1 : 0);
    m_cursor = saved;
    return *this;
}

MidiTrackBuilder &MidiTrackBuilder::polyAftertouch(int channel, int key, int pressure)
{
    return channelEvent(0xA0, channel, {key, pressure});
}

MidiTrackBuilder &MidiTrackBuilder::controller(int channel, int number, int value)
{
    return channelEvent(0xB0, channel, {number, value});
}

MidiTrackBuilder &MidiTrackBuilder::programChange(int channel, int program)
{
    return channelEvent(0xC0, channel, {program});
}

MidiTrackBuilder &MidiTrackBuilder::channelAftertouch(int channel, int pressure)
{
    return channelEvent(0xD0, channel, {pressure});
}

MidiTrackBuilder &MidiTrackBuilder::pitchBend(int channel, int value)
{
    checked(value, 0, 16383, "pitch bend");
    return channelEvent(0xE0, channel, {value & 0x7F, value >> 7});
}

MidiTrackBuilder &MidiTrackBuilder::tempo(std::uint32_t microsecondsPerQuarter)
{
    if (microsecondsPerQuarter == 0 || microsecondsPerQuarter > 0xFFFFFF) {
        throw std::invalid_argument("tempo out of range");
    }
    Bytes data;
    appendBigEndian(data, microsecondsPerQuarter, 3);
    return meta(0x51, data);
}

MidiTrackBuilder &MidiTrackBuilder::timeSignature(int numerator, int denominator,
                                                  int clocksPerClick, int thirtySecondsPerQuarter)
{
    checked(denominator, 1, 128, "time signature denominator");
    if ((denominator & (denominator - 1)) != 0) {
        throw std::invalid_argument("time signature denominator is not a power of two");
    }
    int power = 0;
    while ((1 << power) < denominator) {
        ++power;
    }
    return meta(
        0x58, {static_cast<std::uint8_t>(checked(numerator, 1, 255, "numerator")),
               static_cast<std::uint8_t>(power),
               static_cast<std::uint8_t>(checked(clocksPerClick, 0, 255, "clocks")),
               static_cast<std::uint8_t>(checked(thirtySecondsPerQuarter, 0, 255, "32nd notes"))});
}

MidiTrackBuilder &MidiTrackBuilder::keySignature(int sharpsOrFlats, bool minor)
{
    checked(sharpsOrFlats, -7, 7, "key signature");
    return meta(0x59, {static_cast<std::uint8_t>(static_cast<std::int8_t>(sharpsOrFlats)),
                       static_cast<std::uint8_t>(minor ? 1 : 0)});
}

MidiTrackBuilder &MidiTrackBuilder::text(std::string_view bytes)
{
    return metaText(0x01, bytes);
}

MidiTrackBuilder &MidiTrackBuilder::copyright(std::string_view bytes)
{
    return metaText(0x02, bytes);
}

MidiTrackBuilder &MidiTrackBuilder::trackName(std::string_view bytes)
{
    return metaText(0x03, bytes);
}

MidiTrackBuilder &MidiTrackBuilder::lyric(std::string_view bytes)
{
    return metaText(0x05, bytes);
}

MidiTrackBuilder &MidiTrackBuilder::marker(std::string_view bytes)
{
    return metaText(0x06, bytes);
}

MidiTrackBuilder &MidiTrackBuilder::meta(int type, const Bytes &data)
{
    Bytes bytes{kMeta, dataByte(type, "meta type")};
    appendVarLen(bytes, static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    add(Kind::Meta, std::move(bytes), m_cursor);
    return *this;
}

MidiTrackBuilder &MidiTrackBuilder::sysex(const Bytes &data)
{
    Bytes bytes{0xF0};
    appendVarLen(bytes, static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    add(Kind::Meta, std::move(bytes), m_cursor);
    return *this;
}

MidiTrackBuilder &MidiTrackBuilder::sysexEscape(const Bytes &data)
{
    Bytes bytes{0xF7};
    appendVarLen(bytes, static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    add(Kind::Meta, std::move(bytes), m_cursor);
    return *this;
}

MidiTrackBuilder &MidiTrackBuilder::raw(const Bytes &bytes)
{
    add(Kind::Raw, bytes, m_cursor);
    return *this;
}

MidiTrackBuilder &MidiTrackBuilder::endOfTrack()
{
    m_autoEnd = false;
    return meta(kEndOfTrack, {});
}

MidiTrackBuilder &MidiTrackBuilder::omitEndOfTrack()
{
    m_autoEnd = false;
    return *this;
}

MidiTrackBuilder &MidiTrackBuilder::useRunningStatus(bool on)
{
    m_runningStatus = on;
    return *this;
}

MidiTrackBuilder &MidiTrackBuilder::noteOffAsNoteOn(bool on)
{
    m_noteOffAsNoteOn = on;
    return *this;
}

MidiTrackBuilder &MidiTrackBuilder::declareLength(std::uint32_t length)
{
    m_declaredLength = length;
    return *this;
}

Bytes MidiTrackBuilder::body() const
{
    Bytes out;
    std::uint8_t runningStatus = 0;
    std::uint32_t previousTick = 0;
    for (const Event &event : sortedEvents()) {
        appendVarLen(out, event.tick - previousTick);
        previousTick = event.tick;
        appendEvent(out, event, runningStatus);
    }
    return out;
}

Bytes MidiTrackBuilder::chunk() const
{
    const Bytes events = body();
    Bytes out = bytesOf("MTrk");
    appendBigEndian(out, m_declaredLength.value_or(static_cast<std::uint32_t>(events.size())), 4);
    out.insert(out.end(), events.begin(), events.end());
    return out;
}

MidiTrackBuilder &MidiTrackBuilder::channelEvent(int status, int channel,
                                                 std::initializer_list<int> data)
{
    Bytes bytes{static_cast<std::uint8_t>(status | checked(channel, 0, 15, "channel"))};
    for (int value : data) {
        bytes.push_back(dataByte(value, "data byte"));
    }
    add(Kind::Channel, std::move(bytes), m_cursor);
    return *this;
}

MidiTrackBuilder &MidiTrackBuilder::metaText(int type, std::string_view bytes)
{
    return meta(type, bytesOf(bytes));
}

void MidiTrackBuilder::add(Kind kind, Bytes bytes, std::uint32_t tick, int rank)
{
    m_events.push_back(Event{tick, rank, kind, std::move(bytes)});
}

std::vector<MidiTrackBuilder::Event> MidiTrackBuilder::sortedEvents() const
{
    std::vector<Event> events = m_events;
    std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank;
    });
    if (m_autoEnd) {
        const std::uint32_t last = events.empty() ? 0 : events.back().tick;
        events.push_back(Event{last, 1, Kind::Meta, {kMeta, kEndOfTrack, 0}});
    }
    return events;
}

void MidiTrackBuilder::appendEvent(Bytes &out, const Event &event,
                                   std::uint8_t &runningStatus) const
{
    if (event.kind != Kind::Channel) {
        out.insert(out.end(), event.bytes.begin(), event.bytes.end());
        runningStatus = 0;
        return;
    }
    Bytes bytes = event.bytes;
    if (m_noteOffAsNoteOn && (bytes[0] & 0xF0) == kNoteOff) {
        bytes[0] = static_cast<std::uint8_t>(kNoteOn | (bytes[0] & 0x0F));
        bytes[2] = 0;
    }
    const bool omitStatus = m_runningStatus && bytes[0] == runningStatus;
    runningStatus = bytes[0];
    out.insert(out.end(), bytes.begin() + (omitStatus ? 1 : 0), bytes.end());
}

} // namespace melorit::fixtures
