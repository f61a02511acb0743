#include "audio/TempoMap.h"
#include "audio/Timeline.h"

#include <gtest/gtest.h>

using namespace melorit::audio;

TEST(TempoMap, ConvertsTicksAndFramesAcrossTempoChanges)
{
    const TempoMap map(480, {{0, 500000}, {960, 1000000}, {960, 250000}, {1920, 750000}});
    EXPECT_DOUBLE_EQ(map.framesAt(0), 0.0);
    EXPECT_DOUBLE_EQ(map.framesAt(480), 22050.0);
    EXPECT_DOUBLE_EQ(map.framesAt(960), 44100.0);
    // Two changes at one tick: the later one counts.
    EXPECT_EQ(map.tempoAt(960), 250000u);
    EXPECT_DOUBLE_EQ(map.framesAt(1920), 44100.0 + 22050.0);
    EXPECT_DOUBLE_EQ(map.framesAt(2400), 66150.0 + 33075.0);
    for (double tick : {0.0, 17.5, 479.0, 960.0, 1500.25, 1920.0, 5000.0}) {
        EXPECT_NEAR(map.tickAt(map.framesAt(tick)), tick, 1e-9) << tick;
    }
    EXPECT_DOUBLE_EQ(map.nextChangeAfter(0), 960.0);
    EXPECT_DOUBLE_EQ(map.nextChangeAfter(960), 1920.0);
    EXPECT_LT(map.nextChangeAfter(1920), 0.0);
}

TEST(TempoMap, FixedRateFilesUseANominalDivision)
{
    const TempoMap map = TempoMap::fixedRate(1000);
    EXPECT_TRUE(map.isFixedRate());
    EXPECT_DOUBLE_EQ(map.framesAt(1000), 44100.0);
    EXPECT_EQ(map.tempoAt(0), TempoMap::kDefaultTempo);
    // A tempo sent by the program scales the rate as it would for any song.
    EXPECT_DOUBLE_EQ(map.framesPerTick(250000), 44.1 / 2);
}

TEST(Timeline, FollowsTheSongUntilATempoIsSent)
{
    const TempoMap song(480, {{0, 500000}, {960, 1000000}});
    Timeline timeline(song);
    for (double tick : {0.0, 480.0, 960.0, 2000.0}) {
        EXPECT_DOUBLE_EQ(timeline.frameAt(tick), song.framesAt(tick));
    }
    EXPECT_EQ(timeline.tempo(), 500000u);
}

TEST(Timeline, ASentTempoLastsUntilTheSongsNextChange)
{
    const TempoMap song(480, {{0, 500000}, {960, 1000000}});
    Timeline timeline(song);
    timeline.changeTempo(480, 250000); // twice as fast from tick 480
    EXPECT_EQ(timeline.tempo(), 250000u);
    EXPECT_DOUBLE_EQ(timeline.frameAt(240), song.framesAt(240)); // the past is kept
    EXPECT_DOUBLE_EQ(timeline.frameAt(960), 22050.0 + 11025.0);
    // After the song's own change the song's tempo applies, shifted.
    EXPECT_DOUBLE_EQ(timeline.frameAt(1440), 33075.0 + 44100.0);
    for (double tick : {100.0, 480.0, 700.0, 960.0, 1200.0, 3000.0}) {
        EXPECT_NEAR(timeline.tickAt(timeline.frameAt(tick)), tick, 1e-9) << tick;
    }

    // The song's change is played: the present moves on, the sent tempo is over.
    timeline.changeTempo(960, 1000000);
    EXPECT_EQ(timeline.tempo(), 1000000u);
    EXPECT_DOUBLE_EQ(timeline.frameAt(700), 22050.0 + 220 * 11025.0 / 480);
    EXPECT_DOUBLE_EQ(timeline.frameAt(1440), 33075.0 + 44100.0);
}

TEST(Timeline, AChangeBeyondTheSongsNextChangeKeepsThatChange)
{
    const TempoMap song(480, {{0, 500000}, {960, 1000000}});
    Timeline timeline(song);
    timeline.changeTempo(1440, 500000); // the song's change at 960 was skipped over
    EXPECT_DOUBLE_EQ(timeline.frameAt(1440), 44100.0 + 44100.0);
    EXPECT_DOUBLE_EQ(timeline.frameAt(1200), 44100.0 + 22050.0);
    EXPECT_DOUBLE_EQ(timeline.frameAt(1920), 88200.0 + 22050.0);
}

TEST(Timeline, RestartingAfterASeekBringsBackTheSongsTempo)
{
    const TempoMap song(480, {{0, 500000}, {960, 1000000}});
    Timeline timeline(song);
    timeline.changeTempo(0, 250000);
    const double frameAt480 = timeline.frameAt(480);
    EXPECT_DOUBLE_EQ(frameAt480, 11025.0);

    // Forward: the past played at the sent tempo stays, the present is the song's.
    timeline.restartAt(480);
    EXPECT_EQ(timeline.tempo(), 500000u);
    EXPECT_DOUBLE_EQ(timeline.frameAt(480), frameAt480);
    EXPECT_DOUBLE_EQ(timeline.frameAt(960), frameAt480 + 22050.0);

    // Back into the past.
    timeline.restartAt(240);
    EXPECT_EQ(timeline.tempo(), 500000u);
    EXPECT_DOUBLE_EQ(timeline.frameAt(240), 5512.5);
    EXPECT_DOUBLE_EQ(timeline.frameAt(480), 5512.5 + 11025.0);
    timeline.restartAt(0);
    EXPECT_DOUBLE_EQ(timeline.frameAt(960), 44100.0);
}
