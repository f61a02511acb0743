#pragma once

#include "audio/TempoMap.h"

#include <cstdint>
#include <vector>

namespace melorit::audio {

// A stream's clock: which sample frame each tick is played at. It starts as
// the song's tempo map; a tempo sent to the stream changes the rate from the
// present until the song's next tempo change, and the song's own changes apply
// after that. The past keeps the rates it was actually played at, so the byte
// position of an event already heard is where it was heard.
//
// Render thread, or any thread while the stream is not being rendered.
class Timeline {
public:
    explicit Timeline(const TempoMap &song);

    double frameAt(double tick) const;
    double tickAt(double frame) const;
    // The tempo in effect at the present, microseconds per quarter note.
    std::uint32_t tempo() const { return m_current.tempo; }
    // The tick where the present segment starts.
    double presentTick() const { return m_current.tick; }

    // A new tempo from tick on (never before the present segment).
    void changeTempo(double tick, std::uint32_t microsPerQuarter);
    // After a seek: the song's own tempo applies again from tick on; the past
    // before tick is kept.
    void restartAt(double tick);

private:
    struct Segment {
        double tick;
        double frame;
        double framesPerTick;
        std::uint32_t tempo;
    };

    void setPresent(double tick, double frame, std::uint32_t tempo);
    // Closes the present segment at each of the song's changes before tick.
    void advanceTo(double tick);
    void startSegment(double tick, std::uint32_t microsPerQuarter);
    // Frames and ticks beyond the song's next tempo change, where the song's
    // map takes over from the present segment.
    double songFrameOffset() const;

    const TempoMap &m_song;
    std::vector<Segment> m_past; // closed segments before m_current, by tick
    Segment m_current{};
    double m_nextChange = -1; // the song's next tempo change after the present, or < 0
    double m_nextFrame = 0;   // frame of m_nextChange on the present segment
};

} // namespace melorit::audio
