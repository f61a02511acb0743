// Conversion speed of the whole rendering road (the player opening the song
// with its settings, the export choices, the encoder, the 1024-byte loop),
// in seconds of audio per second, next to FluidSynth's own renderer on the
// same song and SoundFont, then melorit-cli convert with several jobs:
//
//   convert_bench [--font FILE] [--runs N] [--songs K] [--song FILE]...
//
// Songs: the demo song, a corpus song and the generated 3-minute song of
// BenchSong.cpp (or the --song files). For each: `fluidsynth -ni -F out.wav
// -r 44100 FONT SONG`, the conversion to WAV and to MP3 (lame -b128), the
// median of N runs. Then `melorit-cli convert --format wav --jobs J` over K
// copies of the demo song for J = 1, 2 and the number of processors.

#include "bench/BenchAnswers.h"
#include "bench/BenchSong.h"
#include "bench/BenchTiming.h"
#include "engine/Player.h"
#include "engine/PlayerDialogs.h"
#include "export/SongRenderer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace melorit::bench;
using namespace melorit;

// Wall seconds of one conversion, -1 when it failed; audio gets the seconds
// of audio written.
double convert(const QString &font, const QString &song, int encoding, const QDir &dir,
               double &audio)
{
    Answers answers;
    answers.settings.Encoding = encoding;
    answers.settings.Rate = QStringLiteral("128");
    answers.settings.SaveFolder = dir.path();
    answers.settings.MakeFile = false;
    engine::PlayerSettings settings{dir.filePath(QStringLiteral("Melorit.ini")), {}, dir.path()};
    settings.output = engine::PlayerOutput::Pull;
    const auto start = Clock::now();
    engine::Player player(settings, nullptr, &answers);
    if (!player.ReplaceFont(font)) {
        return -1;
    }
    exporting::SongRenderer renderer(answers);
    player.setRendering(&renderer);
    player.playlist().addSong(song);
    player.playlist().setCurrentSong(1);
    std::int64_t bytes = 0;
    renderer.setBetweenBlocks([&bytes] { bytes += 1024; });
    player.Action_Record();
    const double wall = seconds(start);
    audio = static_cast<double>(bytes) / (44100.0 * 4);
    return renderer.lastReport().outcome == exporting::RenderOutcome::Converted ? wall : -1;
}

double timeProgram(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    const auto start = Clock::now();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return -1;
    }
    return seconds(start);
}

bool benchSong(const QString &font, const QString &song, int runs, const QDir &dir)
{
    std::vector<double> reference, wav, mp3;
    double audio = 0;
    for (int run = 0; run < runs; ++run) {
        const double fluid = timeProgram(
            QStringLiteral("fluidsynth"),
            {QStringLiteral("-ni"), QStringLiteral("-F"), dir.filePath(QStringLiteral("fs.wav")),
             QStringLiteral("-r"), QStringLiteral("44100"), font, song});
        const double w = convert(font, song, 0, dir, audio);
        const double m = convert(font, song, 1, dir, audio);
        if (fluid < 0 || w < 0 || m < 0) {
            std::fprintf(stderr, "%s: a conversion failed\n", qPrintable(song));
            return false;
        }
        reference.push_back(fluid);
        wav.push_back(w);
        mp3.push_back(m);
    }
    const double f = median(reference), w = median(wav), m = median(mp3);
    std::printf("%s: %.1f s of audio\n  fluidsynth -F %.3f s (%.0f s/s); WAV %.3f s (%.0f s/s, "
                "ratio %.2f, goal <= 1.0); MP3 %.3f s (%.0f s/s, ratio %.2f, goal <= 1.15)\n",
                qPrintable(QFileInfo(song).fileName()), audio, f, audio / f, w, audio / w, w / f, m,
                audio / m, m / f);
    return true;
}

bool benchJobs(const QString &font, const QString &demo, int songs, const QDir &dir)
{
    QStringList files;
    for (int i = 0; i < songs; ++i) {
        files << dir.filePath(QStringLiteral("song%1.kar").arg(i));
        QFile::copy(demo, files.last());
    }
    const QString cli = QStringLiteral(MELORIT_OUTPUT_DIR "/melorit-cli");
    std::vector<int> jobCounts{1, 2};
    if (QThread::idealThreadCount() > 2) {
        jobCounts.push_back(QThread::idealThreadCount());
    }
    double one = 0;
    for (int jobs : jobCounts) {
        const QString out = dir.filePath(QStringLiteral("jobs%1").arg(jobs));
        const double wall = timeProgram(
            cli, QStringList{QStringLiteral("convert"), QStringLiteral("--format=wav"),
                             QStringLiteral("--soundfont"), font, QStringLiteral("--scheme="),
                             QStringLiteral("--overwrite"), QStringLiteral("--out-dir"), out,
                             QStringLiteral("--jobs=%1").arg(jobs)} +
                     files);
        if (wall < 0) {
            return false;
        }
        if (jobs == 1) {
            one = wall;
        }
        std::printf("melorit-cli convert --jobs %d, %d songs: %.3f s, throughput x%.2f of "
                    "--jobs 1\n",
                    jobs, songs, wall, one / wall);
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QString font = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
    QStringList songs;
    int runs = 3;
    int jobSongs = 6;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (arg == "--font") {
            font = value;
        } else if (arg == "--song") {
            songs << value;
        } else if (arg == "--runs") {
            runs = std::max(1, value.toInt());
        } else if (arg == "--songs") {
            jobSongs = std::max(1, value.toInt());
        } else {
            std::fprintf(stderr, "usage: convert_bench [--font F] [--runs N] [--songs K] "
                                 "[--song S]...\n");
            return 2;
        }
    }
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QString demo =
        QStringLiteral(MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar");
    if (songs.isEmpty()) {
        const QString generated = dir.filePath(QStringLiteral("bench-song.mid"));
        fixtures::writeFile(generated.toStdString(), bench::buildBenchSong());
        songs << demo << QStringLiteral(MELORIT_CORPUS_DIR "/karaoke/mozart_konigdernacht.mid")
              << generated;
    }
    std::printf("font %s, median of %d runs\n", qPrintable(font), runs);
    for (const QString &song : songs) {
        if (!benchSong(font, song, runs, dir)) {
            return 1;
        }
    }
    return benchJobs(font, demo, jobSongs, dir) ? 0 : 1;
}
