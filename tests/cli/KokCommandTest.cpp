// "melorit-cli kok": the lyrics file of a song without rendering it.

#include "tests/cli/CliRun.h"

#include <QDir>
#include <QFile>

using namespace melorit;
using namespace melorit::testing;

namespace {

using Kok = CliTest;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString golden(const char *name)
{
    return QStringLiteral(MELORIT_SOURCE_DIR "/tests/data/kok/") + QLatin1StringView(name);
}

QString goldenLyrics(const char *name)
{
    return QStringLiteral(MELORIT_SOURCE_DIR "/tests/data/lyrics/") + QLatin1StringView(name);
}

} // namespace

TEST_F(Kok, WritesBesideTheSongByDefault)
{
    const QString song = m_dir.filePath(QStringLiteral("\u00E9t\u00E9.v2.kar"));
    ASSERT_TRUE(QFile::copy(demoSong(), song));
    const CliRun run = runCli({QStringLiteral("kok"), song});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString expected = m_dir.filePath(QStringLiteral("\u00E9t\u00E9.v2.kok"));
    EXPECT_EQ(run.out, expected + u'\n');
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_EQ(readAll(expected), readAll(golden("au-clair-de-la-lune.kok")));
}

TEST_F(Kok, OutputAndLineLengthOptions)
{
    const QString out = m_dir.filePath(QStringLiteral("cut.kok"));
    QFile old(out);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("older file, longer than the new one ..........................................");
    old.close();
    const CliRun run = runCli({QStringLiteral("kok"), demoSong(), QStringLiteral("-o"), out,
                               QStringLiteral("--max-length"), QStringLiteral("12")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, out + u'\n');
    EXPECT_EQ(readAll(out), readAll(golden("au-clair-de-la-lune-12.kok")));

    const QString free = m_dir.filePath(QStringLiteral("free.kok"));
    const CliRun noLimit = runCli({QStringLiteral("kok"), QStringLiteral("--max-length=0"),
                                   demoSong(), QStringLiteral("-o=") + free});
    ASSERT_EQ(noLimit.status, 0) << noLimit.err.toStdString();
    EXPECT_EQ(readAll(free), readAll(golden("au-clair-de-la-lune.kok")));
}

TEST_F(Kok, FormatsBesideTheSongOrAtTheOutput)
{
    const QString song = m_dir.filePath(QStringLiteral("lune.kar"));
    ASSERT_TRUE(QFile::copy(demoSong(), song));
    const CliRun all = runCli(
        {QStringLiteral("kok"), song, QStringLiteral("--format"), QStringLiteral("ass,KOK, lrc")});
    ASSERT_EQ(all.status, 0) << all.err.toStdString();
    const QString base = m_dir.filePath(QStringLiteral("lune"));
    EXPECT_EQ(all.out, base + QStringLiteral(".kok\n") + base + QStringLiteral(".lrc\n") + base +
                           QStringLiteral(".ass\n"));
    EXPECT_EQ(readAll(base + QStringLiteral(".kok")), readAll(golden("au-clair-de-la-lune.kok")));
    EXPECT_EQ(readAll(base + QStringLiteral(".lrc")),
              readAll(goldenLyrics("au-clair-de-la-lune.lrc")));
    EXPECT_EQ(readAll(base + QStringLiteral(".ass")),
              readAll(goldenLyrics("au-clair-de-la-lune.ass")));

    // One format writes exactly the file asked for.
    const QString out = m_dir.filePath(QStringLiteral("words.txt"));
    const CliRun one = runCli({QStringLiteral("kok"), demoSong(), QStringLiteral("--format=lrc"),
                               QStringLiteral("-o"), out});
    ASSERT_EQ(one.status, 0) << one.err.toStdString();
    EXPECT_EQ(one.out, out + u'\n');
    EXPECT_EQ(readAll(out), readAll(goldenLyrics("au-clair-de-la-lune.lrc")));
}

TEST_F(Kok, TagsOfTheSongSettingsFileTitleTheLrc)
{
    const QString song = m_dir.filePath(QStringLiteral("lune.kar"));
    ASSERT_TRUE(QFile::copy(demoSong(), song));
    QFile mst(m_dir.filePath(QStringLiteral("lune.mst")));
    ASSERT_TRUE(mst.open(QIODevice::WriteOnly));
    mst.write("[Tags]\r\nTitre=Clair de lune\r\n");
    mst.close();
    const CliRun run =
        runCli({QStringLiteral("kok"), song, QStringLiteral("--format"), QStringLiteral("lrc")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(readAll(m_dir.filePath(QStringLiteral("lune.lrc")))
                    .startsWith("[ti:Clair de lune]\n[ar:Traditionnel]\n"));
}

TEST_F(Kok, SongsWithoutLyricsOrUnreadableGiveNoFile)
{
    fixtures::MidiFileBuilder silent(1, 480);
    silent.addTrack().note(0, 60, 100, 0, 480);
    const QString song = write(QStringLiteral("silent.mid"), silent);
    const CliRun run = runCli({QStringLiteral("kok"), song});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(song + QStringLiteral(": the song has no lyrics")))
        << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("silent.kok"))));

    const QString text = m_dir.filePath(QStringLiteral("notes.txt"));
    QFile notMidi(text);
    ASSERT_TRUE(notMidi.open(QIODevice::WriteOnly));
    notMidi.write("hello");
    notMidi.close();
    const CliRun bad = runCli({QStringLiteral("kok"), text});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.contains(text + QStringLiteral(": the file is not a MIDI file")))
        << bad.err.toStdString();
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("notes.kok"))));
}

TEST_F(Kok, AFileThatCannotBeWrittenIsReported)
{
    const QString blocker = m_dir.filePath(QStringLiteral("plain-file"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString out = blocker + QStringLiteral("/song.kok");
    const CliRun run = runCli({QStringLiteral("kok"), demoSong(), QStringLiteral("-o"), out});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(QStringLiteral("The lyrics file could not be written")))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(out));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("plain-file")});
}

TEST(KokUsage, HelpAndUsageErrors)
{
    const CliRun help = runCli({QStringLiteral("kok"), QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(
        QStringLiteral("usage: melorit-cli kok FILE [-o OUT] [--max-length N] [--format LIST]")));
    const QString song = QStringLiteral("a.kar");
    for (const QStringList &arguments : {
             QStringList{QStringLiteral("kok")},
             QStringList{QStringLiteral("kok"), song, QStringLiteral("b.kar")},
             QStringList{QStringLiteral("kok"), song, QStringLiteral("-o")},
             QStringList{QStringLiteral("kok"), song, QStringLiteral("--max-length"),
                         QStringLiteral("ten")},
             QStringList{QStringLiteral("kok"), song, QStringLiteral("--max-length=-1")},
             QStringList{QStringLiteral("kok"), song, QStringLiteral("--max-length=40000")},
             QStringList{QStringLiteral("kok"), song, QStringLiteral("--tempo=2")},
             QStringList{QStringLiteral("kok"), song, QStringLiteral("--format=srt")},
             QStringList{QStringLiteral("kok"), song, QStringLiteral("--format=lrc,")},
             QStringList{QStringLiteral("kok"), song, QStringLiteral("--format")},
         }) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QStringLiteral("kok --help"))) << run.err.toStdString();
    }
}
