#include "audio/TempoMap.h"

#include "audio/Format.h"

#include <algorithm>

namespace melorit::audio {

TempoMap::TempoMap(double ticksPerQuarter, const std::vector<Change> &changes)
    : m_ticksPerQuarter(ticksPerQuarter > 0 ? ticksPerQuarter : 480)
{
    m_segments.push_back({0, 0, framesPerTick(kDefaultTempo), kDefaultTempo});
    for (const Change &change : changes) {
        const std::uint32_t tempo = std::max<std::uint32_t>(change.microsPerQuarter, 1);
        Segment &last = m_segments.back();
        const double tick = change.tick;
        if (tick <= last.tick) {
            // Several changes at one tick: the last one counts.
            last.framesPerTick = framesPerTick(tempo);
            last.tempo = tempo;
            continue;
        }
        const double frame = last.frame + (tick - last.tick) * last.framesPerTick;
        m_segments.push_back({tick, frame, framesPerTick(tempo), tempo});
    }
}

TempoMap TempoMap::fixedRate(double ticksPerSecond)
{
    TempoMap map;
    // A nominal division that makes the default tempo give the file's rate, so
    // a tempo sent by the program still scales the speed as it expects.
    map.m_ticksPerQuarter = ticksPerSecond / 2.0;
    map.m_fixedRate = true;
    map.m_segments.push_back({0, 0, map.framesPerTick(kDefaultTempo), kDefaultTempo});
    return map;
}

double TempoMap::framesPerTick(std::uint32_t microsPerQuarter) const
{
    return static_cast<double>(microsPerQuarter) * kSampleRate / (1e6 * m_ticksPerQuarter);
}

const TempoMap::Segment &TempoMap::segmentAtTick(double tick) const
{
    auto it = std::upper_bound(m_segments.begin(), m_segments.end(), tick,
                               [](double t, const Segment &s) { return t < s.tick; });
    return it == m_segments.begin() ? m_segments.front() : *(it - 1);
}

const TempoMap::Segment &TempoMap::segmentAtFrame(double frame) const
{
    auto it = std::upper_bound(m_segments.begin(), m_segments.end(), frame,
                               [](double f, const Segment &s) { return f < s.frame; });
    return it == m_segments.begin() ? m_segments.front() : *(it - 1);
}

double TempoMap::framesAt(double tick) const
{
    const Segment &s = segmentAtTick(tick);
    return s.frame + (tick - s.tick) * s.framesPerTick;
}

double TempoMap::tickAt(double frames) const
{
    const Segment &s = segmentAtFrame(frames);
    return s.tick + (frames - s.frame) / s.framesPerTick;
}

std::uint32_t TempoMap::tempoAt(double tick) const
{
    return segmentAtTick(tick).tempo;
}

double TempoMap::nextChangeAfter(double tick) const
{
    auto it = std::upper_bound(m_segments.begin(), m_segments.end(), tick,
                               [](double t, const Segment &s) { return t < s.tick; });
    return it == m_segments.end() ? -1.0 : it->tick;
}

} // namespace melorit::audio
