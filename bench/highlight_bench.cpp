// How late the highlight follows the sound: the demo song plays on SDL's
// silent disk driver (paced by the steady clock, a file as the microphone)
// with the program's lyrics window and live scoring; for each syllable, the
// time from its first sample being heard (and, before that, rendered by the
// synthesizer) to the first lyrics frame on screen that highlights it, and
// to the first pitch-lane paint whose "now" has reached it. On an X server:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb
//     LIBGL_ALWAYS_SOFTWARE=1 <build>/bin/highlight_bench [seconds]
#include "audio/Device.h"
#include "audio/MidiStream.h"
#include "engine/Player.h"
#include "engine/PlayerScoring.h"
#include "engine/PlayerView.h"
#include "lyrics/OGLWin.h"
#include "lyrics/VueOpenGL.h"
#include "scoring/LiveScoring.h"
#include "scoring/ScoreSettings.h"
#include "scoring/ScoringControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace melorit;

namespace {

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Frame {
    std::int64_t ns;
    std::int64_t tick;
};

struct View final : engine::PlayerView {
    lyrics::OGLWin *window = nullptr;
    scoring::ScoringControl *scoring = nullptr;
    void lyricsCleared() override { window->EffaceLyrics(); }
    void lyricsEventShown(int index) override { window->DisplayLyrics(index); }
    void songStarting() override { scoring->songStarting(); }
    void songFinished() override { scoring->songFinished(); }
    void songStopped() override { scoring->songStopped(); }
};

// Records when the lane paints and where its "now" stands.
struct LanePaints final : QObject {
    const scoring::ScoringControl *control = nullptr;
    std::vector<Frame> frames;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && control->session()) {
            frames.push_back({nowNs(), static_cast<std::int64_t>(control->session()->heardTick())});
        }
        return QObject::eventFilter(watched, event);
    }
};

// The first frame showing a tick, minus when that tick was reached; ms.
std::vector<double> delays(const std::vector<Frame> &frames, const std::vector<std::int64_t> &ticks,
                           const std::vector<std::int64_t> &reachedNs)
{
    std::vector<double> out;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const auto it = std::find_if(frames.begin(), frames.end(),
                                     [&](const Frame &f) { return f.tick >= ticks[i]; });
        if (it != frames.end() && reachedNs[i] > 0) {
            out.push_back(static_cast<double>(it->ns - reachedNs[i]) / 1e6);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

void report(const char *what, const std::vector<double> &ms)
{
    if (ms.empty()) {
        std::printf("%-34s no syllable reached\n", what);
        return;
    }
    std::printf("%-34s %3zu syllables: median %5.1f ms, 95%% %5.1f ms, max %5.1f ms\n", what,
                ms.size(), ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const double seconds = argc >= 2 ? std::atof(argv[1]) : 20.0;

    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("demo.kar"));
    const QString config = dir.filePath(QStringLiteral("Melorit.ini"));
    QFile::copy(QStringLiteral(MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar"), song);
    scoring::ScoreSettings settings;
    settings.enabled = true;
    settings.write(config);
    const QString raw = dir.filePath(QStringLiteral("silence.raw"));
    QFile silence(raw);
    if (!silence.open(QIODevice::WriteOnly)) {
        return 1;
    }
    silence.write(QByteArray(static_cast<qsizetype>(4 * 44100 * (seconds + 5)), '\0'));
    silence.close();
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILEIN", raw.toLocal8Bit());
    qputenv("SDL_DISKAUDIOFILE", "/dev/null");
    if (!audio::Init(44100)) {
        return 1;
    }

    engine::PlayerSettings playerSettings;
    playerSettings.configFile = config;
    engine::Player player(playerSettings);
    player.ReplaceFont(QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"));
    player.playlist().addSong(song);

    std::vector<Frame> lyricFrames;
    std::vector<double> frameMs; // from reading the position to the frame on screen
    std::int64_t lastTick = 0;
    std::int64_t lastReadNs = 0;
    lyrics::LyricsWindowHost host;
    host.model = &player.lyrics();
    host.currentTick = [&player, &lastTick, &lastReadNs] {
        lastReadNs = nowNs();
        const audio::MidiStream *stream = player.stream();
        lastTick = stream ? static_cast<std::int64_t>(stream->position(audio::PosUnit::Ticks)) : 0;
        return lastTick;
    };
    host.listening = [&player] { return player.stream() != nullptr; };
    host.configFile = config;
    lyrics::OGLWin window(host);
    if (!window.openGLReady()) {
        return 1;
    }
    scoring::ScoringHost scoringHost = engine::scoringHostOf(player);
    scoring::ScoringControl scoring(scoringHost);
    window.setLane(scoring.lane());
    LanePaints lane;
    lane.control = &scoring;
    scoring.lane()->installEventFilter(&lane);
    window.resize(800, 560);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    QObject::connect(window.view(), &QOpenGLWidget::frameSwapped, [&] {
        const std::int64_t now = nowNs();
        lyricFrames.push_back({now, window.view()->drawnTick()});
        frameMs.push_back(static_cast<double>(now - lastReadNs) / 1e6);
    });
    View view;
    view.window = &window;
    view.scoring = &scoring;
    player.setView(&view);
    player.lyrics().setDisplayHandler([&view](int mark) { view.lyricsEventShown(mark); });

    // Every syllable's first sample, noted on the audio thread as it is
    // rendered (a mix-time sync at its position).
    const lyrics::LyricsModel &model = player.lyrics();
    player.Action_Play();
    const auto startNs =
        nowNs() - static_cast<std::int64_t>(audio::MidiStream::bytesToSeconds(
                                                player.stream()->position(audio::PosUnit::Bytes)) *
                                            1e9);
    static std::array<std::atomic<std::int64_t>, 1024> rendered{};
    std::vector<std::int64_t> ticks;
    std::vector<std::int64_t> heardNs;
    for (int i = 1; i <= model.SyllableCount() && i <= static_cast<int>(rendered.size()); ++i) {
        const lyrics::LyricSyllable &s = model.syllable(i);
        ticks.push_back(s.Tick);
        heardNs.push_back(
            startNs +
            static_cast<std::int64_t>(
                audio::MidiStream::bytesToSeconds(static_cast<std::uint64_t>(s.BytePos)) * 1e9));
        const auto index = static_cast<std::size_t>(i - 1);
        player.stream()->setSync(
            audio::SyncType::Position, static_cast<std::uint64_t>(s.BytePos),
            [index](std::uint32_t) { rendered[index].store(nowNs()); }, audio::SyncTiming::MixTime);
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000 && !player.songEnded()) {
        player.pumpSyncs();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    }
    // Only the syllables the run reached.
    std::vector<std::int64_t> renderedNs;
    while (ticks.size() > 0 &&
           heardNs.back() > startNs + static_cast<std::int64_t>((seconds - 0.5) * 1e9)) {
        ticks.pop_back();
        heardNs.pop_back();
    }
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        renderedNs.push_back(rendered[i].load());
    }
    std::printf("lyrics window 800x560 with the pitch lane, %.0f s of the demo song, %zu frames\n",
                seconds, lyricFrames.size());
    report("heard -> lyrics frame on screen", delays(lyricFrames, ticks, heardNs));
    report("rendered -> lyrics frame on screen", delays(lyricFrames, ticks, renderedNs));
    report("heard -> pitch lane painted", delays(lane.frames, ticks, heardNs));
    std::sort(frameMs.begin(), frameMs.end());
    if (!frameMs.empty()) {
        std::printf("a lyrics frame, position read -> on screen: median %.1f ms, 95%% %.1f ms\n",
                    frameMs[frameMs.size() / 2], frameMs[frameMs.size() * 95 / 100]);
    }
    player.setView(nullptr);
    player.Action_Stop();
    scoring.unload();
    window.Unload();
    audio::Free();
    return 0;
}
