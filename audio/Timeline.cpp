#include "audio/Timeline.h"

#include <algorithm>

namespace melorit::audio {

Timeline::Timeline(const TempoMap &song) : m_song(song)
{
    // Room for a tempo change of the program at every tempo change of the song
    // without growing while the song plays.
    m_past.reserve(2 * song.changeCount() + 256);
    setPresent(0, 0, song.tempoAt(0));
}

void Timeline::setPresent(double tick, double frame, std::uint32_t tempo)
{
    m_current = {tick, frame, m_song.framesPerTick(tempo), tempo};
    m_nextChange = m_song.nextChangeAfter(tick);
    if (m_nextChange >= 0) {
        m_nextFrame = frame + (m_nextChange - tick) * m_current.framesPerTick;
    }
}

double Timeline::songFrameOffset() const
{
    return m_nextFrame - m_song.framesAt(m_nextChange);
}

double Timeline::frameAt(double tick) const
{
    if (tick < m_current.tick && !m_past.empty()) {
        auto it = std::upper_bound(m_past.begin(), m_past.end(), tick,
                                   [](double t, const Segment &s) { return t < s.tick; });
        const Segment &s = it == m_past.begin() ? m_past.front() : *(it - 1);
        return s.frame + (tick - s.tick) * s.framesPerTick;
    }
    if (m_nextChange < 0 || tick <= m_nextChange) {
        return m_current.frame + (tick - m_current.tick) * m_current.framesPerTick;
    }
    return m_song.framesAt(tick) + songFrameOffset();
}

double Timeline::tickAt(double frame) const
{
    if (frame < m_current.frame && !m_past.empty()) {
        auto it = std::upper_bound(m_past.begin(), m_past.end(), frame,
                                   [](double f, const Segment &s) { return f < s.frame; });
        const Segment &s = it == m_past.begin() ? m_past.front() : *(it - 1);
        return s.tick + (frame - s.frame) / s.framesPerTick;
    }
    if (m_nextChange < 0 || frame <= m_nextFrame) {
        return m_current.tick + (frame - m_current.frame) / m_current.framesPerTick;
    }
    return m_song.tickAt(frame - songFrameOffset());
}

void Timeline::advanceTo(double tick)
{
    while (m_nextChange >= 0 && m_nextChange < tick) {
        m_past.push_back(m_current);
        setPresent(m_nextChange, m_nextFrame, m_song.tempoAt(m_nextChange));
    }
}

void Timeline::startSegment(double tick, std::uint32_t microsPerQuarter)
{
    advanceTo(tick);
    const double frame = frameAt(tick);
    if (tick > m_current.tick) {
        m_past.push_back(m_current);
    }
    setPresent(tick, frame, std::max<std::uint32_t>(microsPerQuarter, 1));
}

void Timeline::changeTempo(double tick, std::uint32_t microsPerQuarter)
{
    startSegment(std::max(tick, m_current.tick), microsPerQuarter);
}

void Timeline::restartAt(double tick)
{
    tick = std::max(tick, 0.0);
    if (tick >= m_current.tick) {
        startSegment(tick, m_song.tempoAt(tick));
        return;
    }
    // Back into the past: what came after tick will be played again.
    const double frame = frameAt(tick);
    auto it = std::lower_bound(m_past.begin(), m_past.end(), tick,
                               [](const Segment &s, double t) { return s.tick < t; });
    m_past.erase(it, m_past.end());
    setPresent(tick, frame, m_song.tempoAt(tick));
}

} // namespace melorit::audio
