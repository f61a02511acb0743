// Cost of the lyrics window's frames: 15 lines of 40 characters on screen,
// drawn by the 10 ms timer and back to back. Run it on an X server with the
// renderer to measure, e.g. Mesa's software one under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb
//     LIBGL_ALWAYS_SOFTWARE=1 <build>/bin/lyricswin_bench [seconds] [width height]
#include "audio/MidiStream.h"
#include "lyrics/LyricsModel.h"
#include "lyrics/OGLWin.h"
#include "lyrics/StreamLyricsSource.h"
#include "lyrics/VueOpenGL.h"
#include "tests/support/MidiFileBuilder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace melorit;

namespace {

constexpr int kLines = 40;
constexpr std::uint32_t kLineTicks = 1920; // a line every two seconds at 120 bpm
constexpr double kTicksPerSecond = 960;

// 40 lines of eight five-character syllables: 40 characters a line.
fixtures::MidiFileBuilder benchLyrics()
{
    static const char *const words[] = {"Somew", "here ",  "over ", "the r",
                                        "ainbo", "w way ", "up hi", "gh!  "};
    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    auto &track = file.addTrack();
    for (std::uint32_t line = 0; line < kLines; ++line) {
        for (std::uint32_t s = 0; s < 8; ++s) {
            std::string text = words[s];
            if (s == 0) {
                text = (line == 0 ? "\\" : "/") + text;
            }
            track.at(kLineTicks * (line + 1) + s * 240).lyric(text);
        }
    }
    return file;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const double seconds = argc >= 2 ? std::atof(argv[1]) : 5.0;
    const int width = argc >= 4 ? std::atoi(argv[2]) : 800;
    const int height = argc >= 4 ? std::atoi(argv[3]) : 450;

    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("bench.kar")).toStdString();
    if (!benchLyrics().writeTo(path)) {
        return 1;
    }
    auto stream = audio::MidiStream::openFile(path, {});
    if (!stream) {
        return 1;
    }
    lyrics::LyricsModel model;
    lyrics::StreamLyricsSource source(*stream);
    model.InitLyrics(source);

    // A clock that plays the song from line 20 on, so 15 lines are in view.
    QElapsedTimer clock;
    const std::int64_t startTick = static_cast<std::int64_t>(kLineTicks) * 20;
    lyrics::LyricsWindowHost host;
    host.model = &model;
    host.listening = [] { return true; };
    host.currentTick = [&clock, startTick] {
        return startTick + static_cast<std::int64_t>(clock.nsecsElapsed() * 1e-9 * kTicksPerSecond);
    };
    host.configFile = dir.filePath(QStringLiteral("Melorit.ini"));
    lyrics::OGLWin window(host);
    if (!window.openGLReady()) {
        return 1;
    }
    window.resize(width, height);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    lyrics::VueOpenGL &view = *window.view();
    clock.start();
    QTest::qWait(500); // glyphs built, first frames drawn

    // Triangles a frame sends: every glyph of the 15 lines.
    std::size_t triangles = 0;
    int glyphs = 0;
    {
        const auto tick = host.currentTick();
        int current = 1;
        while (current < model.LineCount() && model.line(current + 1).LineTick <= tick) {
            ++current;
        }
        for (int i = std::max(1, current - 7); i <= std::min(model.LineCount(), current + 7); ++i) {
            for (const char c : model.line(i).LineText) {
                triangles += view.font().triangleCount(static_cast<unsigned char>(c));
                ++glyphs;
            }
        }
    }

    // The timer's frames.
    const auto frames0 = view.frameCount();
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(static_cast<int>(seconds * 1000));
    const double timerWall = static_cast<double>(wall.nsecsElapsed()) * 1e-9;
    const double timerCpu = cpuSeconds() - cpu0;
    const auto timerFrames = view.frameCount() - frames0;

    // Frames back to back, as fast as the renderer goes, each read back.
    const int backToBack = 200;
    const double cpu1 = cpuSeconds();
    wall.restart();
    std::vector<double> frameMs;
    for (int i = 0; i < backToBack; ++i) {
        QElapsedTimer one;
        one.start();
        (void)view.grabFramebuffer();
        frameMs.push_back(static_cast<double>(one.nsecsElapsed()) * 1e-6);
    }
    const double fastWall = static_cast<double>(wall.nsecsElapsed()) * 1e-9;
    const double fastCpu = cpuSeconds() - cpu1;
    std::sort(frameMs.begin(), frameMs.end());

    std::printf("lyrics window %dx%d, %d glyphs in view, %zu triangles a frame\n", width, height,
                glyphs, triangles);
    std::printf("10 ms timer : %.1f frames/s over %.1f s, CPU %.2f ms/frame (%.0f%% of a core)\n",
                static_cast<double>(timerFrames) / timerWall, timerWall,
                timerCpu * 1000 / static_cast<double>(std::max<std::uint64_t>(timerFrames, 1)),
                100 * timerCpu / timerWall);
    std::printf("drawn and read back: %.1f frames/s, CPU %.2f ms/frame, wall median %.2f ms, 95%% "
                "%.2f ms\n",
                backToBack / fastWall, fastCpu * 1000 / backToBack, frameMs[frameMs.size() / 2],
                frameMs[frameMs.size() * 95 / 100]);
    window.Unload();
    return 0;
}
