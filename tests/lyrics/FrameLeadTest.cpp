// A lyrics frame is drawn for the moment it reaches the screen.
#include "lyrics/FrameLead.h"

#include <gtest/gtest.h>

namespace melorit::lyrics {
namespace {

constexpr std::int64_t kMs = 1'000'000;

TEST(FrameLead, DrawsAheadByTheFrameTimeAtThePaceOfTheSong)
{
    FrameLead lead;
    // 960 ticks a second; frames every 10 ms that take 8 ms to show.
    std::int64_t drawn = 0;
    for (int frame = 0; frame < 100; ++frame) {
        const std::int64_t read = frame * 10 * kMs;
        drawn = lead.tickToDraw(frame * 96 / 10, read);
        lead.frameShown(read, read + 8 * kMs);
    }
    EXPECT_NEAR(static_cast<double>(drawn), 99 * 9.6 + 8 * 0.96, 1.0);

    // A jump (a seek) draws what is read until the pace is known again.
    EXPECT_EQ(lead.tickToDraw(100, 1000 * kMs), 100);
    EXPECT_EQ(lead.tickToDraw(5000, 1010 * kMs), 5000);
    // So does a stop.
    EXPECT_EQ(lead.tickToDraw(5000, 1020 * kMs), 5000);
    EXPECT_EQ(lead.tickToDraw(5000, 1030 * kMs), 5000);
}

} // namespace
} // namespace melorit::lyrics
