// "melorit-cli convert": songs rendered to WAV and MP3 with their lyrics
// file, through the real synthesizer and the real encoder.

#include "audio/MidiStream.h"
#include "tests/cli/CliRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>

#include <csignal>

using namespace melorit;
using namespace melorit::testing;

namespace {

using Convert = CliTest;

const QString kFont = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

struct WavInfo {
    bool valid = false;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    qint64 dataBytes = 0;
};

// The canonical 44-byte header and the size of what follows it.
WavInfo readWav(const QString &path)
{
    const QByteArray bytes = readAll(path);
    WavInfo info;
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 8) != "WAVEfmt ") {
        return info;
    }
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    info.channels = qFromLittleEndian<quint16>(p + 22);
    info.rate = static_cast<int>(qFromLittleEndian<quint32>(p + 24));
    info.bits = qFromLittleEndian<quint16>(p + 34);
    info.dataBytes = qFromLittleEndian<quint32>(p + 40);
    info.valid = bytes.mid(36, 4) == "data" && info.dataBytes == bytes.size() - 44;
    return info;
}

double songSeconds(const QString &song)
{
    const auto stream = audio::MidiStream::openFile(song.toStdString(), {});
    return stream ? audio::MidiStream::bytesToSeconds(stream->length(audio::PosUnit::Bytes)) : -1;
}

QStringList convertArgs(const QString &format, const QString &outDir, const QStringList &more)
{
    // An empty scheme: the stored one must not rename the outputs here.
    return QStringList{QStringLiteral("convert"),
                       QStringLiteral("--format"),
                       format,
                       QStringLiteral("--soundfont"),
                       kFont,
                       QStringLiteral("--out-dir"),
                       outDir,
                       QStringLiteral("--scheme=")} +
           more;
}

} // namespace

TEST_F(Convert, DemoSongToWavWithItsLyricsFile)
{
    const CliRun run = runCli(convertArgs(QStringLiteral("wav"), m_dir.path(), {demoSong()}));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString wav = m_dir.filePath(QStringLiteral("au-clair-de-la-lune.wav"));
    const QString kok = m_dir.filePath(QStringLiteral("au-clair-de-la-lune.kok"));
    EXPECT_EQ(run.out,
              demoSong() + QStringLiteral(" -> ") + wav + QStringLiteral(" + ") + kok + u'\n');

    const WavInfo info = readWav(wav);
    ASSERT_TRUE(info.valid);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.rate, 44100);
    EXPECT_EQ(info.bits, 16);
    // The whole song, then the decay of its last notes (a few seconds).
    const double length = songSeconds(demoSong());
    ASSERT_GT(length, 10.0);
    const double seconds = static_cast<double>(info.dataBytes) / (44100.0 * 4);
    EXPECT_GE(seconds, length);
    EXPECT_LE(seconds, length + 8.0);
    // The same lyrics file as the one written without rendering.
    EXPECT_EQ(readAll(kok), readAll(QStringLiteral(MELORIT_SOURCE_DIR
                                                   "/tests/data/kok/au-clair-de-la-lune.kok")));
}

TEST_F(Convert, DemoSongToMp3ThatLameDecodes)
{
    const CliRun run = runCli(convertArgs(QStringLiteral("mp3"), m_dir.path(), {demoSong()}));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString mp3 = m_dir.filePath(QStringLiteral("au-clair-de-la-lune.mp3"));
    ASSERT_TRUE(QFileInfo(mp3).size() > 10000);
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath(QStringLiteral("au-clair-de-la-lune.kok"))));

    const QString decoded = m_dir.filePath(QStringLiteral("decoded.wav"));
    QProcess lame;
    lame.start(QStringLiteral("lame"),
               {QStringLiteral("--quiet"), QStringLiteral("--decode"), mp3, decoded});
    ASSERT_TRUE(lame.waitForFinished(30000));
    ASSERT_EQ(lame.exitCode(), 0);
    const QByteArray header = readAll(decoded).left(44);
    ASSERT_TRUE(header.startsWith("RIFF"));
    // lame --decode writes a full-length file: about the song and its decay.
    const double seconds = static_cast<double>(QFileInfo(decoded).size() - 44) / (44100.0 * 4);
    EXPECT_GE(seconds, songSeconds(demoSong()));
}

TEST_F(Convert, ExistingOutputIsKeptUnlessOverwriteIsGiven)
{
    const QString wav = m_dir.filePath(QStringLiteral("au-clair-de-la-lune.wav"));
    const QString kok = m_dir.filePath(QStringLiteral("au-clair-de-la-lune.kok"));
    for (const QString &path : {wav, kok}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("older file");
    }
    const CliRun kept = runCli(convertArgs(QStringLiteral("wav"), m_dir.path(), {demoSong()}));
    EXPECT_EQ(kept.status, 1);
    EXPECT_TRUE(kept.out.isEmpty());
    EXPECT_TRUE(kept.err.contains(wav)) << kept.err.toStdString();
    EXPECT_EQ(readAll(wav), QByteArray("older file"));
    EXPECT_EQ(readAll(kok), QByteArray("older file"));

    const CliRun replaced = runCli(convertArgs(QStringLiteral("wav"), m_dir.path(),
                                               {QStringLiteral("--overwrite"), demoSong()}));
    EXPECT_EQ(replaced.status, 0) << replaced.err.toStdString();
    EXPECT_TRUE(readWav(wav).valid);
    EXPECT_NE(readAll(kok), QByteArray("older file"));
}

TEST_F(Convert, ListsExpandAndAnUnreadableEntryFailsTheRun)
{
    const QString broken = m_dir.filePath(QStringLiteral("broken.mid"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a MIDI file");
    }
    const QString song = m_dir.filePath(QStringLiteral("\u00E9t\u00E9.kar"));
    ASSERT_TRUE(QFile::copy(demoSong(), song));
    const QString list = m_dir.filePath(QStringLiteral("songs.m3u"));
    {
        QFile file(list);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((broken + QStringLiteral("\r\n") + song + QStringLiteral("\r\n")).toUtf8());
    }
    const QString out = m_dir.filePath(QStringLiteral("out"));
    const CliRun run =
        runCli(convertArgs(QStringLiteral("wav"), out, {QStringLiteral("--no-kok"), list}));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("MIDI"))) << run.err.toStdString();
    // The readable song is still converted, in the folder created for it,
    // without a lyrics file.
    EXPECT_TRUE(readWav(out + QStringLiteral("/\u00E9t\u00E9.wav")).valid);
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/\u00E9t\u00E9.kok")));
    EXPECT_EQ(run.out.count(u'\n'), 1);
}

TEST_F(Convert, UsageErrors)
{
    EXPECT_EQ(runCli({QStringLiteral("convert")}).status, 2);
    EXPECT_EQ(runCli({QStringLiteral("convert"), QStringLiteral("--format"), QStringLiteral("flac"),
                      demoSong()})
                  .status,
              2);
}

TEST_F(Convert, LyricsOptionChoosesTheLyricsFiles)
{
    const CliRun run =
        runCli(convertArgs(QStringLiteral("wav"), m_dir.path(),
                           {QStringLiteral("--lyrics"), QStringLiteral("ass,lrc"), demoSong()}));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString base = m_dir.filePath(QStringLiteral("au-clair-de-la-lune"));
    EXPECT_EQ(run.out, demoSong() + QStringLiteral(" -> ") + base + QStringLiteral(".wav + ") +
                           base + QStringLiteral(".lrc + ") + base + QStringLiteral(".ass\n"));
    EXPECT_FALSE(QFileInfo::exists(base + QStringLiteral(".kok")));
    const QString data = QStringLiteral(MELORIT_SOURCE_DIR "/tests/data/lyrics/");
    EXPECT_EQ(readAll(base + QStringLiteral(".lrc")),
              readAll(data + QStringLiteral("au-clair-de-la-lune.lrc")));
    EXPECT_EQ(readAll(base + QStringLiteral(".ass")),
              readAll(data + QStringLiteral("au-clair-de-la-lune.ass")));

    for (const QStringList &bad :
         {QStringList{QStringLiteral("--lyrics=srt")},
          QStringList{QStringLiteral("--lyrics=lrc"), QStringLiteral("--no-kok")}}) {
        EXPECT_EQ(
            runCli(convertArgs(QStringLiteral("wav"), m_dir.path(), bad + QStringList{demoSong()}))
                .status,
            2)
            << bad.join(u' ').toStdString();
    }
}

TEST_F(Convert, JobsGiveTheSameFilesAsOneSongAtATime)
{
    QStringList songs;
    for (const char *name : {"a.kar", "b.kar", "c.kar"}) {
        songs << m_dir.filePath(QLatin1StringView(name));
        ASSERT_TRUE(QFile::copy(demoSong(), songs.last()));
    }
    // One song has a gain of its own, which the others' jobs must not take.
    {
        QFile mst(m_dir.filePath(QStringLiteral("a.mst")));
        ASSERT_TRUE(mst.open(QIODevice::WriteOnly));
        mst.write("[Gain]\nSlider=-10\n");
    }
    const QString one = m_dir.filePath(QStringLiteral("one"));
    const QString two = m_dir.filePath(QStringLiteral("two"));
    const CliRun serial = runCli(
        convertArgs(QStringLiteral("wav"), one, QStringList{QStringLiteral("--jobs=1")} + songs));
    ASSERT_EQ(serial.status, 0) << serial.err.toStdString();
    const CliRun parallel = runCli(
        convertArgs(QStringLiteral("wav"), two, QStringList{QStringLiteral("--jobs=2")} + songs));
    ASSERT_EQ(parallel.status, 0) << parallel.err.toStdString();
    EXPECT_EQ(parallel.out.count(u'\n'), 3);
    for (const char *name : {"a.wav", "b.wav", "c.wav", "a.kok", "c.kok"}) {
        const QByteArray reference = readAll(one + u'/' + QLatin1StringView(name));
        EXPECT_GT(reference.size(), 500) << name;
        EXPECT_TRUE(readAll(two + u'/' + QLatin1StringView(name)) == reference) << name;
    }
    EXPECT_EQ(runCli({QStringLiteral("convert"), QStringLiteral("--jobs"), QStringLiteral("0"),
                      demoSong()})
                  .status,
              2);
}

TEST_F(Convert, AJobThatFailsDoesNotStopTheOthers)
{
    const QString broken = m_dir.filePath(QStringLiteral("broken.mid"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a MIDI file");
    }
    QStringList songs{broken};
    for (const char *name : {"a.kar", "b.kar"}) {
        songs << m_dir.filePath(QLatin1StringView(name));
        ASSERT_TRUE(QFile::copy(demoSong(), songs.last()));
    }
    const QString out = m_dir.filePath(QStringLiteral("out"));
    const CliRun run = runCli(
        convertArgs(QStringLiteral("wav"), out, QStringList{QStringLiteral("--jobs=3")} + songs));
    EXPECT_EQ(run.status, 1);
    // One error line for the unreadable song, whole lines from every job.
    EXPECT_EQ(run.err.count(QStringLiteral("MIDI")), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("melorit-cli: "))) << run.err.toStdString();
    EXPECT_EQ(run.out.count(u'\n'), 2) << run.out.toStdString();
    for (const QString &line : run.out.split(u'\n', Qt::SkipEmptyParts)) {
        EXPECT_TRUE(line.contains(QStringLiteral(" -> "))) << line.toStdString();
    }
    EXPECT_TRUE(readWav(out + QStringLiteral("/a.wav")).valid);
    EXPECT_TRUE(readWav(out + QStringLiteral("/b.wav")).valid);
}

namespace {

// A ten-minute song: long enough to be stopped while it converts.
fixtures::MidiFileBuilder longSong()
{
    fixtures::MidiFileBuilder song(1, 480);
    auto &track = song.addTrack();
    track.tempo(500000).programChange(0, 0);
    for (std::uint32_t beat = 0; beat < 1200; beat += 4) {
        track.note(0, 60, 90, beat * 480, 480);
    }
    return song;
}

// Starts a conversion, stops it with the signal as soon as the long song's
// temporary file appears, and returns the finished process's result.
CliRun interrupt(const QStringList &arguments, const QString &outDir, int signal)
{
    QProcess process;
    process.start(QStringLiteral(MELORIT_OUTPUT_DIR "/melorit-cli"), arguments);
    QElapsedTimer waited;
    waited.start();
    while (QDir(outDir).entryList({QStringLiteral("long.partial-*")}, QDir::Files).isEmpty() &&
           process.state() != QProcess::NotRunning && waited.elapsed() < 20000) {
        process.waitForFinished(5);
    }
    CliRun run;
    if (process.state() == QProcess::NotRunning) {
        return run; // ended before it could be stopped
    }
    ::kill(static_cast<pid_t>(process.processId()), signal);
    if (process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

TEST_F(Convert, AStoppedRunLeavesOnlyCompleteFilesAndSaysWhatWasConverted)
{
    const QString first = m_dir.filePath(QStringLiteral("a.kar"));
    ASSERT_TRUE(QFile::copy(demoSong(), first));
    const QString long_ = write(QStringLiteral("long.mid"), longSong());
    const QString out = m_dir.filePath(QStringLiteral("out"));
    const CliRun stopped = interrupt(
        convertArgs(QStringLiteral("wav"), out, {QStringLiteral("--jobs=1"), first, long_, first}),
        out, SIGINT);
    EXPECT_EQ(stopped.status, 130) << stopped.err.toStdString();
    EXPECT_EQ(stopped.out, first + QStringLiteral(" -> ") + out + QStringLiteral("/a.wav + ") +
                               out + QStringLiteral("/a.kok\n"));
    EXPECT_TRUE(stopped.err.contains(QStringLiteral("1 of 3 songs converted")))
        << stopped.err.toStdString();
    // The stopped song left nothing: the next run converts it again.
    EXPECT_EQ(QDir(out).entryList(QDir::Files),
              (QStringList{QStringLiteral("a.kok"), QStringLiteral("a.wav")}));
    EXPECT_TRUE(readWav(out + QStringLiteral("/a.wav")).valid);

    const CliRun killed = interrupt(convertArgs(QStringLiteral("mp3"), out, {long_}), out, SIGTERM);
    EXPECT_EQ(killed.status, 143) << killed.err.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files).size(), 2);
}
