#include "export/Punch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace melorit::exporting {
namespace {

engine::Markers markers(double in, double out, bool active = true)
{
    engine::Markers m;
    m.PunchIn = in;
    m.PunchOut = out;
    m.PunchActive = active;
    return m;
}

TEST(PunchPlan, SectionOfASongStartsAndFadesAtItsMarkers)
{
    const PunchPlan plan = planPunch(markers(30, 60), 200);
    EXPECT_TRUE(plan.Seek);
    EXPECT_DOUBLE_EQ(plan.StartSeconds, 30);
    EXPECT_TRUE(plan.FadeOut);
    EXPECT_DOUBLE_EQ(plan.FadeLength, 0.3);
    EXPECT_DOUBLE_EQ(plan.FadeSeconds, 60);
    EXPECT_DOUBLE_EQ(plan.EndSeconds, 60.31);
    EXPECT_NEAR(plan.EndSeconds - plan.StartSeconds, 30.31, 1e-9);
}

TEST(PunchPlan, EndNearTheSongsEndShortensTheFade)
{
    const PunchPlan plan = planPunch(markers(0, 199.8), 200);
    EXPECT_FALSE(plan.Seek);
    EXPECT_TRUE(plan.FadeOut);
    EXPECT_NEAR(plan.FadeLength, 0.19, 1e-9);
    EXPECT_NEAR(plan.EndSeconds, 200, 1e-9);
    // Exactly 0.31 s before the end keeps the whole fade.
    EXPECT_NEAR(planPunch(markers(0, 199.69), 200).FadeLength, 0.3, 1e-9);
}

TEST(PunchPlan, IgnoredMarkers)
{
    const PunchPlan off = planPunch(markers(30, 60, false), 200);
    EXPECT_FALSE(off.Seek);
    EXPECT_FALSE(off.FadeOut);

    const PunchPlan noEnd = planPunch(markers(30, 0), 200);
    EXPECT_TRUE(noEnd.Seek);
    EXPECT_FALSE(noEnd.FadeOut);

    const PunchPlan startBeyond = planPunch(markers(200, 0), 200);
    EXPECT_FALSE(startBeyond.Seek);

    EXPECT_FALSE(planPunch(markers(30, 30), 200).FadeOut);
    EXPECT_FALSE(planPunch(markers(30, 20), 200).FadeOut);
    EXPECT_FALSE(planPunch(markers(0, 200), 200).FadeOut);
    EXPECT_FALSE(planPunch(markers(-5, 10), 200).Seek);
    EXPECT_TRUE(planPunch(markers(-5, 10), 200).FadeOut);
}

TEST(PunchTimes, TypedTimesAreStoredAtTheTempoFactor)
{
    EXPECT_DOUBLE_EQ(punchTimeToStore(10, 0.8), 8);
    EXPECT_DOUBLE_EQ(punchTimeToStore(10, 1.0), 10);
    EXPECT_DOUBLE_EQ(punchTimeToPropose(false, 99, 8, 0.8), 10);
    EXPECT_DOUBLE_EQ(punchTimeToPropose(true, 42.5, 8, 0.8), 42.5);
}

std::vector<std::int16_t> constantBlock(std::size_t count, std::int16_t value)
{
    return std::vector<std::int16_t>(count, value);
}

TEST(FadeDsp, NoFadeLeavesTheBlockAlone)
{
    FadeDsp dsp;
    auto block = constantBlock(64, 1234);
    dsp.process(block.data(), block.size());
    EXPECT_EQ(block, constantBlock(64, 1234));
    EXPECT_FALSE(dsp.running());
}

TEST(FadeDsp, LinearFadeOverTheFadeLengthThenSilence)
{
    FadeDsp dsp;
    dsp.FadeStart(0.3);
    EXPECT_DOUBLE_EQ(dsp.step(), -1.0 / 0.3 / 44100 / 2);
    // 0.3 s of stereo is 26460 sample values; feed 0.4 s in odd-sized blocks.
    const std::size_t total = 35280;
    std::vector<std::int16_t> all;
    std::size_t done = 0;
    const std::size_t sizes[] = {1000, 333, 4096, 7};
    for (std::size_t n = 0; done < total; ++n) {
        const std::size_t size = std::min(sizes[n % 4], total - done);
        auto block = constantBlock(size, 20000);
        dsp.process(block.data(), block.size());
        all.insert(all.end(), block.begin(), block.end());
        done += size;
    }
    const double step = 1.0 / 0.3 / 44100 / 2;
    for (std::size_t i = 0; i < 26000; i += 997) {
        const double expected = 20000.0 * (1.0 - step * static_cast<double>(i));
        EXPECT_NEAR(all[i], expected, 1.0) << "sample " << i;
    }
    // Monotonic fall, then silence from the end of the fade on.
    for (std::size_t i = 1; i < 26460; ++i) {
        ASSERT_LE(all[i], all[i - 1]) << i;
    }
    for (std::size_t i = 26461; i < total; ++i) {
        ASSERT_EQ(all[i], 0) << i;
    }
    EXPECT_FALSE(dsp.running());
    EXPECT_TRUE(dsp.silent());

    // Later blocks stay silent.
    auto later = constantBlock(128, -32768);
    dsp.process(later.data(), later.size());
    EXPECT_EQ(later, constantBlock(128, 0));
}

TEST(FadeDsp, RoundsHalvesToEvenAndSilencesTheValueWhereTheFadeEnds)
{
    // A fade of four frames falls by 1/8 per sample value: gains 1, 0.875,
    // 0.75, 0.625, 0.5, 0.375, 0.25, 0.125; the value after which the gain
    // reaches 0 is silenced with the rest.
    FadeDsp dsp;
    dsp.FadeStart(4.0 / 44100.0);
    ASSERT_DOUBLE_EQ(dsp.step(), -0.125);
    std::vector<std::int16_t> block{100, 100, 100, 100, 5, 7, -20, 9, 1000, 1000};
    dsp.process(block.data(), block.size());
    const std::vector<std::int16_t> expected{100, 88, 75, 62, 2, 3, -5, 0, 0, 0};
    EXPECT_EQ(block, expected);
    EXPECT_TRUE(dsp.silent());

    // 7 x 0.5 = 3.5 goes to 4, -5 x 0.5 = -2.5 to -2.
    FadeDsp second;
    second.FadeStart(4.0 / 44100.0);
    std::vector<std::int16_t> halves{0, 0, 0, 0, 7};
    second.process(halves.data(), halves.size());
    EXPECT_EQ(halves[4], 4);
    FadeDsp third;
    third.FadeStart(4.0 / 44100.0);
    std::vector<std::int16_t> negative{0, 0, 0, 0, -5};
    third.process(negative.data(), negative.size());
    EXPECT_EQ(negative[4], -2);
    EXPECT_TRUE(third.running());
}

TEST(FadeDsp, ShortenedFadeOfOneNinetiethSecond)
{
    FadeDsp dsp;
    dsp.FadeStart(0.19);
    std::vector<std::int16_t> block(44100, 10000); // 0.5 s of stereo
    dsp.process(block.data(), block.size());
    const auto fadeValues = static_cast<std::size_t>(std::lround(0.19 * 44100 * 2));
    EXPECT_GT(block[fadeValues - 200], 0);
    EXPECT_EQ(block[fadeValues + 1], 0);
    EXPECT_EQ(block.back(), 0);
}

TEST(FadeDsp, FadeWithNoLengthLeftSilencesAtOnce)
{
    for (const double length : {0.0, -0.005}) {
        FadeDsp dsp;
        dsp.FadeStart(length);
        auto block = constantBlock(16, 500);
        dsp.process(block.data(), block.size());
        EXPECT_EQ(block, constantBlock(16, 0)) << length;
    }
}

} // namespace
} // namespace melorit::exporting
