// Listening through the sound device: SDL's dummy driver under CTest, which
// renders in real time, so songs, their syncs and the clock run as heard.
#include "PlayerFixture.h"

#include "audio/Device.h"
#include "audio/Error.h"
#include "audio/SyncDispatcher.h"

#include <chrono>
#include <functional>
#include <thread>

namespace melorit::engine::test {
namespace {

using Clock = std::chrono::steady_clock;

class DeviceTest : public PlayerTest {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(audio::Init(44100)) << static_cast<int>(audio::lastError());
    }
    static void TearDownTestSuite() { audio::Free(); }

    void SetUp() override
    {
        PlayerTest::SetUp();
        ASSERT_TRUE(audio::isInitialised());
        PlayerSettings settings = defaultSettings();
        settings.output = PlayerOutput::Device;
        m_player = makePlayer(settings);
        m_player->loadStartFont();
        ASSERT_TRUE(m_player->font());
    }
    void TearDown() override { m_player.reset(); }

    void setRepeat(int mode)
    {
        while (m_player->RepeatMode() != mode) {
            m_player->Action_Repeat();
        }
    }
    // Pumps the player's syncs every 10 ms, as the window's timer does, until
    // done() holds; false after maxSeconds.
    bool pumpUntil(const std::function<bool()> &done, double maxSeconds)
    {
        const auto end = Clock::now() + std::chrono::duration<double>(maxSeconds);
        while (Clock::now() < end) {
            m_player->pumpSyncs();
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    void pumpFor(double seconds)
    {
        pumpUntil([] { return false; }, seconds);
    }

    std::unique_ptr<Player> m_player;
};

TEST_F(DeviceTest, SongPlaysByItselfAndTheClockFollowsTheHeardPosition)
{
    // Eight quarters at 120 per minute: 4 s.
    m_player->playlist().addSongs({writeShortSong(QStringLiteral("long.mid"), 8)}, false);
    m_player->Action_Play();
    ASSERT_NE(m_player->stream(), nullptr);
    ASSERT_TRUE(m_player->playsThroughDevice());
    EXPECT_EQ(m_player->stream()->activeState(), audio::ActiveState::Playing);
    // Nothing is read by the caller: the device pulls the song.
    EXPECT_EQ(m_player->pull(4096), 0);

    const auto start = Clock::now();
    pumpFor(1.0);
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const double heard =
        audio::MidiStream::bytesToSeconds(m_player->stream()->position(audio::PosUnit::Bytes));
    EXPECT_GT(heard, 0.6);
    EXPECT_LT(heard, elapsed + 0.1);
    EXPECT_EQ(m_player->stream()->activeState(), audio::ActiveState::Playing);

    // The slider and the time text read the heard position: a quarter of
    // the song after about a second.
    const ClockReading reading = m_player->clockTick(1000);
    ASSERT_TRUE(reading.sliderValue.has_value());
    EXPECT_GT(*reading.sliderValue, 130);
    EXPECT_LT(*reading.sliderValue, 400);
    EXPECT_TRUE(reading.timeText.startsWith(QStringLiteral("00:01")))
        << reading.timeText.toStdString();
    EXPECT_TRUE(reading.timeText.endsWith(QStringLiteral("00:04")))
        << reading.timeText.toStdString();
}

TEST_F(DeviceTest, SongEndMovesOnOnlyWhenTheSyncsArePumped)
{
    const QString first = writeShortSong(QStringLiteral("1.mid"));
    const QString second = writeShortSong(QStringLiteral("2.mid"));
    m_player->playlist().addSongs({first, second}, false);
    setRepeat(kRepeatList);
    m_player->playlist().setCurrentSong(2);
    m_player->Action_Play();
    ASSERT_TRUE(m_player->playsThroughDevice());
    const int starts = m_view.songStarts;

    // The end is heard, but only the pump runs its sync and the next song.
    const audio::MidiStream *stream = m_player->stream();
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (stream->activeState() == audio::ActiveState::Playing && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(stream->activeState(), audio::ActiveState::Stopped);
    EXPECT_EQ(m_player->stream(), stream);
    EXPECT_EQ(m_view.songStarts, starts);

    // Repeating the list wraps to the first song, which plays.
    ASSERT_TRUE(pumpUntil([&] { return m_view.songStarts != starts; }, 2.0));
    EXPECT_EQ(m_player->playlist().CurrentSong(), 1);
    EXPECT_EQ(m_player->SongPath(), first);
    ASSERT_NE(m_player->stream(), nullptr);
    EXPECT_EQ(m_player->stream()->activeState(), audio::ActiveState::Playing);

    // Without repeat the list ends after the second song.
    setRepeat(kRepeatNone);
    ASSERT_TRUE(pumpUntil([&] { return m_view.songStarts == starts + 2; }, 5.0));
    EXPECT_EQ(m_player->playlist().CurrentSong(), 2);
    ASSERT_TRUE(pumpUntil([&] { return m_player->stream() == nullptr; }, 5.0));
    EXPECT_EQ(m_player->playlist().CurrentSong(), 3);
    EXPECT_TRUE(m_player->SongPath().isEmpty());
}

TEST_F(DeviceTest, RepeatingTheSongPlaysItAgainFromTheStart)
{
    m_player->playlist().addSongs({writeShortSong(QStringLiteral("again.mid"))}, false);
    setRepeat(kRepeatSong);
    m_player->Action_Play();
    const int starts = m_view.songStarts;
    ASSERT_TRUE(pumpUntil([&] { return m_view.songStarts != starts; }, 5.0));
    ASSERT_NE(m_player->stream(), nullptr);
    EXPECT_EQ(m_player->playlist().CurrentSong(), 1);
    EXPECT_EQ(m_player->stream()->activeState(), audio::ActiveState::Playing);
    EXPECT_LT(m_player->stream()->position(audio::PosUnit::Bytes),
              audio::MidiStream::secondsToBytes(0.3));
}

TEST_F(DeviceTest, StopEndsTheSongAndNothingFollowsIt)
{
    // Repeating the song: a sync left behind would start it again.
    m_player->playlist().addSongs({writeShortSong(QStringLiteral("stop.mid"), 2)}, false);
    setRepeat(kRepeatSong);
    m_player->Action_Play();
    ASSERT_TRUE(m_player->playsThroughDevice());
    pumpFor(0.3);
    const int starts = m_view.songStarts;
    m_player->Action_Stop();
    EXPECT_EQ(m_player->stream(), nullptr);
    EXPECT_FALSE(m_player->playsThroughDevice());

    // Past the song's end and its decay: no end sync ran, no song started.
    pumpFor(1.5);
    EXPECT_EQ(m_view.songStarts, starts);
    EXPECT_EQ(m_player->stream(), nullptr);
    EXPECT_EQ(audio::SyncDispatcher::pendingCount(), 0U);

    // Play starts the song again from its beginning.
    m_player->Action_Play();
    ASSERT_NE(m_player->stream(), nullptr);
    EXPECT_EQ(m_player->stream()->activeState(), audio::ActiveState::Playing);
    EXPECT_EQ(m_view.songStarts, starts + 1);
}

// The Device output before the device is started (or after it is freed):
// listening streams decode and the caller reads them.
TEST_F(PlayerTest, DeviceOutputWithoutADeviceDecodesForTheCaller)
{
    ASSERT_FALSE(audio::isInitialised());
    PlayerSettings settings = defaultSettings();
    settings.output = PlayerOutput::Device;
    auto player = makePlayer(settings);
    player->loadStartFont();
    player->playlist().addSongs({writeShortSong(QStringLiteral("pulled.mid"))}, false);
    player->Action_Play();
    ASSERT_NE(player->stream(), nullptr);
    EXPECT_FALSE(player->playsThroughDevice());
    EXPECT_EQ(player->pull(4096), 4096);
    EXPECT_EQ(player->stream()->position(audio::PosUnit::Bytes), 4096U);
    ASSERT_TRUE(pullToSongChange(*player, 10));
    EXPECT_EQ(player->stream(), nullptr);
}

} // namespace
} // namespace melorit::engine::test
