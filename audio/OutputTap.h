#pragma once

#include "audio/Format.h"

#include <array>
#include <cstdint>
#include <span>

namespace melorit::audio {

// Peak levels, 0 to 32768 each.
struct Levels {
    std::uint16_t left = 0;
    std::uint16_t right = 0;
};

// The last output of a stream, kept for the level meters and the
// oscilloscope. Written by the rendering thread, read between renders.
// Internal to the library.
class OutputTap {
public:
    static constexpr std::size_t kFrames = 8192;
    // The span the level is measured over: 20 ms.
    static constexpr std::size_t kLevelFrames = kSampleRate / 50;

    void write(std::span<const std::int16_t> interleaved);
    void clear();
    // Copies the most recent values (interleaved samples), oldest first, up to
    // what has been produced; returns how many.
    std::size_t copyRecent(std::span<std::int16_t> out) const;
    Levels levels() const;

private:
    std::array<std::int16_t, kFrames * kChannels> m_ring{};
    std::size_t m_head = 0;   // next value written
    std::size_t m_filled = 0; // values held, up to the ring's size
};

} // namespace melorit::audio
