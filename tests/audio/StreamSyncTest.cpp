// Syncs, DSP routines, levels and the recent output of a decoding stream.

#include "audio/MidiStream.h"

#include "tests/audio/AudioFixtures.h"

#include <gtest/gtest.h>

using namespace melorit::audio;
using namespace melorit::audio::testing;
using melorit::fixtures::MidiFileBuilder;

namespace {

MidiFileBuilder karaokeSong()
{
    MidiFileBuilder song(1, 480);
    song.addTrack().text("@Ttitle").at(480).text("\\Hel").at(960).text("lo");
    song.addTrack().lyric("one").at(480).lyric("two").note(2, 69, 90, 480, 240);
    song.track(1).at(1440).lyric("three").endOfTrack();
    return song;
}

} // namespace

TEST(StreamSync, MarkSyncsReportIndicesWhereTheMarksArePlayed)
{
    auto stream = openSong(karaokeSong());
    std::vector<std::uint32_t> lyrics;
    std::vector<std::uint32_t> texts;
    stream->setSync(SyncType::Lyric, 0, [&](std::uint32_t index) {
        lyrics.push_back(index);
        EXPECT_EQ(stream->position(PosUnit::Bytes), stream->mark(MarkType::Lyric, index)->bytePos);
    });
    stream->setSync(static_cast<std::uint32_t>(SyncType::Text), 0,
                    [&](std::uint32_t index) { texts.push_back(index); });
    decodeAll(*stream);
    EXPECT_EQ(lyrics, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(texts, (std::vector<std::uint32_t>{0, 1, 2}));
}

TEST(StreamSync, NoteSyncsCarryChannelKeyAndVelocityOfTheSongsNotesOnly)
{
    auto stream = openSong(karaokeSong());
    std::vector<std::uint32_t> notes;
    stream->setSync(SyncType::MidiEvent, static_cast<std::uint64_t>(MidiEvent::Note),
                    [&](std::uint32_t data) { notes.push_back(data); });
    stream->sendEvent(5, MidiEvent::Note, 60 | (100 << 8)); // the program's: no sync
    decodeAll(*stream);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0], (2u << 16) | 69u | (90u << 8));
    EXPECT_EQ(notes[1], (2u << 16) | 69u); // note-off: velocity 0
}

TEST(StreamSync, PositionSyncsFireWhenTheirPositionIsReachedAndCanStopTheStream)
{
    auto stream = openSong(karaokeSong(), false);
    const std::uint64_t at = 10001; // inside frame 2500
    int fired = 0;
    const SyncId id = stream->setSync(SyncType::Position, at, [&](std::uint32_t) {
        ++fired;
        EXPECT_EQ(stream->position(PosUnit::Bytes), 10004u);
    });
    ASSERT_NE(id, 0u);
    decodeFrames(*stream, 2500);
    EXPECT_EQ(fired, 0);
    decodeFrames(*stream, 1);
    EXPECT_EQ(fired, 1);
    decodeFrames(*stream, 10000);
    EXPECT_EQ(fired, 1);
    stream->setPosition(0, PosUnit::Bytes);
    decodeFrames(*stream, 3000);
    EXPECT_EQ(fired, 2);
    EXPECT_TRUE(stream->removeSync(id));
    EXPECT_FALSE(stream->removeSync(id));
    EXPECT_EQ(lastError(), Error::Handle);
    stream->setPosition(0, PosUnit::Bytes);
    decodeFrames(*stream, 3000);
    EXPECT_EQ(fired, 2);

    // A sync that stops the stream ends the read at its position.
    auto stopped = openSong(karaokeSong(), false);
    int ends = 0;
    stopped->setSync(SyncType::End, 0, [&](std::uint32_t) { ++ends; });
    stopped->setSync(SyncType::Position, 40000, [&](std::uint32_t) { stopped->stop(); });
    std::vector<std::uint8_t> buffer(100000);
    EXPECT_EQ(stopped->read(buffer.data(), buffer.size()), 40000);
    EXPECT_EQ(stopped->activeState(), ActiveState::Stopped);
    EXPECT_EQ(ends, 0); // stopped, not ended
}

TEST(StreamSync, DspRoutinesChangeTheOutputInOrderOfPriority)
{
    MidiFileBuilder song(1, 480);
    song.addTrack().note(0, 69, 100, 0, 960);
    auto stream = openSong(song);
    const DspId low = stream->addDsp(
        [](std::span<std::int16_t> samples) {
            for (auto &s : samples) {
                s = static_cast<std::int16_t>(-s);
            }
        },
        0);
    const DspId high = stream->addDsp(
        [](std::span<std::int16_t> samples) { std::fill(samples.begin(), samples.end(), 1000); },
        5);
    const Samples out = decodeFrames(*stream, 1000);
    EXPECT_EQ(out.front(), -1000);
    EXPECT_EQ(out.back(), -1000);
    EXPECT_TRUE(stream->removeDsp(high));
    EXPECT_TRUE(stream->removeDsp(low));
    EXPECT_FALSE(stream->removeDsp(low));
    EXPECT_GT(peak(decodeFrames(*stream, 1000), 0, 1000), 500);
}

TEST(StreamSync, AFadeStartedByAPositionSyncAppliesFromThatPosition)
{
    MidiFileBuilder song(1, 480);
    song.addTrack().note(0, 69, 100, 0, 1920);
    auto stream = openSong(song);
    const std::uint64_t at = 44100 * 4;
    stream->setSync(SyncType::Position, at, [&](std::uint32_t) {
        stream->addDsp(
            [](std::span<std::int16_t> samples) { std::fill(samples.begin(), samples.end(), 0); });
    });
    const Samples out = decodeFrames(*stream, 88200);
    EXPECT_GT(peak(out, 44100 - 200, 200), 500);
    EXPECT_EQ(peak(out, 44100, 44100), 0);
}

TEST(StreamSync, LevelsAndRecentDataDescribeTheLastOutput)
{
    MidiFileBuilder song(1, 480);
    song.addTrack().controller(0, 10, 0).note(0, 69, 127, 0, 960); // panned hard left
    auto stream = openSong(song);
    EXPECT_EQ(stream->levels().left, 0);
    const Samples out = decodeFrames(*stream, 20000);
    const Levels levels = stream->levels();
    EXPECT_EQ(levels.left, peak(out, 20000 - 882, 882, 0));
    EXPECT_EQ(levels.right, peak(out, 20000 - 882, 882, 1));
    EXPECT_GT(levels.left, 4 * levels.right);

    std::vector<std::int16_t> recent(4096 * 2);
    ASSERT_EQ(stream->recentData(recent), recent.size());
    EXPECT_TRUE(std::equal(recent.begin(), recent.end(), out.end() - 4096 * 2));
    std::vector<std::int16_t> tooMany(20000 * 2);
    EXPECT_EQ(stream->recentData(tooMany), 8192u * 2);
}

TEST(StreamSync, APosterReceivesHeardSyncsAndRunsThemLater)
{
    struct Recorder : SyncPoster {
        std::vector<std::pair<SyncId, std::uint32_t>> posted;
        void post(SyncId sync, std::uint32_t data) override { posted.emplace_back(sync, data); }
    } recorder;
    auto stream = openSong(karaokeSong());
    stream->setSyncPoster(&recorder);
    int heard = 0;
    int mixed = 0;
    const SyncId lyric = stream->setSync(SyncType::Lyric, 0, [&](std::uint32_t) { ++heard; });
    stream->setSync(
        SyncType::Lyric, 0, [&](std::uint32_t) { ++mixed; }, SyncTiming::MixTime);
    decodeAll(*stream);
    EXPECT_EQ(heard, 0);
    EXPECT_EQ(mixed, 3);
    ASSERT_EQ(recorder.posted.size(), 3u);
    EXPECT_EQ(recorder.posted[2], std::make_pair(lyric, 2u));
    EXPECT_TRUE(stream->runPostedSync(lyric, 2));
    EXPECT_EQ(heard, 1);
    stream->removeSync(lyric);
    EXPECT_FALSE(stream->runPostedSync(lyric, 2));
}

TEST(StreamSync, SyncsAreCheckedWhenSet)
{
    auto stream = openSong(karaokeSong());
    EXPECT_EQ(stream->setSync(SyncType::End, 0, nullptr), 0u);
    EXPECT_EQ(lastError(), Error::IllParam);
    EXPECT_EQ(stream->setSync(static_cast<SyncType>(7), 0, [](std::uint32_t) {}), 0u);
    EXPECT_EQ(lastError(), Error::IllType);
    EXPECT_EQ(stream->addDsp(nullptr), 0u);
    EXPECT_EQ(lastError(), Error::IllParam);
}
