#pragma once

#include <cstdint>
#include <vector>

namespace melorit::audio {

// A song's own timing: MIDI ticks to sample frames at 44100 Hz and back, from
// the file's division and its tempo events. Ticks and frames are fractional so
// that conversions round only once, at the caller.
class TempoMap {
public:
    static constexpr std::uint32_t kDefaultTempo = 500000; // 120 quarter notes a minute

    struct Change {
        std::uint32_t tick = 0;
        std::uint32_t microsPerQuarter = kDefaultTempo;
    };

    // Metrical time: ticks per quarter note and the file's tempo changes, in
    // tick order (later ones win at equal ticks).
    TempoMap(double ticksPerQuarter, const std::vector<Change> &changes);
    // SMPTE time: a fixed number of ticks per second; tempo events do not apply.
    static TempoMap fixedRate(double ticksPerSecond);

    double ticksPerQuarter() const { return m_ticksPerQuarter; }
    bool isFixedRate() const { return m_fixedRate; }

    // Frames per tick at a tempo, in this map's division.
    double framesPerTick(std::uint32_t microsPerQuarter) const;

    double framesAt(double tick) const;
    double tickAt(double frames) const;
    std::uint32_t tempoAt(double tick) const;
    // The tick of the first tempo change strictly after tick, or a negative
    // value when there is none.
    double nextChangeAfter(double tick) const;
    std::size_t changeCount() const { return m_segments.size(); }

private:
    struct Segment {
        double tick;
        double frame;
        double framesPerTick;
        std::uint32_t tempo;
    };

    TempoMap() = default;
    const Segment &segmentAtTick(double tick) const;
    const Segment &segmentAtFrame(double frame) const;

    double m_ticksPerQuarter = 480;
    bool m_fixedRate = false;
    std::vector<Segment> m_segments; // never empty; the first starts at tick 0
};

} // namespace melorit::audio
