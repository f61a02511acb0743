// Punch-in and punch-out while listening: the song starts at the punch-in,
// fades linearly over FadeLength at the punch-out, stays silent for
// FadeMargin, then ends through SongEnd and the transport goes on.
#include "PlayerFixture.h"

#include "audio/Device.h"
#include "audio/Error.h"
#include "engine/Markers.h"
#include "tests/support/MidiFileBuilder.h"

#include <QFile>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace melorit::engine::test {
namespace {

constexpr int kRate = 44100;

class PunchTest : public PlayerTest {
protected:
    // Eleven sine notes of 2 s each, back to back: 0 to 22 s (120 bpm, 480
    // ticks a beat). A seek silences held notes, so sections start on one.
    QString writeSong()
    {
        fixtures::MidiFileBuilder file(1, 480);
        file.addTrack().tempo(500000);
        fixtures::MidiTrackBuilder &track = file.addTrack();
        track.programChange(0, 0);
        for (std::uint32_t k = 0; k < 11; ++k) {
            track.note(0, 69, 100, k * 4 * 480, 4 * 480);
        }
        return writeFile(QStringLiteral("song.mid"), file.build());
    }

    // Plays the song and pulls it 1024 bytes at a time until its stream is
    // gone; the left channel of everything heard.
    std::vector<int> listen(Player &player)
    {
        player.playlist().addSong(path(QStringLiteral("song.mid")));
        player.playlist().setCurrentSong(1);
        player.Action_Play();
        std::vector<int> left;
        std::array<std::int16_t, 512> block{};
        for (int guard = 0; player.stream() && guard < 100000; ++guard) {
            const std::int64_t bytes = player.pull(block.data(), sizeof block);
            for (std::int64_t i = 0; i < bytes / 2; i += 2) {
                left.push_back(block[static_cast<std::size_t>(i)]);
            }
        }
        return left;
    }

    static int peak(const std::vector<int> &samples, double from, double to)
    {
        int best = 0;
        const auto first = static_cast<std::size_t>(from * kRate);
        const auto last = std::min(samples.size(), static_cast<std::size_t>(to * kRate));
        for (std::size_t i = first; i < last; ++i) {
            best = std::max(best, std::abs(samples[i]));
        }
        return best;
    }
};

TEST_F(PunchTest, ListeningStartsAtPunchInFadesAtPunchOutThenEnds)
{
    writeSong();
    SaveMarqueurs(path(QStringLiteral("song.mst")), {2.0, 5.0, true});
    auto player = makePlayer(defaultSettings());
    player->loadStartFont();
    const std::vector<int> heard = listen(*player);

    // 2 s to 5 s, the 0.3 s fade and the 0.01 s margin, to a block.
    EXPECT_NEAR(static_cast<double>(heard.size()) / kRate, 3.31, 256.0 / kRate);
    // A note starts with the section: sound from its first 10 ms.
    const int level = peak(heard, 2.5, 3.0);
    ASSERT_GT(level, 500);
    EXPECT_GT(peak(heard, 0.0, 0.01), level / 4);
    // Linear fade: each 10 ms of the fade peaks under the gain at its start
    // and over the gain at its end (with a little room for the reverb).
    for (int k = 0; k < 30; ++k) {
        const double start = 3.0 + k * 0.01;
        const int p = peak(heard, start, start + 0.01);
        EXPECT_LE(p, level * (1.0 - k / 30.0) + level * 0.04) << k;
        EXPECT_GE(p, level * (1.0 - (k + 1) / 30.0) - level * 0.04) << k;
    }
    // Silence after the fade, to the stop.
    for (auto i = static_cast<std::size_t>(3.301 * kRate); i < heard.size(); ++i) {
        ASSERT_EQ(heard[i], 0) << i;
    }
    // SongEnd ran and the transport went on: past the end of the list,
    // nothing playing.
    EXPECT_TRUE(player->songEnded());
    EXPECT_EQ(player->stream(), nullptr);
}

TEST_F(PunchTest, PunchOutNearTheEndShortensTheFade)
{
    writeSong();
    auto player = makePlayer(defaultSettings());
    player->loadStartFont();
    // The song's last event is at 22 s: an end 0.2 s before it leaves a
    // fade of 0.19 s before the margin.
    SaveMarqueurs(path(QStringLiteral("song.mst")), {20.0, 21.8, true});
    const std::vector<int> heard = listen(*player);
    EXPECT_NEAR(player->punchPlan().FadeLength, 0.19, 1e-9);
    EXPECT_NEAR(static_cast<double>(heard.size()) / kRate, 2.0, 256.0 / kRate);
    EXPECT_GT(peak(heard, 1.7, 1.8), 500);
    for (auto i = static_cast<std::size_t>(1.991 * kRate); i < heard.size(); ++i) {
        ASSERT_EQ(heard[i], 0) << i;
    }
}

TEST_F(PunchTest, InactiveOrOutOfRangeMarkersLeaveTheSongWhole)
{
    writeSong();
    auto player = makePlayer(defaultSettings());
    player->loadStartFont();
    SaveMarqueurs(path(QStringLiteral("song.mst")), {2.0, 6.0, false});
    const std::size_t whole = listen(*player).size();
    EXPECT_GT(static_cast<double>(whole) / kRate, 22.0);

    // Punch-out beyond the song: only the start moves.
    SaveMarqueurs(path(QStringLiteral("song.mst")), {2.0, 60.0, true});
    player->playlist().clear();
    const std::size_t fromTwo = listen(*player).size();
    EXPECT_NEAR(static_cast<double>(whole - fromTwo) / kRate, 2.0, 256.0 / kRate);
}

TEST_F(PunchTest, ThroughTheDeviceTheSectionEndsTheSongAtPunchOut)
{
    ASSERT_TRUE(audio::Init(kRate)) << static_cast<int>(audio::lastError());
    writeSong();
    SaveMarqueurs(path(QStringLiteral("song.mst")), {1.0, 1.5, true});
    PlayerSettings settings = defaultSettings();
    settings.output = PlayerOutput::Device;
    {
        auto player = makePlayer(settings);
        player->loadStartFont();
        player->playlist().addSong(path(QStringLiteral("song.mid")));
        player->playlist().setCurrentSong(1);
        player->Action_Play();
        ASSERT_TRUE(player->playsThroughDevice());
        // 0.81 s of section; a song played whole would last 22 s.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (player->stream() && std::chrono::steady_clock::now() < end) {
            player->pumpSyncs();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(player->stream(), nullptr);
        EXPECT_TRUE(player->songEnded());
    }
    audio::Free();
}

TEST_F(PunchTest, TheNextSongWithoutStoredMarkersPlaysWhole)
{
    writeSong();
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("song.mid")), path(QStringLiteral("plain.mid"))));
    SaveMarqueurs(path(QStringLiteral("song.mst")), {2.0, 5.0, true});
    auto player = makePlayer(defaultSettings());
    player->loadStartFont();
    player->playlist().addSongs(
        {path(QStringLiteral("song.mid")), path(QStringLiteral("plain.mid"))}, false);
    player->playlist().setCurrentSong(1);
    player->Action_Play();
    ASSERT_TRUE(player->punchPlan().Seek);
    player->Action_Next();
    EXPECT_FALSE(player->markers().PunchActive);
    EXPECT_FALSE(player->punchPlan().Seek);
    EXPECT_FALSE(player->punchPlan().FadeOut);
}

} // namespace
} // namespace melorit::engine::test
