#include "scoring/SongClock.h"

#include <algorithm>

namespace melorit::scoring {

void SongClock::record(std::int64_t ns, double tick)
{
    if (!m_points.empty() && ns <= m_points.back().ns) {
        m_points.back().tick = tick;
        return;
    }
    m_points.push_back({ns, tick});
    while (m_points.size() > 2 && m_points.front().ns < ns - kKeptNs) {
        m_points.pop_front();
    }
}

std::optional<double> SongClock::tickAt(std::int64_t ns) const
{
    if (m_points.empty() || ns < m_points.front().ns) {
        return std::nullopt;
    }
    if (ns >= m_points.back().ns) {
        return m_points.back().tick;
    }
    const auto after = std::upper_bound(m_points.begin(), m_points.end(), ns,
                                        [](std::int64_t t, const Point &p) { return t < p.ns; });
    const Point &b = *after;
    const Point &a = *(after - 1);
    const double share = static_cast<double>(ns - a.ns) / static_cast<double>(b.ns - a.ns);
    return a.tick + (b.tick - a.tick) * share;
}

std::optional<std::int64_t> SongClock::lastNs() const
{
    if (m_points.empty()) {
        return std::nullopt;
    }
    return m_points.back().ns;
}

} // namespace melorit::scoring
