// melorit-cli run as a program: its output, its exit statuses, its help.

#include "tests/support/MidiFileBuilder.h"
#include "tests/support/SoundFontBuilder.h"
#include "tests/tools/DumpFixtures.h"
#include "tools/MidiDump.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace melorit::testing {
namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(MELORIT_OUTPUT_DIR "/melorit-cli"), arguments);
    CliRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        return run;
    }
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class Cli : public ::testing::Test {
protected:
    QString write(const QString &name, const fixtures::Bytes &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(viewOf(bytes).toByteArray());
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(Cli, DumpMidiWritesEachListingAndPrintsItsPath)
{
    fixtures::MidiFileBuilder midi(1, 96);
    midi.addTrack().lyric("la").note(0, 60, 100, 0, 96);
    const QString first = write(QStringLiteral("\u00E9t\u00E9.mid"), midi.build());
    const QString second = write(QStringLiteral("two.kar"), midi.build());

    const CliRun run = runCli({QStringLiteral("dump-midi"), first, second});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, first + QStringLiteral(".txt\n") + second + QStringLiteral(".txt\n"));
    EXPECT_TRUE(run.err.isEmpty());
    QFile listing(second + QStringLiteral(".txt"));
    ASSERT_TRUE(listing.open(QIODevice::ReadOnly));
    EXPECT_EQ(listing.readAll(), tools::listMidi(viewOf(midi.build()), second).text);
}

TEST_F(Cli, DumpMidiReportsAFileItCannotRead)
{
    fixtures::MidiFileBuilder midi;
    midi.addTrack();
    const QString good = write(QStringLiteral("good.mid"), midi.build());
    const QString missing = m_dir.filePath(QStringLiteral("missing.mid"));
    const CliRun run = runCli({QStringLiteral("dump-midi"), missing, good});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(missing + QStringLiteral(": the file cannot be read")));
    EXPECT_TRUE(run.out.endsWith(good + QStringLiteral(".txt\n")));

    // A file that is not MIDI is listed (its first line) with a warning.
    const QString text = write(QStringLiteral("notes.txt"), fixtures::bytesOf("hello"));
    const CliRun notMidi = runCli({QStringLiteral("dump-midi"), text});
    EXPECT_EQ(notMidi.status, 0);
    EXPECT_TRUE(notMidi.err.contains(QStringLiteral("not a Standard MIDI File")));
}

TEST_F(Cli, Sf2InfoPrintsTheIdentity)
{
    fixtures::SoundFontBuilder font;
    font.addPreset("Sine", 0, 0).setVersion(2, 4);
    const QString path = write(QStringLiteral("sine.sf2"), font.build());
    const QString language = m_dir.filePath(QStringLiteral("en.lng"));
    {
        QFile file(language);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Options]\nSfVersion=SoundFont version: %1\n");
    }
    const CliRun run =
        runCli({QStringLiteral("sf2-info"), QStringLiteral("--language"), language, path});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, path + QStringLiteral("\nEMU8000\nSoundFont version: 2.4\n"));

    const CliRun wave =
        runCli({QStringLiteral("sf2-info"),
                write(QStringLiteral("a.wav"), fixtures::bytesOf("RIFF\4\0\0\0WAVE"))});
    EXPECT_EQ(wave.status, 1);
    EXPECT_TRUE(wave.out.isEmpty());
    EXPECT_TRUE(wave.err.contains(QStringLiteral("No soundfont bank found!")));

    const CliRun missing =
        runCli({QStringLiteral("sf2-info"), m_dir.filePath(QStringLiteral("x.sf2"))});
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(missing.err.isEmpty());
}

TEST(CliUsage, HelpAndUsageErrors)
{
    const CliRun help = runCli({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("dump-midi")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("sf2-info")));
    for (const char *command : {"dump-midi", "sf2-info"}) {
        const CliRun commandHelp = runCli({QLatin1StringView(command), QStringLiteral("--help")});
        EXPECT_EQ(commandHelp.status, 0) << command;
        EXPECT_TRUE(commandHelp.out.startsWith(QStringLiteral("usage: melorit-cli ") +
                                               QLatin1StringView(command)));
    }
    const QList<QStringList> usageErrors{
        {},
        {QStringLiteral("--frobnicate")},
        {QStringLiteral("explode")},
        {QStringLiteral("dump-midi")},
        {QStringLiteral("dump-midi"), QStringLiteral("--fast"), QStringLiteral("a.mid")},
        {QStringLiteral("sf2-info")},
        {QStringLiteral("sf2-info"), QStringLiteral("a.sf2"), QStringLiteral("b.sf2")},
        {QStringLiteral("sf2-info"), QStringLiteral("--language")},
    };
    for (const QStringList &arguments : usageErrors) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QStringLiteral("--help"))) << run.err.toStdString();
    }
}

} // namespace
} // namespace melorit::testing
