#include "engine/Transport.h"

#include "Recorders.h"

#include <gtest/gtest.h>

using namespace melorit::engine;

TEST(Transport, RepeatModeCycles)
{
    EXPECT_EQ(nextRepeatMode(kRepeatNone), kRepeatSong);
    EXPECT_EQ(nextRepeatMode(kRepeatSong), kRepeatList);
    EXPECT_EQ(nextRepeatMode(kRepeatList), kRepeatNone);
    EXPECT_EQ(nextRepeatMode(1), 1);
    EXPECT_EQ(nextRepeatMode(7), 7);
}

// Three songs played to the end, by repeat mode.
TEST(Transport, EndOfTheListByRepeatMode)
{
    // No repeat: nothing plays, the index stays past the end...
    ASSERT_EQ(songEndAction(kRepeatNone, true), SongEndAction::PlayNext);
    EXPECT_EQ(nextStep(3, 3, kRepeatNone, true), (TransportStep{4, false}));
    // ...and Previous from there plays the third song.
    EXPECT_EQ(prevStep(4, 3), (TransportStep{3, true}));

    ASSERT_EQ(songEndAction(kRepeatList, true), SongEndAction::PlayNext);
    EXPECT_EQ(nextStep(3, 3, kRepeatList, true), (TransportStep{1, true}));
    EXPECT_EQ(songEndAction(kRepeatSong, true), SongEndAction::PlayAgain);

    // Rendering never chains, and Next past the end does not wrap then.
    EXPECT_EQ(songEndAction(kRepeatList, false), SongEndAction::None);
    EXPECT_EQ(songEndAction(kRepeatSong, false), SongEndAction::None);
    EXPECT_EQ(nextStep(3, 3, kRepeatList, false), (TransportStep{4, false}));
}

TEST(Transport, NextAndPreviousInsideTheList)
{
    EXPECT_EQ(nextStep(1, 3, kRepeatNone, true), (TransportStep{2, true}));
    EXPECT_EQ(nextStep(0, 3, kRepeatNone, false), (TransportStep{1, true}));
    for (const int mode : {kRepeatNone, kRepeatSong, kRepeatList}) {
        EXPECT_EQ(prevStep(1, 3), (TransportStep{3, true})) << mode;
    }
    EXPECT_EQ(prevStep(3, 3), (TransportStep{2, true}));
    EXPECT_EQ(nextStep(0, 0, kRepeatNone, true), (TransportStep{1, false}));
}

TEST(Transport, PlaySelected)
{
    EXPECT_EQ(playSelectedStep(2, 3, kRepeatNone), (TransportStep{2, true}));
    EXPECT_EQ(playSelectedStep(4, 3, kRepeatNone), (TransportStep{4, false}));
    EXPECT_EQ(playSelectedStep(4, 3, kRepeatSong), (TransportStep{4, false}));
    EXPECT_EQ(playSelectedStep(4, 3, kRepeatList), (TransportStep{1, true}));
}

TEST(Transport, StartIndexIsClampedToTheFirstEntry)
{
    EXPECT_EQ(startIndex(0, 3), 1);
    EXPECT_EQ(startIndex(4, 3), 1);
    EXPECT_EQ(startIndex(-2, 3), 1);
    EXPECT_EQ(startIndex(3, 3), 3);
}

TEST(Transport, ClockRefreshesTheFontStatusEveryFourthTick)
{
    ClockCounter counter;
    std::vector<bool> due;
    for (int i = 0; i < 9; ++i) {
        due.push_back(counter.tick());
    }
    EXPECT_EQ(due,
              (std::vector<bool>{false, false, false, true, false, false, false, true, false}));
    EXPECT_EQ(counter.value(), 1);
}

TEST(Transport, SliderFollowsTheTickPosition)
{
    EXPECT_EQ(sliderValue(0, 1920, 1000), 0);
    EXPECT_EQ(sliderValue(960, 1920, 1000), 500);
    EXPECT_EQ(sliderValue(1920, 1920, 1000), 1000);
    // 1/3 of 3 = 1 exactly; 1 of 4 ticks on a slider of 10 = 2.5 -> 2.
    EXPECT_EQ(sliderValue(1, 4, 10), 2);
    EXPECT_EQ(sliderValue(3, 4, 10), 8); // 7.5 -> 8
    // The decay after the last event does not push the thumb past the end.
    EXPECT_EQ(sliderValue(2500, 1920, 1000), 1000);
    // No stream: the position is unknown and the thumb goes back to 0.
    EXPECT_EQ(sliderValue(-1, 1920, 1000), 0);
    EXPECT_FALSE(sliderValue(100, 0, 1000).has_value());
}

TEST(Transport, ReleasingTheSliderSeeksToTheProportionalTick)
{
    EXPECT_EQ(seekTick(500, 1000, 1920), 960);
    EXPECT_EQ(seekTick(1000, 1000, 1921), 1921);
    EXPECT_EQ(seekTick(1, 4, 10), 2); // 2.5 -> 2
    EXPECT_FALSE(seekTick(10, 0, 1920).has_value());
    // A value read back from the slider seeks near where the clock put it.
    const auto value = sliderValue(12345, 96000, 10000);
    ASSERT_TRUE(value.has_value());
    EXPECT_NEAR(static_cast<double>(*seekTick(*value, 10000, 96000)), 12345.0, 96000 / 10000.0);
}

TEST(Transport, ShowTime)
{
    EXPECT_EQ(ShowTime(75.4, 200.0), QStringLiteral("01:15 / 03:20"));
    EXPECT_EQ(ShowTime(0.5, 100.0), QStringLiteral("00:00 / 01:40")); // 0.5 -> 0
    EXPECT_EQ(ShowTime(1.5, 225.0), QStringLiteral("00:02 / 03:45"));
    EXPECT_EQ(ShowTime(-1.0, 200.0), QStringLiteral("--:-- / 03:20"));
    EXPECT_EQ(ShowTime(-1.0, 0.0), QStringLiteral("--:-- / 00:00"));
    // The decay after the last event: the position waits at the length.
    EXPECT_EQ(ShowTime(52.3, 48.5), QStringLiteral("00:48 / 00:48"));
}

TEST(Transport, SoundFontStatus)
{
    const QString lng = test::englishLanguageFile();
    EXPECT_EQ(soundFontStatusText(lng, FontStatus{QStringLiteral("TimGM6mb"), 1024, 6000000}),
              QStringLiteral("TimGM6mb\nSamples loaded: 1024 of 6000000 bytes"));
    EXPECT_EQ(soundFontStatusText(lng, FontStatus{QStringLiteral("A|B"), 0, 0}),
              QStringLiteral("A|B\nSamples loaded: 0 of 0 bytes"));
    EXPECT_EQ(soundFontStatusText(lng, std::nullopt), QStringLiteral("No SoundFont loaded"));
}
