#include "skins/MeterFrames.h"

#include <gtest/gtest.h>

using namespace melorit::skins;

TEST(ActivityFrameIndex, NineFramesFromDarkToFull)
{
    EXPECT_EQ(activityFrameIndex(0), 0);
    EXPECT_EQ(activityFrameIndex(13), 0); // 126/128 - 0.01
    EXPECT_EQ(activityFrameIndex(14), 1); // 135/128 - 0.01
    EXPECT_EQ(activityFrameIndex(56), 3); // 513/128 = 4.0078, the 0.01 takes it down
    EXPECT_EQ(activityFrameIndex(57), 4);
    EXPECT_EQ(activityFrameIndex(112), 7);
    EXPECT_EQ(activityFrameIndex(113), 8);
    EXPECT_EQ(activityFrameIndex(127), 8);
}

TEST(ActivityFrameIndex, ClampsTheLevel)
{
    EXPECT_EQ(activityFrameIndex(-127), 0);
    EXPECT_EQ(activityFrameIndex(400), 8);
}

TEST(ActivityLampFrame, LyricsChannelAndOthersInTheirColumns)
{
    EXPECT_EQ(activityLampFrame(0, true), (Frame{Sheet::ActivityLamps, QRect(3, 3, 18, 18)}));
    EXPECT_EQ(activityLampFrame(0, false).source, QRect(147, 3, 18, 18));
    EXPECT_EQ(activityLampFrame(112, false).source, QRect(147, 3 + 24 * 7, 18, 18));
    EXPECT_EQ(activityLampFrame(60, true).source, QRect(3, 3 + 24 * 4, 18, 18));
}

TEST(ActivityLampFrame, BrightestFrameStaysInsideTheSheet)
{
    const QRect lyrics = activityLampFrame(127, true).source;
    const QRect other = activityLampFrame(127, false).source;
    EXPECT_EQ(lyrics, QRect(27, 171, 18, 18));
    EXPECT_EQ(other, QRect(171, 171, 18, 18));
    EXPECT_TRUE(sheetRect(Sheet::ActivityLamps).contains(lyrics));
    EXPECT_TRUE(sheetRect(Sheet::ActivityLamps).contains(other));
    EXPECT_NE(lyrics, activityLampFrame(112, true).source);
}

TEST(MeterSegments, TwelveStepsTopSegmentAtNearlyFullScale)
{
    EXPECT_EQ(meterSegments(0), 0);
    EXPECT_EQ(meterSegments(2730), 0);
    EXPECT_EQ(meterSegments(2731), 1); // 32772 / 32768
    EXPECT_EQ(meterSegments(30037), 10);
    EXPECT_EQ(meterSegments(30038), 11);
    EXPECT_EQ(meterSegments(32768), 11);
    EXPECT_EQ(meterSegments(99999), 11);
    EXPECT_EQ(meterSegments(-5), 0);
}

TEST(MeterFrame, SideBySideFrames)
{
    EXPECT_EQ(meterFrame(0), (Frame{Sheet::LevelMeter, QRect(0, 0, 16, 80)}));
    EXPECT_EQ(meterFrame(11).source, QRect(176, 0, 16, 80));
    EXPECT_EQ(meterFrame(12), meterFrame(11));
    EXPECT_EQ(meterFrame(-1), meterFrame(0));
}

TEST(ClipLampFrame, DarkAboveLit)
{
    EXPECT_EQ(clipLampFrame(false), (Frame{Sheet::Buttons, QRect(48, 0, 24, 24)}));
    EXPECT_EQ(clipLampFrame(true), (Frame{Sheet::Buttons, QRect(48, 24, 24, 24)}));
}
