#pragma once

#include "tests/support/Bytes.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

namespace melorit::fixtures {

// One "MTrk" chunk of a Standard MIDI File, built event by event.
//
// Events go at a cursor: at(tick) moves it to an absolute tick, after(delta) moves it
// forward from where it is, and every event call puts its event at the cursor without
// moving it. note() is the exception: it takes its own start and length and leaves the
// cursor alone. Events are written in tick order; at the same tick they keep the order
// they were added in, except that the note-off of a note() goes first, so a note ending
// where the next one of the same key starts never cuts the new one.
//
// Channel, key and value arguments out of their ranges throw std::invalid_argument:
// malformed data is written on purpose with raw(), not by accident.
class MidiTrackBuilder {
public:
    MidiTrackBuilder &at(std::uint32_t tick);
    MidiTrackBuilder &after(std::uint32_t delta);
    std::uint32_t cursor() const { return m_cursor; }

    // Channel events (channel 0-15, data 0-127).
    MidiTrackBuilder &noteOn(int channel, int key, int velocity);
    MidiTrackBuilder &noteOff(int channel, int key, int velocity = 0);
    MidiTrackBuilder &note(int channel, int key, int velocity, std::uint32_t start,
                           std::uint32_t length);
    MidiTrackBuilder &polyAftertouch(int channel, int key, int pressure);
    MidiTrackBuilder &controller(int channel, int number, int value);
    MidiTrackBuilder &programChange(int channel, int program);
    MidiTrackBuilder &channelAftertouch(int channel, int pressure);
    // value 0-16383, 8192 is the centre (no bend).
    MidiTrackBuilder &pitchBend(int channel, int value);

    // Meta events. Texts are written byte for byte, without a terminating zero.
    MidiTrackBuilder &tempo(std::uint32_t microsecondsPerQuarter);
    // denominator is the note value (4 for 4/4); it must be a power of two.
    MidiTrackBuilder &timeSignature(int numerator, int denominator, int clocksPerClick = 24,
                                    int thirtySecondsPerQuarter = 8);
    // sharpsOrFlats from -7 (seven flats) to 7 (seven sharps).
    MidiTrackBuilder &keySignature(int sharpsOrFlats, bool minor);
    MidiTrackBuilder &text(std::string_view bytes);
    MidiTrackBuilder &copyright(std::string_view bytes);
    MidiTrackBuilder &trackName(std::string_view bytes);
    MidiTrackBuilder &lyric(std::string_view bytes);
    MidiTrackBuilder &marker(std::string_view bytes);
    MidiTrackBuilder &meta(int type, const Bytes &data);

    // System exclusive: "F0 <length> data" where data is what follows F0 on the wire
    // (normally ending with F7), and the escape form "F7 <length> data".
    MidiTrackBuilder &sysex(const Bytes &data);
    MidiTrackBuilder &sysexEscape(const Bytes &data);

    // Bytes written verbatim after the event's delta time, for illegal or truncated
    // events. The next channel event writes its status byte again.
    MidiTrackBuilder &raw(const Bytes &bytes);

    // An end-of-track event at the cursor. Without it, one is added after the last
    // event, unless omitEndOfTrack() was called.
    MidiTrackBuilder &endOfTrack();
    MidiTrackBuilder &omitEndOfTrack();

    // Leaves out a channel event's status byte when it repeats the previous one.
    // Meta, sysex and raw events cancel running status.
    MidiTrackBuilder &useRunningStatus(bool on = true);
    // Writes note-offs as note-ons with velocity 0, the usual companion of running status.
    MidiTrackBuilder &noteOffAsNoteOn(bool on = true);
    // The length written in the chunk header instead of the real one (truncated or
    // overlong tracks).
    MidiTrackBuilder &declareLength(std::uint32_t length);

    // The event bytes, without the chunk header.
    Bytes body() const;
    // "MTrk", the length and the body.
    Bytes chunk() const;

private:
    enum class Kind { Channel, Meta, Raw };
    struct Event {
        std::uint32_t tick;
        int rank; // 0 sorts before 1 at the same tick
        Kind kind;
        Bytes bytes;
    };

    MidiTrackBuilder &channelEvent(int status, int channel, std::initializer_list<int> data);
    MidiTrackBuilder &metaText(int type, std::string_view bytes);
    void add(Kind kind, Bytes bytes, std::uint32_t tick, int rank = 1);
    std::vector<Event> sortedEvents() const;
    void appendEvent(Bytes &out, const Event &event, std::uint8_t &runningStatus) const;

    std::vector<Event> m_events;
    std::uint32_t m_cursor = 0;
    bool m_autoEnd = true;
    bool m_runningStatus = false;
    bool m_noteOffAsNoteOn = false;
    std::optional<std::uint32_t> m_declaredLength;
};

} // namespace melorit::fixtures
