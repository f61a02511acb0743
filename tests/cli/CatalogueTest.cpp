// "melorit-cli convert" over a catalogue: runs that carry on after a kill,
// slices converted by separate processes, the report, and bad input that
// fails one song, never the run. Real processes, real files.

#include "cli/ConvertShard.h"
#include "tests/cli/CliRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtEndian>

#include <csignal>
#include <sys/resource.h>

using namespace melorit;
using namespace melorit::testing;

namespace {

using Catalogue = CliTest;

const QString kFont = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
const QString kCli = QStringLiteral(MELORIT_OUTPUT_DIR "/melorit-cli");

// A song of one note a beat at 120 bpm; the key tells songs apart.
fixtures::MidiFileBuilder song(int beats, int key)
{
    fixtures::MidiFileBuilder file(1, 480);
    auto &track = file.addTrack();
    track.tempo(500000).programChange(0, 0);
    for (int beat = 0; beat < beats; ++beat) {
        track.note(0, static_cast<std::uint8_t>(key), 90, static_cast<std::uint32_t>(beat) * 480,
                   240);
    }
    return file;
}

QStringList convertArgs(const QString &outDir, const QStringList &more)
{
    return QStringList{QStringLiteral("convert"),     QStringLiteral("--format=wav"),
                       QStringLiteral("--soundfont"), kFont,
                       QStringLiteral("--out-dir"),   outDir,
                       QStringLiteral("--scheme="),   QStringLiteral("--jobs=1")} +
           more;
}

// A complete WAV file: its header's data size is what follows the header.
bool completeWav(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray header = file.read(44);
    return header.size() == 44 && header.startsWith("RIFF") &&
           qFromLittleEndian<quint32>(header.constData() + 40) == file.size() - 44;
}

// The files under their final names (no temporaries, no manifest).
QStringList finalFiles(const QString &folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files);
    files.removeIf([](const QString &name) { return name.contains(QStringLiteral(".partial-")); });
    return files;
}

QJsonObject readJson(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

// The songs of a report with the given status.
QStringList songsWith(const QJsonObject &report, const QString &status)
{
    QStringList songs;
    for (const QJsonValue &entry : report.value(u"songs").toArray()) {
        if (entry.toObject().value(u"status").toString() == status) {
            songs << QFileInfo(entry.toObject().value(u"input").toString()).fileName();
        }
    }
    songs.sort();
    return songs;
}

qsizetype manifestLines(const QString &folder)
{
    QFile file(folder + QStringLiteral("/.melorit-manifest.jsonl"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : -1;
}

// Runs a conversion and sends it the signal while the long song is being
// written; the process's exit status, -1 when it did not end by itself.
int stopWhileLong(const QStringList &arguments, const QString &out, int signal)
{
    QProcess process;
    process.start(kCli, arguments);
    QElapsedTimer waited;
    waited.start();
    while (QDir(out).entryList({QStringLiteral("long.partial-*")}, QDir::Files).isEmpty() &&
           process.state() != QProcess::NotRunning && waited.elapsed() < 20000) {
        process.waitForFinished(5);
    }
    EXPECT_EQ(process.state(), QProcess::Running) << "ended before it could be stopped";
    ::kill(static_cast<pid_t>(process.processId()), signal);
    EXPECT_TRUE(process.waitForFinished(10000));
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

TEST_F(Catalogue, AKilledRunIsTakenUpWhereItStopped)
{
    QStringList songs;
    for (const auto &[name, beats] : {std::pair{"s0.mid", 4}, {"long.mid", 80}, {"s2.mid", 4}}) {
        songs << write(QLatin1StringView(name), song(beats, 60 + static_cast<int>(songs.size())));
    }
    const QString out = m_dir.filePath(QStringLiteral("out"));
    // Ctrl+C: the report says what was done and what was not.
    const QString report = m_dir.filePath(QStringLiteral("report.json"));
    EXPECT_EQ(
        stopWhileLong(convertArgs(out, QStringList{QStringLiteral("--report"), report} + songs),
                      out, SIGINT),
        130);
    EXPECT_EQ(songsWith(readJson(report), QStringLiteral("converted")),
              QStringList{QStringLiteral("s0.mid")});
    EXPECT_EQ(songsWith(readJson(report), QStringLiteral("stopped")),
              QStringList{QStringLiteral("long.mid")});
    EXPECT_EQ(songsWith(readJson(report), QStringLiteral("not-started")),
              QStringList{QStringLiteral("s2.mid")});
    // Killed outright while the long song is being written again.
    EXPECT_EQ(stopWhileLong(convertArgs(out, songs), out, SIGKILL), -1);
    EXPECT_EQ(finalFiles(out), QStringList{QStringLiteral("s0.wav")});
    EXPECT_TRUE(completeWav(out + QStringLiteral("/s0.wav")));

    const CliRun resumed = runCli(convertArgs(out, songs));
    ASSERT_EQ(resumed.status, 0) << resumed.err.toStdString();
    EXPECT_EQ(resumed.out,
              songs[0] + QStringLiteral(" -> ") + out + QStringLiteral("/s0.wav: up to date\n") +
                  songs[1] + QStringLiteral(" -> ") + out + QStringLiteral("/long.wav\n") +
                  songs[2] + QStringLiteral(" -> ") + out + QStringLiteral("/s2.wav\n"));
    for (const QString &name : finalFiles(out)) {
        EXPECT_TRUE(completeWav(out + u'/' + name)) << name.toStdString();
    }
    EXPECT_EQ(manifestLines(out), 3);

    // A song's own settings changed: that song alone is converted again;
    // --force converts every song again.
    QFile mst(m_dir.filePath(QStringLiteral("s2.mst")));
    ASSERT_TRUE(mst.open(QIODevice::WriteOnly));
    mst.write("[Gain]\nSlider=-6\n");
    mst.close();
    const CliRun changed = runCli(convertArgs(out, {songs[0], songs[2]}));
    EXPECT_EQ(changed.out.count(QStringLiteral("up to date")), 1) << changed.out.toStdString();
    EXPECT_TRUE(changed.out.contains(songs[2] + QStringLiteral(" -> ") + out +
                                     QStringLiteral("/s2.wav\n")));
    const CliRun forced = runCli(convertArgs(out, {QStringLiteral("--force"), songs[0]}));
    EXPECT_EQ(forced.out, songs[0] + QStringLiteral(" -> ") + out + QStringLiteral("/s0.wav\n"));
    EXPECT_EQ(manifestLines(out), 3);
}

TEST_F(Catalogue, TwoShardProcessesConvertEverySongOnceAndTheirReportsAddUp)
{
    // Shards are fixed for good: hosts of different versions must agree.
    EXPECT_EQ(cli::shardOf(QStringLiteral("pop/song.kar"), 1000), 104);

    QDir(m_dir.path()).mkdir(QStringLiteral("songs"));
    QStringList entries;
    for (int i = 0; i < 6; ++i) {
        entries << QStringLiteral("songs/t%1.mid").arg(i);
        write(entries.last(), song(2, 50 + i));
    }
    const auto writeList = [&](const QStringList &lines) {
        QFile list(m_dir.filePath(QStringLiteral("list.m3u")));
        EXPECT_TRUE(list.open(QIODevice::WriteOnly));
        list.write(lines.join(QStringLiteral("\r\n")).toUtf8());
        return list.fileName();
    };
    const QString list = writeList(entries);
    const QString out = m_dir.filePath(QStringLiteral("out"));
    std::array<QProcess, 2> shards;
    for (int i = 0; i < 2; ++i) {
        shards[i].start(
            kCli,
            convertArgs(out, {QStringLiteral("--shard=%1/2").arg(i), QStringLiteral("--report"),
                              m_dir.filePath(QStringLiteral("r%1.json").arg(i)), list}));
    }
    for (QProcess &shard : shards) {
        ASSERT_TRUE(shard.waitForFinished(30000));
        EXPECT_EQ(shard.exitCode(), 0) << shard.readAllStandardError().toStdString();
    }
    const QJsonObject r0 = readJson(m_dir.filePath(QStringLiteral("r0.json")));
    const QJsonObject r1 = readJson(m_dir.filePath(QStringLiteral("r1.json")));
    const QStringList first = songsWith(r0, QStringLiteral("converted"));
    QStringList all = first + songsWith(r1, QStringLiteral("converted"));
    all.sort();
    EXPECT_EQ(all.join(u' '), QStringLiteral("t0.mid t1.mid t2.mid t3.mid t4.mid t5.mid"));
    EXPECT_FALSE(first.isEmpty());
    EXPECT_EQ(r0.value(u"songs").toArray().size() + r1.value(u"songs").toArray().size(), 6);
    EXPECT_EQ(r0.value(u"counts").toObject().value(u"converted").toInt(), first.size());
    const QJsonObject entry = r0.value(u"songs").toArray().first().toObject();
    EXPECT_GT(entry.value(u"audioSeconds").toDouble(), 1.0);
    EXPECT_GT(entry.value(u"wallSeconds").toDouble(), 0.0);
    EXPECT_EQ(entry.value(u"outputs").toArray().size(), 1);
    // Both processes recorded in the one manifest of the folder.
    EXPECT_EQ(manifestLines(out), 6);

    // A song added and the list reordered: no song moves to another slice.
    entries << QStringLiteral("songs/t6.mid");
    write(entries.last(), song(2, 70));
    std::reverse(entries.begin(), entries.end());
    writeList(entries);
    const CliRun again =
        runCli(convertArgs(out, {QStringLiteral("--shard=0/2"), QStringLiteral("--report"),
                                 m_dir.filePath(QStringLiteral("again.json")), list}));
    EXPECT_EQ(again.status, 0) << again.err.toStdString();
    const QJsonObject r = readJson(m_dir.filePath(QStringLiteral("again.json")));
    EXPECT_EQ(songsWith(r, QStringLiteral("up-to-date")), first);
    EXPECT_LE(songsWith(r, QStringLiteral("converted")).size(), 1);
    EXPECT_EQ(runCli(convertArgs(out, {QStringLiteral("--shard=2/2"), list})).status, 2);
}

TEST_F(Catalogue, BadInputFailsItsSongNotTheRun)
{
    const QString broken = m_dir.filePath(QStringLiteral("broken.mid"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a MIDI file");
    }
    const QString good = write(QStringLiteral("good.mid"), song(4, 64));
    const QString big = write(QStringLiteral("big.mid"), song(20, 62));
    const QString out = m_dir.filePath(QStringLiteral("out"));
    const QString report = m_dir.filePath(QStringLiteral("report.json"));
    const auto statuses = [&] {
        const QJsonObject r = readJson(report);
        QStringList list;
        for (const QJsonValue &entry : r.value(u"songs").toArray()) {
            list << entry.toObject().value(u"status").toString();
            if (entry.toObject().value(u"status").toString() == u"failed") {
                EXPECT_FALSE(entry.toObject().value(u"error").toString().isEmpty());
            }
        }
        return list;
    };
    const CliRun unreadable =
        runCli(convertArgs(out, {QStringLiteral("--report"), report, broken, good}));
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_TRUE(unreadable.err.contains(QStringLiteral("MIDI"))) << unreadable.err.toStdString();
    EXPECT_EQ(statuses(), (QStringList{QStringLiteral("failed"), QStringLiteral("converted")}));
    EXPECT_EQ(finalFiles(out), QStringList{QStringLiteral("good.wav")});

    // The output folder cannot be made (a file is in its place).
    const CliRun blocked = runCli(
        convertArgs(out + QStringLiteral("/good.wav"), {QStringLiteral("--report"), report, good}));
    EXPECT_EQ(blocked.status, 1);
    EXPECT_TRUE(blocked.err.contains(QStringLiteral("cannot write in")))
        << blocked.err.toStdString();
    EXPECT_EQ(statuses(), QStringList{QStringLiteral("failed")});

    // A missing SoundFont fails every song, in the report too.
    QStringList noFont = convertArgs(m_dir.filePath(QStringLiteral("none")),
                                     {QStringLiteral("--report"), report, good});
    noFont[noFont.indexOf(kFont)] = m_dir.filePath(QStringLiteral("missing.sf2"));
    EXPECT_EQ(runCli(noFont).status, 1);
    EXPECT_EQ(statuses(), QStringList{QStringLiteral("failed")});
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(QStringLiteral("none"))));

    // A full disk (files limited to 1 MiB): the big song fails, the small
    // one that fits is converted.
    QProcess full;
    full.setChildProcessModifier([] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024 * 1024, 1024 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    const QString fullOut = m_dir.filePath(QStringLiteral("full"));
    full.start(kCli, convertArgs(fullOut, {QStringLiteral("--report"), report, big, good}));
    ASSERT_TRUE(full.waitForFinished(30000));
    EXPECT_EQ(full.exitCode(), 1);
    EXPECT_TRUE(full.readAllStandardError().contains("File too large"));
    EXPECT_EQ(statuses(), (QStringList{QStringLiteral("failed"), QStringLiteral("converted")}));
    EXPECT_EQ(finalFiles(fullOut), QStringList{QStringLiteral("good.wav")});
}
