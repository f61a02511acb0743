// The main window's rules without a window: meters, time entry, tip keys,
// layout.
#include "app/mainwin/MainLayout.h"
#include "app/mainwin/Meters.h"
#include "app/mainwin/TimeEntry.h"
#include "skins/MeterFrames.h"

#include <gtest/gtest.h>

#include <vector>

namespace melorit::mainwin::test {
namespace {

std::uint32_t noteData(int channel, int key, int velocity)
{
    return static_cast<std::uint32_t>(channel) << 16 | static_cast<std::uint32_t>(velocity) << 8 |
           static_cast<std::uint32_t>(key);
}

TEST(ChannelActivityTest, LoudNoteLightsTopFrameAndGoesDarkAfterSixteenTicks)
{
    ChannelActivity activity;
    activity.onNoteEvent(noteData(5, 60, 127));
    std::vector<int> frames;
    for (int tick = 0; tick < 17; ++tick) {
        frames.push_back(skins::activityFrameIndex(activity.tick()[5]));
    }
    EXPECT_EQ(frames.front(), 8);
    // 127 down by 8 per tick: the 16th tick shows 7, dark.
    EXPECT_GT(frames[14], 0);
    EXPECT_EQ(frames[15], 0);
    EXPECT_EQ(frames[16], 0);
    EXPECT_EQ(activity.value(5), 0);
}

TEST(ChannelActivityTest, NoteOffAndSofterNotesDoNotLowerTheLamp)
{
    ChannelActivity activity;
    activity.onNoteEvent(noteData(2, 60, 90));
    activity.onNoteEvent(noteData(2, 60, 0));
    activity.onNoteEvent(noteData(2, 64, 40));
    EXPECT_EQ(activity.value(2), 90);
    activity.onNoteEvent(noteData(2, 64, 100));
    EXPECT_EQ(activity.value(2), 100);
    // A channel out of range changes nothing.
    activity.onNoteEvent(noteData(16, 60, 100));
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_EQ(activity.value(ch), ch == 2 ? 100 : 0) << ch;
    }
}

TEST(ChannelActivityTest, ReleaseDarkensAtOnceAndNextNoteLightsAgain)
{
    ChannelActivity activity;
    activity.raise(0, 100);
    activity.raise(1, 50);
    activity.release();
    EXPECT_EQ(activity.value(0), -100);
    EXPECT_EQ(activity.value(1), -50);
    const auto shown = activity.tick();
    EXPECT_EQ(shown[0], 0);
    EXPECT_EQ(shown[1], 0);
    activity.raise(0, 30);
    EXPECT_EQ(activity.tick()[0], 30);
}

TEST(LevelHoldTest, RisesAtOnceAndFallsBySixteenthOfFullScale)
{
    LevelHold hold;
    hold.tick(StereoLevel{32768, 16384});
    EXPECT_EQ(hold.leftSegments(), 11);
    EXPECT_EQ(hold.rightSegments(), 6);
    hold.tick(StereoLevel{0, 0});
    EXPECT_EQ(hold.left(), 32768 - 2048);
    EXPECT_EQ(hold.right(), 16384 - 2048);
    // A louder level than the hold takes over at once.
    hold.tick(StereoLevel{1000, 30000});
    EXPECT_EQ(hold.right(), 30000);
}

TEST(LevelHoldTest, WithoutStreamTheMetersKeepFallingToZero)
{
    LevelHold hold;
    hold.tick(StereoLevel{20000, 20000});
    for (int i = 0; i < 9; ++i) {
        hold.tick(std::nullopt);
    }
    EXPECT_EQ(hold.left(), 20000 - 9 * 2048);
    hold.tick(std::nullopt);
    EXPECT_EQ(hold.left(), 0);
    EXPECT_EQ(hold.leftSegments(), 0);
    EXPECT_EQ(hold.rightSegments(), 0);
}

TEST(ClipLampTest, FullScaleSampleLightsForOneTick)
{
    ClipLamp lamp;
    const std::vector<std::int16_t> quiet{0, 100, -32767, 32766};
    lamp.check(quiet);
    EXPECT_FALSE(lamp.tick());
    for (const std::int16_t peak : {std::int16_t{32767}, std::int16_t{-32768}}) {
        std::vector<std::int16_t> block(8192, 0);
        // One clipped value deep inside the block, on the right channel.
        block[4001] = peak;
        lamp.check(block);
        EXPECT_TRUE(lamp.tick()) << peak;
        EXPECT_FALSE(lamp.tick()) << peak;
    }
}

TEST(ScopeTracesTest, EachBoxShowsItsOwnChannel)
{
    // Left at +0.5, right at -0.25 full scale, 4096 frames; an odd step
    // of samples would mix the two.
    std::vector<std::int16_t> block;
    for (int f = 0; f < 4096; ++f) {
        block.push_back(16384);
        block.push_back(-8192);
    }
    for (const int width : {118, 117, 1, 5000}) {
        const ScopeTraces traces = scopeTraces(block, width);
        ASSERT_GE(traces.left.size(), 2u) << width;
        EXPECT_LE(traces.left.size(), static_cast<std::size_t>(std::max(width, 2)) * 2) << width;
        for (const QPointF &p : traces.left) {
            ASSERT_DOUBLE_EQ(p.y(), 0.5) << width;
        }
        for (const QPointF &p : traces.right) {
            ASSERT_DOUBLE_EQ(p.y(), -0.25) << width;
        }
        EXPECT_DOUBLE_EQ(traces.left.front().x(), 0.0);
        EXPECT_LE(traces.left.back().x(), 1.0);
    }
}

TEST(ScopeTracesTest, NoDataDrawsTheFlatCentreLine)
{
    const ScopeTraces traces = scopeTraces({}, 118);
    ASSERT_EQ(traces.left.size(), 2u);
    EXPECT_EQ(traces.left[0], QPointF(0, 0));
    EXPECT_EQ(traces.left[1], QPointF(1, 0));
    EXPECT_EQ(traces.right, traces.left);
}

TEST(TimeEntryTest, AcceptsMinutesAndSecondsWithEitherSeparator)
{
    EXPECT_DOUBLE_EQ(*parseTimeEntry(QStringLiteral("2:03,5")), 123.5);
    EXPECT_DOUBLE_EQ(*parseTimeEntry(QStringLiteral("2:03.5")), 123.5);
    EXPECT_DOUBLE_EQ(*parseTimeEntry(QStringLiteral("7,25")), 7.25);
    EXPECT_DOUBLE_EQ(*parseTimeEntry(QStringLiteral(" 0:00,000 ")), 0.0);
    EXPECT_DOUBLE_EQ(*parseTimeEntry(QStringLiteral("100:00")), 6000.0);
    EXPECT_DOUBLE_EQ(*parseTimeEntry(QStringLiteral(",5")), 0.5);
}

TEST(TimeEntryTest, RefusesWhatIsNotATime)
{
    for (const char *text : {"", "   ", "abc", "1:2:3", "-5", "1:-3", "12s", "1..2", ":30",
                             "1:", "1e3", "inf", "nan", "0x10"}) {
        EXPECT_FALSE(parseTimeEntry(QString::fromLatin1(text)).has_value()) << text;
    }
}

TEST(TimeEntryTest, MarkerTimesFollowTheTempoFactor)
{
    // A punch-in typed as 10 s with a factor 0.8 is stored as 8.
    EXPECT_DOUBLE_EQ(storedMarkerTime(10, 0.8), 8);
    // Without a song the stored time is shown back in the typed scale.
    EXPECT_DOUBLE_EQ(proposedMarkerTime(std::nullopt, 8, 0.8), 10);
    // With a song its position is proposed; confirming it unchanged stores
    // the position itself.
    const double proposed = proposedMarkerTime(12.0, 3, 0.8);
    EXPECT_DOUBLE_EQ(storedMarkerTime(proposed, 0.8), 12.0);
    EXPECT_DOUBLE_EQ(proposedMarkerTime(5.0, 3, 1.0), 5.0);
}

TEST(TipKeysTest, SoloAndMuteButtonsShareOneKeyEach)
{
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(picSMTipKey(i), QStringLiteral("SM(0)")) << i;
    }
    for (int i = 16; i < 32; ++i) {
        EXPECT_EQ(picSMTipKey(i), QStringLiteral("SM(16)")) << i;
    }
    for (int i = 32; i <= 50; ++i) {
        EXPECT_EQ(picSMTipKey(i), QStringLiteral("SM(%1)").arg(i)) << i;
    }
}

TEST(MainLayoutTest, ControlsLieInsideTheWindowWithoutOverlapping)
{
    using namespace layout;
    const QRect window(0, 0, kWindowWidth, kWindowHeight);
    std::vector<std::pair<QString, QRect>> rects;
    for (int i = 0; i <= 50; ++i) {
        rects.emplace_back(QStringLiteral("PicSM(%1)").arg(i), picSM(i));
    }
    for (int i = 0; i <= 16; ++i) {
        rects.emplace_back(QStringLiteral("Potard(%1)").arg(i), fader(i));
    }
    for (int ch = 0; ch < kChannels; ++ch) {
        rects.emplace_back(QStringLiteral("PicJ(%1)").arg(ch), activityLamp(ch));
        rects.emplace_back(QStringLiteral("channel %1").arg(ch), channelNumber(ch));
    }
    rects.emplace_back(QStringLiteral("transpose"), transposeKnob());
    rects.emplace_back(QStringLiteral("tempo"), tempoReadout());
    rects.emplace_back(QStringLiteral("clip"), clipLamp());
    rects.emplace_back(QStringLiteral("meterL"), meterLeft());
    rects.emplace_back(QStringLiteral("meterR"), meterRight());
    rects.emplace_back(QStringLiteral("scopeL"), scopeLeft());
    rects.emplace_back(QStringLiteral("scopeR"), scopeRight());
    rects.emplace_back(QStringLiteral("time"), timeLabel());
    rects.emplace_back(QStringLiteral("gain"), gainLabel());
    rects.emplace_back(QStringLiteral("gainTitle"), gainTitle());
    for (int i = 0; i < 3; ++i) {
        rects.emplace_back(QStringLiteral("vol %1").arg(i), volumeLabel(i));
    }
    rects.emplace_back(QStringLiteral("solo"), soloLabel());
    rects.emplace_back(QStringLiteral("mute"), muteLabel());
    for (const auto &[name, r] : rects) {
        ASSERT_FALSE(r.isEmpty()) << name.toStdString();
        EXPECT_TRUE(window.contains(r)) << name.toStdString();
    }
    for (std::size_t a = 0; a < rects.size(); ++a) {
        for (std::size_t b = a + 1; b < rects.size(); ++b) {
            EXPECT_FALSE(rects[a].second.intersects(rects[b].second))
                << rects[a].first.toStdString() << " / " << rects[b].first.toStdString();
        }
    }
    // The slider spans the two marker buttons, and they sit at its ends.
    EXPECT_EQ(positionSpan().left(), commandButton(44).left());
    EXPECT_EQ(positionSpan().right(), commandButton(45).right());
    // The strips are aligned: one pitch apart, solo and mute under the fader.
    for (int ch = 1; ch < kChannels; ++ch) {
        EXPECT_EQ(fader(ch).left() - fader(ch - 1).left(), kStripPitch);
    }
    for (int ch = 0; ch < kChannels; ++ch) {
        EXPECT_EQ(soloButton(ch).left(), fader(ch).left());
        EXPECT_EQ(muteButton(ch).left(), fader(ch).left());
        EXPECT_EQ(activityLamp(ch).center().x(), fader(ch).center().x());
    }
}

} // namespace
} // namespace melorit::mainwin::test
