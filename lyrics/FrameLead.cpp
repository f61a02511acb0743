#include "lyrics/FrameLead.h"

#include <algorithm>
#include <cmath>

namespace melorit::lyrics {
namespace {

// How fast the estimates follow: a new frame counts for an eighth.
constexpr double kSmoothing = 0.125;
// Readings further apart than this say nothing of the pace (a pause).
constexpr std::int64_t kMaxGapNs = 200'000'000;
// How far a reading's pace may stray from the estimate and still be the
// song going on (ticks come in whole numbers).
constexpr double kSteadiness = 0.5;

} // namespace

void FrameLead::frameShown(std::int64_t readNs, std::int64_t shownNs)
{
    const auto took =
        static_cast<double>(std::clamp<std::int64_t>(shownNs - readNs, 0, kMaxLeadNs));
    m_leadNs += (took - m_leadNs) * kSmoothing;
}

std::int64_t FrameLead::tickToDraw(std::int64_t tick, std::int64_t nowNs)
{
    bool steady = false;
    if (m_last && nowNs > m_last->ns && nowNs - m_last->ns <= kMaxGapNs && tick >= m_last->tick) {
        const double pace =
            static_cast<double>(tick - m_last->tick) / static_cast<double>(nowNs - m_last->ns);
        // Only a pace like the last one is the song going on; anything else
        // (a jump, a stop) is learnt again first.
        steady = m_ticksPerNs > 0 && std::abs(pace - m_ticksPerNs) <= kSteadiness * m_ticksPerNs;
        m_ticksPerNs = steady ? m_ticksPerNs + (pace - m_ticksPerNs) * kSmoothing : pace;
    } else {
        m_ticksPerNs = 0;
    }
    m_last = Reading{nowNs, tick};
    return steady ? tick + static_cast<std::int64_t>(std::llround(m_ticksPerNs * m_leadNs)) : tick;
}

} // namespace melorit::lyrics
