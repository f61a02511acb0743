#pragma once

#include <cstdint>

namespace melorit::playlist {

// The classic unseeded run-time generator: a 24-bit linear congruential
// series that starts from the same seed in every run, so every run of the
// program shuffles the same way.
class VbRandom {
public:
    // Uniform in [0, 1).
    double next()
    {
        m_state = (m_state * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
        return static_cast<double>(m_state) / 16777216.0;
    }

private:
    std::uint32_t m_state = 0x50000u;
};

} // namespace melorit::playlist
