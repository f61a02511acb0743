// Songs a minute of melorit-cli convert over a generated catalogue: K songs
// (default 100) of 30 to 120 seconds, a list of them, converted with
// --jobs 1, with --jobs 2 and as two slice processes (--shard 0/2 and 1/2
// with --jobs 1 each, started together, into one folder), then the same
// run again, every song then up to date:
//
//   catalogue_bench [--font FILE] [--songs K] [--format wav|mp3]
//
// Each run writes into a folder of its own; the wall time is until the last
// process ends.

#include "bench/BenchSong.h"
#include "bench/BenchTiming.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace melorit;
using namespace melorit::bench;

const QString kCli = QStringLiteral(MELORIT_OUTPUT_DIR "/melorit-cli");

// The songs and their list; returns the seconds of music written.
int writeCatalogue(const QDir &dir, int count, QString &list)
{
    QStringList lines;
    int total = 0;
    for (int i = 0; i < count; ++i) {
        // Spread over 30..120 s, in an order that mixes short and long.
        const int seconds = 30 + (i * 37) % 91;
        const QString name = QStringLiteral("song%1.kar").arg(i, 3, 10, QLatin1Char('0'));
        const fixtures::Bytes bytes = buildBenchKaraoke(seconds, 1000u + static_cast<unsigned>(i));
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly)) {
            return -1;
        }
        file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size()));
        lines << name;
        total += seconds;
    }
    list = dir.filePath(QStringLiteral("catalogue.m3u"));
    QFile file(list);
    if (!file.open(QIODevice::WriteOnly)) {
        return -1;
    }
    file.write(lines.join(QStringLiteral("\r\n")).toUtf8());
    return total;
}

struct Outcome {
    double wall = -1;
    double cpu = 0; // of the processes, user and system
    int converted = 0;
    int upToDate = 0;
    double audio = 0;
};

// Starts one process per argument list, together, and waits for them all.
Outcome runTogether(const std::vector<QStringList> &runs, const std::vector<QString> &reports)
{
    const Clock::time_point start = Clock::now();
    const double cpuBefore = cpuSeconds(RUSAGE_CHILDREN);
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const QStringList &arguments : runs) {
        processes.push_back(std::make_unique<QProcess>());
        processes.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        processes.back()->setStandardOutputFile(QProcess::nullDevice());
        processes.back()->start(kCli, arguments);
    }
    Outcome outcome;
    for (const auto &process : processes) {
        if (!process->waitForFinished(-1) || process->exitCode() != 0) {
            return outcome;
        }
    }
    outcome.wall = seconds(start);
    outcome.cpu = cpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
    for (const QString &report : reports) {
        QFile file(report);
        file.open(QIODevice::ReadOnly);
        for (const QJsonValue &song :
             QJsonDocument::fromJson(file.readAll()).object().value(u"songs").toArray()) {
            const QString status = song.toObject().value(u"status").toString();
            outcome.converted += status == u"converted";
            outcome.upToDate += status == u"up-to-date";
            outcome.audio += song.toObject().value(u"audioSeconds").toDouble();
        }
    }
    return outcome;
}

void print(const char *what, const Outcome &o)
{
    if (o.wall < 0) {
        std::printf("%-34s failed\n", what);
        return;
    }
    // CPU / wall: how many cores the run kept busy.
    std::printf("%-34s %7.1f s  %6.1f songs/min  %6.1f audio s/s  CPU %6.1f s (x%.2f)  "
                "(%d converted, %d up to date)\n",
                what, o.wall, (o.converted + o.upToDate) * 60.0 / o.wall, o.audio / o.wall, o.cpu,
                o.cpu / o.wall, o.converted, o.upToDate);
}

} // namespace

int main(int argc, char **argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each figure as soon as it is measured
    QString font = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
    QString format = QStringLiteral("wav");
    int count = 100;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--font") == 0) {
            font = QString::fromLocal8Bit(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--songs") == 0) {
            count = std::atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--format") == 0) {
            format = QString::fromLocal8Bit(argv[i + 1]);
        }
    }
    QTemporaryDir dir;
    QString list;
    const int music = writeCatalogue(QDir(dir.path()), count, list);
    if (music < 0) {
        std::fprintf(stderr, "cannot write the catalogue\n");
        return 1;
    }
    std::printf("%d songs, %d s of music (%.0f s on average), %s, %s\n", count, music,
                static_cast<double>(music) / count, qPrintable(format), qPrintable(font));
    const auto args = [&](const QString &out, const QString &report, const QStringList &more) {
        return QStringList{QStringLiteral("convert"),
                           QStringLiteral("--format"),
                           format,
                           QStringLiteral("--soundfont"),
                           font,
                           QStringLiteral("--out-dir"),
                           dir.filePath(out),
                           QStringLiteral("--scheme="),
                           QStringLiteral("--report"),
                           dir.filePath(report)} +
               more + QStringList{list};
    };
    const auto report = [&](const char *name) { return dir.filePath(QLatin1StringView(name)); };
    print("--jobs 1", runTogether({args(QStringLiteral("one"), QStringLiteral("one.json"),
                                        {QStringLiteral("--jobs=1")})},
                                  {report("one.json")}));
    print("--jobs 2", runTogether({args(QStringLiteral("two"), QStringLiteral("two.json"),
                                        {QStringLiteral("--jobs=2")})},
                                  {report("two.json")}));
    const auto shards = [&] {
        return runTogether({args(QStringLiteral("shards"), QStringLiteral("s0.json"),
                                 {QStringLiteral("--jobs=1"), QStringLiteral("--shard=0/2")}),
                            args(QStringLiteral("shards"), QStringLiteral("s1.json"),
                                 {QStringLiteral("--jobs=1"), QStringLiteral("--shard=1/2")})},
                           {report("s0.json"), report("s1.json")});
    };
    print("two processes, --shard 0/2 and 1/2", shards());
    print("the same again (all up to date)", shards());
    return 0;
}
