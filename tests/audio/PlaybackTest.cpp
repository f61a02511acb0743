// Playing streams on the sound device (SDL's dummy driver under CTest): the
// heard position, pause and resume, events while playing, and the syncs the
// dispatcher delivers on this thread.

#include "audio/Device.h"
#include "audio/MidiStream.h"
#include "audio/SyncDispatcher.h"

#include "tests/audio/AudioFixtures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace melorit::audio;
using namespace melorit::audio::testing;
using melorit::fixtures::MidiFileBuilder;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kBytesPerSecond = 44100.0 * 4;

class Playing : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(Init(44100)) << int(lastError()); }
    static void TearDownTestSuite() { Free(); }
};

// One long note of the sine preset on channel 0 (seconds long), lyrics at
// ticks 480 and 960 (0.5 s and 1 s).
MidiFileBuilder toneSong(std::uint32_t seconds = 4)
{
    MidiFileBuilder song(1, 480);
    song.addTrack().lyric("one").note(0, 69, 100, 0, 960 * seconds);
    song.track(0).at(960).lyric("two").at(960 * seconds).endOfTrack();
    return song;
}

std::unique_ptr<MidiStream> openPlaying(const MidiFileBuilder &builder)
{
    MidiStream::Options options;
    options.decode = false;
    options.font = sineFont();
    return MidiStream::open(parseSong(builder), options);
}

// Runs the dispatcher until done() or the time limit.
template <typename Done> bool dispatchUntil(Done done, std::chrono::milliseconds limit)
{
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end) {
            return false;
        }
        SyncDispatcher::dispatch();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace

TEST_F(Playing, DeviceStartsOnceWithTheVersionWordTheProgramChecks)
{
    EXPECT_EQ(GetVersion() >> 16, 0x0204u);
    EXPECT_TRUE(isInitialised());
    EXPECT_FALSE(Init(44100));
    EXPECT_EQ(lastError(), Error::Already);
    EXPECT_GE(SyncDispatcher::fd(), 0);
}

TEST_F(Playing, HeardPositionFollowsRealTime)
{
    auto stream = openPlaying(toneSong());
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->activeState(), ActiveState::Stopped);
    ASSERT_TRUE(stream->play(false));
    EXPECT_EQ(stream->activeState(), ActiveState::Playing);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto t0 = Clock::now();
    const auto p0 = stream->position(PosUnit::Bytes);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const auto p1 = stream->position(PosUnit::Bytes);
    const double elapsed = std::chrono::duration<double>(Clock::now() - t0).count();
    const double heard = double(p1 - p0) / kBytesPerSecond;
    EXPECT_NEAR(heard, elapsed, 0.05 * elapsed);
    EXPECT_EQ(p1 % 4, 0u);
    // Ticks follow the same clock: 960 ticks a second at 120 beats a minute.
    const auto ticks = stream->position(PosUnit::Ticks);
    EXPECT_NEAR(double(ticks), double(stream->position(PosUnit::Bytes)) / kBytesPerSecond * 960,
                30);
}

TEST_F(Playing, PauseKeepsThePositionAndPlayResumesThere)
{
    auto stream = openPlaying(toneSong());
    ASSERT_TRUE(stream->play(false));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_TRUE(stream->pause());
    EXPECT_EQ(stream->activeState(), ActiveState::Stopped);
    const auto paused = stream->position(PosUnit::Bytes);
    EXPECT_GT(paused, 0.2 * kBytesPerSecond);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(stream->position(PosUnit::Bytes), paused);
    ASSERT_TRUE(stream->play(false));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto resumed = stream->position(PosUnit::Bytes);
    EXPECT_GT(resumed, paused);
    EXPECT_LT(resumed, paused + 0.3 * kBytesPerSecond);
    // Restart goes back to the beginning.
    ASSERT_TRUE(stream->play(true));
    EXPECT_LT(stream->position(PosUnit::Bytes), 0.05 * kBytesPerSecond);
}

TEST_F(Playing, SeekWhilePlayingMovesTheHeardPosition)
{
    auto stream = openPlaying(toneSong());
    ASSERT_TRUE(stream->play(false));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const std::uint64_t target = 3 * 176400;
    ASSERT_TRUE(stream->setPosition(target, PosUnit::Bytes));
    const auto at = stream->position(PosUnit::Bytes);
    EXPECT_GE(at, target);
    EXPECT_LT(at, target + 0.05 * kBytesPerSecond);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_GT(stream->position(PosUnit::Bytes), target + 0.1 * kBytesPerSecond);
    EXPECT_EQ(stream->activeState(), ActiveState::Playing);
}

TEST_F(Playing, DecodingStreamsDoNotPlay)
{
    auto stream = openSong(toneSong());
    EXPECT_FALSE(stream->play(false));
    EXPECT_EQ(lastError(), Error::Decode);
}

TEST_F(Playing, SyncsArriveOnThisThreadInOrderWhenHeard)
{
    auto stream = openPlaying(toneSong(1));
    const auto self = std::this_thread::get_id();
    std::vector<std::string> seen;
    std::vector<bool> heardYet;
    auto note = [&](std::string what, std::uint64_t at) {
        EXPECT_EQ(std::this_thread::get_id(), self) << what;
        heardYet.push_back(stream->position(PosUnit::Bytes) >= at);
        seen.push_back(std::move(what));
    };
    stream->setSync(SyncType::Lyric, 0, [&](std::uint32_t index) {
        note("lyric " + std::to_string(index), stream->mark(MarkType::Lyric, index)->bytePos);
    });
    stream->setSync(SyncType::Position, 44100, [&](std::uint32_t) { note("position", 44100); });
    bool ended = false;
    stream->setSync(SyncType::End, 0, [&](std::uint32_t) {
        note("end", stream->length(PosUnit::Bytes));
        ended = true;
    });
    std::atomic<int> mixTime{0};
    stream->setSync(
        SyncType::MidiEvent, static_cast<std::uint64_t>(MidiEvent::Note),
        [&](std::uint32_t) { ++mixTime; }, SyncTiming::MixTime);
    ASSERT_TRUE(stream->play(false));
    ASSERT_TRUE(dispatchUntil([&] { return ended; }, std::chrono::seconds(10)));
    EXPECT_EQ(seen, (std::vector<std::string>{"lyric 0", "position", "lyric 1", "end"}));
    EXPECT_EQ(heardYet, std::vector<bool>(4, true));
    EXPECT_GE(mixTime.load(), 1); // ran on the audio thread, not queued
    dispatchUntil([&] { return stream->activeState() == ActiveState::Stopped; },
                  std::chrono::seconds(2));
    EXPECT_EQ(stream->activeState(), ActiveState::Stopped);
}

TEST_F(Playing, AFreedStreamsQueuedSyncsAreDropped)
{
    MidiFileBuilder song(1, 480);
    auto &track = song.addTrack();
    for (int i = 0; i < 40; ++i) {
        track.note(0, 60 + i % 12, 100, static_cast<std::uint32_t>(i * 12), 12);
    }
    track.at(960).endOfTrack();
    auto stream = openPlaying(song);
    int ran = 0;
    stream->setSync(SyncType::MidiEvent, static_cast<std::uint64_t>(MidiEvent::Note),
                    [&](std::uint32_t) { ++ran; });
    ASSERT_TRUE(stream->play(false));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    stream.reset();
    SyncDispatcher::dispatch();
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(SyncDispatcher::pendingCount(), 0u);
}

TEST_F(Playing, EventSentWhilePlayingChangesTheNextBlock)
{
    auto stream = openPlaying(toneSong());
    // Peak of each block the stream renders, recorded on the audio thread.
    constexpr int kBlocks = 4096;
    static std::array<std::atomic<int>, kBlocks> peaks{};
    static std::atomic<int> blocks{0};
    blocks = 0;
    stream->addDsp([](std::span<std::int16_t> samples) {
        int peak = 0;
        for (std::int16_t s : samples) {
            peak = std::max(peak, std::abs(int(s)));
        }
        const int n = blocks.load();
        if (n < kBlocks) {
            peaks[n] = peak;
            blocks = n + 1;
        }
    });
    ASSERT_TRUE(stream->play(false));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_GT(stream->levels().left, 500);
    const int sentAt = blocks.load();
    ASSERT_TRUE(stream->sendEvent(0, MidiEvent::MixLevel, 0));
    EXPECT_EQ(stream->eventValue(0, MidiEvent::MixLevel), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const int total = blocks.load();
    ASSERT_GT(total, sentAt + 3);
    EXPECT_GT(peaks[sentAt - 1].load(), 500);
    // The block being made while it was sent may still sound; the next one
    // applies it (FluidSynth smooths the change over its first 64 frames).
    for (int i = sentAt + 2; i < total; ++i) {
        EXPECT_LE(peaks[i].load(), 2) << "block " << i << " sent at " << sentAt;
    }
    EXPECT_FALSE(stream->sendEvent(0, MidiEvent::MixLevel, 201));
    EXPECT_EQ(lastError(), Error::IllParam);
    EXPECT_FALSE(stream->sendEvent(16, MidiEvent::Volume, 1));
}
