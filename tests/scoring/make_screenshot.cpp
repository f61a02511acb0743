// Sings the demo song into the program and saves the lyrics window with its
// pitch lane: scoring-screenshot <output.png> [seconds [width height]].
// The "singer" is a voice-like tone along the melody (vibrato, a glide into
// each note, a few notes a semitone flat) fed as the microphone through SDL's
// disk driver; the song plays through the player on the silent driver, the
// program's own lyrics window and live scoring draw it. Run it under an X
// server: tests/lyricswin/xvfb-wrap.sh <build>/bin/scoring-screenshot out.png
#include "audio/Device.h"
#include "engine/Player.h"
#include "engine/PlayerScoring.h"
#include "engine/PlayerView.h"
#include "lyrics/OGLWin.h"
#include "scoring/ScoreSettings.h"
#include "scoring/ScoringControl.h"
#include "tests/scoring/TakeFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <numbers>

using namespace melorit;

namespace {

// A voice along the notes: partials, vibrato, a glide into each note, and
// every seventh note a semitone flat.
std::vector<float> singer(const scoring::MelodyTarget &target)
{
    const double rate = 44100;
    const auto &notes = target.notes();
    std::vector<float> take(
        static_cast<std::size_t>((target.secondsAt(notes.back().endTick) + 1) * rate), 0.0f);
    double phase = 0;
    for (std::size_t k = 0; k < notes.size(); ++k) {
        const auto &n = notes[k];
        const double key = n.key + target.options().transpose - (k % 7 == 6 ? 1.0 : 0.0);
        const auto from = static_cast<std::size_t>(target.secondsAt(n.startTick) * rate);
        const auto to = static_cast<std::size_t>((target.secondsAt(n.endTick) - 0.03) * rate);
        for (std::size_t i = from; i < to && i < take.size(); ++i) {
            const double t = static_cast<double>(i - from) / rate;
            const double glide = t < 0.06 ? -0.8 * (1 - t / 0.06) : 0.0;
            const double vibrato = t > 0.25 ? 0.25 * std::sin(2 * std::numbers::pi * 5.5 * t) : 0.0;
            const double hz = 440 * std::pow(2.0, (key + glide + vibrato - 69) / 12);
            phase += 2 * std::numbers::pi * hz / rate;
            const double level = std::min(1.0, t / 0.02) * 0.25;
            take[i] = static_cast<float>(
                level * (std::sin(phase) + 0.5 * std::sin(2 * phase) + 0.25 * std::sin(3 * phase)));
        }
    }
    return take;
}

// The player's announcements, passed on as the program passes them on.
struct View final : engine::PlayerView {
    lyrics::OGLWin *window = nullptr;
    scoring::ScoringControl *scoring = nullptr;
    void lyricsCleared() override { window->EffaceLyrics(); }
    void lyricsEventShown(int index) override { window->DisplayLyrics(index); }
    void songStarting() override { scoring->songStarting(); }
    void songFinished() override { scoring->songFinished(); }
    void songStopped() override { scoring->songStopped(); }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: scoring-screenshot <output.png> [seconds [width height]]\n");
        return 2;
    }
    QApplication app(argc, argv);
    const double seconds = argc >= 3 ? std::atof(argv[2]) : 21.7;
    const int width = argc >= 5 ? std::atoi(argv[3]) : 800;
    const int height = argc >= 5 ? std::atoi(argv[4]) : 560;

    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("au-clair-de-la-lune.kar"));
    const QString config = dir.filePath(QStringLiteral("Melorit.ini"));
    QFile::copy(QStringLiteral(MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar"), song);
    scoring::ScoreSettings settings;
    settings.enabled = true;
    settings.write(config);
    const std::vector<float> take = singer(scoring::test::targetOf(song));
    const QString raw = dir.filePath(QStringLiteral("take.raw"));
    QFile rawFile(raw);
    if (!rawFile.open(QIODevice::WriteOnly)) {
        return 1;
    }
    rawFile.write(reinterpret_cast<const char *>(take.data()),
                  static_cast<qint64>(take.size() * sizeof(float)));
    rawFile.close();
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILEIN", raw.toLocal8Bit());
    qputenv("SDL_DISKAUDIOFILE", "/dev/null");
    if (!audio::Init(44100)) {
        return 1;
    }

    engine::PlayerSettings playerSettings;
    playerSettings.configFile = config;
    engine::Player player(playerSettings);
    player.ReplaceFont(QString::fromLatin1(scoring::test::kGeneralMidiFont));
    player.playlist().addSong(song);

    lyrics::LyricsWindowHost host;
    host.model = &player.lyrics();
    host.currentTick = [&player] {
        const audio::MidiStream *stream = player.stream();
        return stream ? static_cast<std::int64_t>(stream->position(audio::PosUnit::Ticks)) : 0;
    };
    host.listening = [&player] { return player.stream() != nullptr; };
    host.configFile = config;
    host.songSettingsFile = [&player] { return player.SongSettingsFile(); };
    lyrics::OGLWin window(host);
    if (!window.openGLReady()) {
        return 1;
    }
    scoring::ScoringHost scoringHost = engine::scoringHostOf(player);
    scoringHost.languageFile = [] { return QStringLiteral(MELORIT_OUTPUT_DIR "/en.lng"); };
    scoring::ScoringControl scoring(scoringHost);
    window.setLane(scoring.lane());
    window.setWindowTitle(QStringLiteral("Lyrics"));
    window.resize(width, height);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    View view;
    view.window = &window;
    view.scoring = &scoring;
    player.setView(&view);
    player.lyrics().setDisplayHandler([&view](int mark) { view.lyricsEventShown(mark); });

    player.Action_Play();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000 && !player.songEnded()) {
        player.pumpSyncs();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    const QImage frame = window.grab().toImage();
    player.setView(nullptr);
    player.Action_Stop();
    scoring.unload();
    window.Unload();
    audio::Free();
    return frame.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
