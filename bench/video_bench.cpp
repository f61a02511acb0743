// The karaoke video against the MP3 of the same song: the whole rendering
// road (player, export choices, encoder, the 1024-byte loop) to MP3 (lame
// -h -b128) and to MP4 (ffmpeg: H.264 at the chosen size, AAC 128 kbit/s,
// the lyrics drawn by libass), in wall seconds and CPU seconds of this
// process and of the encoder:
//
//   video_bench [--font FILE] [--song FILE] [--runs N] [--size WxH]
//
// Without --song it converts the generated 3-minute song of BenchSong.cpp
// with words on every beat. The median of N runs (3).

#include "bench/BenchAnswers.h"
#include "bench/BenchSong.h"
#include "bench/BenchTiming.h"
#include "engine/Player.h"
#include "engine/PlayerDialogs.h"
#include "export/SongRenderer.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace melorit;
using namespace melorit::bench;

struct Run {
    double wall = -1;
    double ownCpu = 0;
    double encoderCpu = 0;
};

Run convert(const QString &font, const QString &song, int encoding, const QString &size,
            const QDir &dir)
{
    Answers answers;
    answers.tags.Title = QStringLiteral("Bench song");
    answers.tags.Artist = QStringLiteral("Melorit");
    answers.settings.Encoding = encoding;
    answers.settings.Rate = QStringLiteral("128");
    answers.settings.SaveFolder = dir.path();
    answers.settings.MakeFile = false;
    answers.settings.Video.Size = size;
    engine::PlayerSettings settings{dir.filePath(QStringLiteral("Melorit.ini")), {}, dir.path()};
    settings.output = engine::PlayerOutput::Pull;
    const double own = cpuSeconds(RUSAGE_SELF);
    const double children = cpuSeconds(RUSAGE_CHILDREN);
    const auto start = Clock::now();
    engine::Player player(settings, nullptr, &answers);
    if (!player.ReplaceFont(font)) {
        return {};
    }
    exporting::SongRenderer renderer(answers);
    player.setRendering(&renderer);
    player.playlist().addSong(song);
    player.playlist().setCurrentSong(1);
    player.Action_Record();
    Run run;
    if (renderer.lastReport().outcome == exporting::RenderOutcome::Converted) {
        run.wall = seconds(start);
    }
    run.ownCpu = cpuSeconds(RUSAGE_SELF) - own;
    run.encoderCpu = cpuSeconds(RUSAGE_CHILDREN) - children;
    return run;
}

void report(const char *name, const std::vector<Run> &runs, double reference)
{
    std::vector<double> wall, own, encoder;
    for (const Run &r : runs) {
        wall.push_back(r.wall);
        own.push_back(r.ownCpu);
        encoder.push_back(r.encoderCpu);
    }
    const double w = median(wall);
    std::printf("  %s: %.2f s wall (x%.2f of MP3), CPU %.2f s synthesis + %.2f s encoder\n", name,
                w, reference > 0 ? w / reference : 1.0, median(own), median(encoder));
}

} // namespace

int main(int argc, char **argv)
{
    QString font = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
    QString song;
    QString size = QStringLiteral("1280x720");
    int runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (arg == "--font") {
            font = value;
        } else if (arg == "--song") {
            song = value;
        } else if (arg == "--runs") {
            runs = std::max(1, value.toInt());
        } else if (arg == "--size") {
            size = value;
        } else {
            std::fprintf(stderr,
                         "usage: video_bench [--font F] [--song S] [--runs N] [--size WxH]\n");
            return 2;
        }
    }
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    if (song.isEmpty()) {
        song = dir.filePath(QStringLiteral("bench-karaoke.mid"));
        fixtures::writeFile(song.toStdString(), buildBenchKaraoke());
    }
    std::vector<Run> mp3, mp4;
    for (int run = 0; run < runs; ++run) {
        mp3.push_back(convert(font, song, 1, size, dir));
        mp4.push_back(convert(font, song, 3, size, dir));
        if (mp3.back().wall < 0 || mp4.back().wall < 0) {
            std::fprintf(stderr, "a conversion failed\n");
            return 1;
        }
    }
    std::printf("%s, video %s, median of %d runs\n", qPrintable(QFileInfo(song).fileName()),
                qPrintable(size), runs);
    std::vector<double> mp3Wall;
    for (const Run &r : mp3) {
        mp3Wall.push_back(r.wall);
    }
    report("MP3", mp3, median(mp3Wall));
    report("MP4", mp4, median(mp3Wall));
    return 0;
}
