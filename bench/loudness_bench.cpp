// What loudness matching costs: the generated 3-minute song (or --song)
// converted through the whole rendering road to WAV and to MP3, with and
// without "Normalize" (-16 LUFS), wall time and processor time (this
// process and the encoder it waited for), the median of N runs:
//
//   loudness_bench [--font FILE] [--runs N] [--song FILE]
//
// Goal: a matched conversion costs at most 1.15 times the plain one.

#include "bench/BenchAnswers.h"
#include "bench/BenchSong.h"
#include "bench/BenchTiming.h"
#include "engine/Player.h"
#include "engine/PlayerDialogs.h"
#include "export/SongRenderer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <vector>

namespace {

using namespace melorit::bench;
using namespace melorit;

// CPU seconds of this process and the encoders it waited for.
double cpuSecondsWithChildren()
{
    return cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN);
}

struct Cost {
    double wall = -1;
    double cpu = -1;
};

Cost convert(const QString &font, const QString &song, int encoding, bool normalize,
             const QDir &dir)
{
    Answers answers;
    answers.settings.Encoding = encoding;
    answers.settings.Rate = QStringLiteral("128");
    answers.settings.SaveFolder = dir.path();
    answers.settings.MakeFile = false;
    answers.settings.Normalize = normalize;
    answers.settings.Loudness = -16.0;
    engine::PlayerSettings settings{dir.filePath(QStringLiteral("Melorit.ini")), {}, dir.path()};
    settings.output = engine::PlayerOutput::Pull;
    engine::Player player(settings, nullptr, &answers);
    if (!player.ReplaceFont(font)) {
        return {};
    }
    exporting::SongRenderer renderer(answers);
    player.setRendering(&renderer);
    player.playlist().addSong(song);
    player.playlist().setCurrentSong(1);
    const double cpu = cpuSecondsWithChildren();
    const auto start = Clock::now();
    player.Action_Record();
    const Cost cost{seconds(start), cpuSecondsWithChildren() - cpu};
    if (renderer.lastReport().outcome != exporting::RenderOutcome::Converted) {
        return {};
    }
    return cost;
}

bool benchFormat(const QString &font, const QString &song, int encoding, int runs, const QDir &dir)
{
    std::vector<double> wall[2], cpu[2];
    for (int run = 0; run < runs; ++run) {
        for (const bool normalize : {false, true}) {
            const Cost c = convert(font, song, encoding, normalize, dir);
            if (c.wall < 0) {
                std::fprintf(stderr, "a conversion failed\n");
                return false;
            }
            wall[normalize].push_back(c.wall);
            cpu[normalize].push_back(c.cpu);
        }
    }
    const double w0 = median(wall[0]), w1 = median(wall[1]);
    const double c0 = median(cpu[0]), c1 = median(cpu[1]);
    std::printf("%s: plain %.2f s wall, %.2f s CPU; matched %.2f s wall, %.2f s CPU; "
                "ratio wall %.2f, CPU %.2f (goal <= 1.15)\n",
                encoding == 0 ? "WAV" : "MP3", w0, c0, w1, c1, w1 / w0, c1 / c0);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString font = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
    QString song;
    int runs = 3;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--font") {
            font = args[i + 1];
        } else if (args[i] == u"--runs") {
            runs = std::max(1, args[i + 1].toInt());
        } else if (args[i] == u"--song") {
            song = args[i + 1];
        }
    }
    QTemporaryDir dir;
    if (song.isEmpty()) {
        song = dir.filePath(QStringLiteral("bench.mid"));
        if (!fixtures::writeFile(song.toStdString(), buildBenchSong())) {
            return 1;
        }
    }
    std::printf("%s, %d runs, median\n", qPrintable(QFileInfo(song).fileName()), runs);
    const QDir out(dir.path());
    const bool ok = benchFormat(font, song, 0, runs, out) && benchFormat(font, song, 1, runs, out);
    return ok ? 0 : 1;
}
