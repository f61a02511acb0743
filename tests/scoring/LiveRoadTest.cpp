// The live road: a take played into SDL's disk driver as the microphone
// while the song plays on the silent driver, scored by the program's own
// control, scores as melorit-cli scores the same take (told, as for any
// recording, how late the take started: the driver starts reading it up to a
// block after the capture starts). Its own program: the sound device is
// opened once, on the disk driver.
#include "audio/Capture.h"
#include "audio/Device.h"
#include "engine/Player.h"
#include "engine/PlayerScoring.h"
#include "engine/PlayerView.h"
#include "scoring/LiveScoring.h"
#include "scoring/ScoreSettings.h"
#include "scoring/ScoringControl.h"
#include "tests/cli/CliRun.h"
#include "tests/scoring/TakeFixture.h"
#include "tests/support/MidiFileBuilder.h"
#include "tests/support/WidgetTestEnvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <chrono>

namespace melorit::scoring::test {
namespace {

[[maybe_unused]] const auto *const environment =
    melorit::testing::addWidgetTestEnvironment("scoring_live_tests");

constexpr std::uint32_t kQuarter = 480;

// About eight seconds at the tempo below: a flute sings two lines of seven
// syllables over a bass.
fixtures::MidiFileBuilder shortSong()
{
    fixtures::MidiFileBuilder file(1, kQuarter);
    file.addTrack().tempo(500000);
    auto &words = file.addTrack();
    auto &flute = file.addTrack().programChange(3, 73);
    auto &bass = file.addTrack().programChange(1, 33);
    const int keys[] = {67, 69, 71, 72, 74, 72, 71, 69, 67, 65, 64, 62, 64, 60};
    for (std::uint32_t i = 0; i < 14; ++i) {
        const std::uint32_t tick = 4 * kQuarter + i * kQuarter + (i >= 7 ? kQuarter : 0);
        words.at(tick).lyric(i == 0 ? "\\la" : i == 7 ? "/la" : " la");
        flute.note(3, keys[i], 100, tick, kQuarter - 40);
    }
    for (std::uint32_t bar = 0; bar < 6; ++bar) {
        bass.note(1, bar % 2 ? 43 : 36, 90, bar * 4 * kQuarter, 4 * kQuarter - 60);
    }
    return file;
}

bool writeRaw(const QString &path, const std::vector<float> &take)
{
    QFile file(path);
    const auto bytes = static_cast<qint64>(take.size() * sizeof(float));
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char *>(take.data()), bytes) == bytes;
}

// The player's announcements, passed on as the program passes them on.
struct ScoringView final : engine::PlayerView {
    ScoringControl *control = nullptr;
    void songStarting() override { control->songStarting(); }
    void songJumped() override { control->songJumped(); }
    void songFinished() override { control->songFinished(); }
    void songStopped() override { control->songStopped(); }
};

struct LiveResult {
    std::optional<int> score;
    std::optional<int> shown; // in the lane at the end
    // How late the take started after the song: the disk driver starts
    // reading it up to a block after the capture is started.
    int takeLateMs = 0;
};

std::int64_t steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The song played through the device, scored by the program's own control.
LiveResult playAndScore(const QString &song, const QString &config)
{
    engine::PlayerSettings settings;
    settings.configFile = config;
    engine::Player player(settings);
    EXPECT_TRUE(player.ReplaceFont(QString::fromLatin1(kGeneralMidiFont)));
    player.playlist().addSong(song);
    ScoringControl control(engine::scoringHostOf(player));
    ScoringView view;
    view.control = &control;
    player.setView(&view);
    player.Action_Play();
    EXPECT_TRUE(player.playsThroughDevice());
    EXPECT_TRUE(control.scoring());
    // The song's start on the steady clock: the silent driver plays by it.
    const double heard =
        audio::MidiStream::bytesToSeconds(player.stream()->position(audio::PosUnit::Bytes));
    const auto songStartNs = steadyNs() - static_cast<std::int64_t>(heard * 1e9);
    QElapsedTimer wall;
    wall.start();
    while ((control.scoring() || !player.songEnded()) && wall.elapsed() < 30000) {
        player.pumpSyncs();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    LiveResult result;
    if (const LiveScoring *session = control.session()) {
        EXPECT_TRUE(session->whole());
        result.score = session->card().songScore();
        result.takeLateMs = static_cast<int>(
            (session->captureStartNs().value_or(songStartNs) - songStartNs) / 1'000'000);
    }
    result.shown = control.lane()->resultScore();
    player.setView(nullptr);
    return result;
}

TEST(LiveRoad, TheLiveScoreEqualsTheCommandLines)
{
    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("short.kar"));
    ASSERT_TRUE(shortSong().writeTo(song.toStdString()));
    // Faster and a tone up: both roads play the song as its settings say.
    const QString mst = dir.filePath(QStringLiteral("short.mst"));
    QFile settings(mst);
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[Tempo]\r\nSlider=20\r\n[Transpose]\r\nSlider=2\r\n");
    settings.close();
    const QString config = dir.filePath(QStringLiteral("Melorit.ini"));
    ScoreSettings enabled;
    enabled.enabled = true;
    enabled.write(config);

    const std::vector<float> take = renderMelodyTake(song, config);
    const QString wav = dir.filePath(QStringLiteral("take.wav"));
    const QString raw = dir.filePath(QStringLiteral("take.raw"));
    ASSERT_TRUE(writeTake(wav, take, 44100, 1));
    ASSERT_TRUE(writeRaw(raw, take));

    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILEIN", raw.toLocal8Bit());
    qputenv("SDL_DISKAUDIOFILE", "/dev/null");
    ASSERT_TRUE(audio::Init(44100));
    const LiveResult live = playAndScore(song, config);
    audio::Free();
    ASSERT_TRUE(live.score.has_value());
    // The command line, told how late the take started, and not told.
    const auto cliScore = [&](int offsetMs) {
        const testing::CliRun cli =
            testing::runCli({QStringLiteral("score"), QStringLiteral("--json"),
                             QStringLiteral("--tolerance"), QStringLiteral("50"),
                             QStringLiteral("--offset"), QString::number(offsetMs), song, wav});
        EXPECT_EQ(cli.status, 0) << cli.err.toStdString();
        return QJsonDocument::fromJson(cli.out.toUtf8()).object()[u"score"].toInt();
    };
    EXPECT_GE(cliScore(0), 90);
    const int cli = cliScore(live.takeLateMs);
    RecordProperty("take_late_ms", live.takeLateMs);
    RecordProperty("live", *live.score);
    RecordProperty("cli", cli);
    EXPECT_NEAR(*live.score, cli, 5);
    // The song was heard whole: its score is shown and kept as the best.
    EXPECT_EQ(live.shown, live.score);
    EXPECT_EQ(readBestScore(mst), live.score);
}

} // namespace
} // namespace melorit::scoring::test
