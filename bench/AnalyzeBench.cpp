// The work of "melorit-cli analyze --json" and "kok" on a long song: 2000
// syllables on 250 lines and 20 000 notes (the sung melody plus seven other
// channels). Prints the median and worst time of each step over the runs.
// With a path, the song is also written there, to time the program itself.
//
//     bench_analyze [runs] [song.kar]

#include "cli/SongAnalysis.h"
#include "export/LyricsFileWriter.h"
#include "tests/support/MidiFileBuilder.h"

#include <QJsonDocument>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace melorit;
using Clock = std::chrono::steady_clock;

constexpr int kSyllables = 2000;
constexpr int kNotes = 20000;
constexpr std::uint32_t kStep = 240; // ticks between syllables (an eighth note)

fixtures::MidiFileBuilder longSong()
{
    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000).timeSignature(4, 4);
    auto &words = file.addTrack();
    auto &melody = file.addTrack();
    for (int i = 0; i < kSyllables; ++i) {
        const std::uint32_t tick = static_cast<std::uint32_t>(i) * kStep;
        const std::string text = (i % 8 == 0 ? "/la" : " la") + std::to_string(i % 10);
        words.at(tick).lyric(text);
        melody.note(0, 60 + i % 12, 100, tick, kStep - 10);
    }
    // The other notes spread over channels 1 to 7, off the syllables' ticks.
    auto &band = file.addTrack();
    const int others = kNotes - kSyllables;
    const std::uint32_t span = static_cast<std::uint32_t>(kSyllables) * kStep;
    for (int i = 0; i < others; ++i) {
        const std::uint32_t tick = static_cast<std::uint32_t>(
            static_cast<std::uint64_t>(i) * span / static_cast<std::uint64_t>(others) + 7);
        band.note(1 + i % 7, 40 + i % 40, 80, tick, 100);
    }
    return file;
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report(const char *what, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("%-34s median %8.2f ms   worst %8.2f ms\n", what, times[times.size() / 2],
                times.back());
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.kar"));
    if (!longSong().writeTo(path.toStdString())) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    if (argc > 2 && !longSong().writeTo(argv[2])) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::vector<double> analyse;
    std::vector<double> json;
    std::vector<double> kok;
    for (int run = 0; run < runs; ++run) {
        auto start = Clock::now();
        const cli::AnalysisResult result = cli::analyseSong(path);
        analyse.push_back(millisecondsSince(start));
        if (!result.song || result.song->lyrics.SyllableCount() != kSyllables ||
            result.song->lyrics.nCanalLyrics() != 0) {
            std::fprintf(stderr, "the song was not analysed as expected\n");
            return 1;
        }
        start = Clock::now();
        const QByteArray text =
            QJsonDocument(cli::analysisJson(*result.song)).toJson(QJsonDocument::Indented);
        json.push_back(millisecondsSince(start));
        start = Clock::now();
        const QByteArray lyrics =
            exporting::BuildLyricsText(result.song->stream->file(), result.song->lyrics, {});
        kok.push_back(millisecondsSince(start));
        if (text.isEmpty() || lyrics.isEmpty()) {
            return 1;
        }
    }
    std::printf("%d syllables, %d notes, %d runs\n", kSyllables, kNotes, runs);
    report("open + analysis + melody channel", analyse);
    report("JSON document", json);
    report("lyrics file text", kok);
    return 0;
}
