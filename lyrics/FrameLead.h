#pragma once

#include <cstdint>
#include <optional>

namespace melorit::lyrics {

// Draws a frame for the moment it will be seen. The position a frame reads
// when it starts reaches the screen only once the frame is drawn and shown,
// some milliseconds later: the frame draws the tick heard then, ahead by the
// recent frames' drawing time at the pace the ticks move. A jump (a seek, a
// new song) or a pause draws what is read until the pace is known again.
// UI thread.
class FrameLead {
public:
    static constexpr std::int64_t kMaxLeadNs = 40'000'000;

    // A frame read the position at readNs and was on screen at shownNs.
    void frameShown(std::int64_t readNs, std::int64_t shownNs);
    // The tick to draw from the tick read at nowNs.
    std::int64_t tickToDraw(std::int64_t tick, std::int64_t nowNs);

    double leadNs() const { return m_leadNs; }

private:
    struct Reading {
        std::int64_t ns;
        std::int64_t tick;
    };
    double m_leadNs = 0;
    double m_ticksPerNs = 0;
    std::optional<Reading> m_last;
};

} // namespace melorit::lyrics
