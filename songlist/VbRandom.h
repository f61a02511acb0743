#pragma once

#include <cstdint>

namespace melorit::songlist {

// The classic run-time generator: a 24-bit linear congruential series.
// Unseeded it starts from the same state in every run; the playlist seeds
// it so that each run shuffles differently.
class VbRandom {
public:
    static constexpr std::uint32_t kUnseeded = 0x50000u;
    explicit VbRandom(std::uint32_t seed = kUnseeded) : m_state(seed & 0xFFFFFFu) {}

    // Uniform in [0, 1).
    double next()
    {
        m_state = (m_state * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
        return static_cast<double>(m_state) / 16777216.0;
    }

private:
    std::uint32_t m_state;
};

} // namespace melorit::songlist
