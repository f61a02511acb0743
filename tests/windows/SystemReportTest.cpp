#include "WindowTestSupport.h"

#include "base/ProgramPaths.h"
#include "tools/SystemReport.h"

#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace melorit;
using namespace melorit::windows::test;

TEST(SystemReport, ProcessorNameFromCpuinfo)
{
    EXPECT_EQ(u8(tools::cpuModelName("processor\t: 0\nvendor_id\t: GenuineIntel\n"
                                     "model name\t: Intel(R) Xeon(R) CPU @ 2.20GHz\n"
                                     "processor\t: 1\nmodel name\t: other\n")),
              "Intel(R) Xeon(R) CPU @ 2.20GHz");
    EXPECT_EQ(u8(tools::cpuModelName("Processor\t: ARMv7 Processor rev 4 (v7l)\n"
                                     "model name\t:\nHardware\t: BCM2835\n")),
              "ARMv7 Processor rev 4 (v7l)")
        << "an empty model name does not count";
    EXPECT_EQ(tools::cpuModelName(""), QString());
    EXPECT_EQ(tools::cpuModelName("no colon here\n"), QString());
}

TEST(SystemReport, TextListsEveryFactAndWhatIsMissing)
{
    tools::SystemFacts facts;
    facts.program = QStringLiteral("Melorit 1.2.3");
    facts.os = QStringLiteral("Debian GNU/Linux 12");
    facts.kernel = QStringLiteral("linux 6.1");
    facts.architecture = QStringLiteral("x86_64");
    facts.cpu = QStringLiteral("Some CPU");
    facts.cpuThreads = 4;
    facts.libraries = {QStringLiteral("6.4.2"), QStringLiteral("2.3.1"), QStringLiteral("2.26.5")};
    facts.audioDrivers = {QStringLiteral("pulseaudio"), QStringLiteral("alsa")};
    facts.encoders = {{QStringLiteral("lame"), QStringLiteral("/usr/bin/lame"),
                       QStringLiteral("LAME 64bits version 3.100")},
                      {QStringLiteral("oggenc"), QString(), QString()}};
    const QStringList lines = tools::systemReportText(facts).split(u'\n');
    EXPECT_EQ(lines[0], u"Melorit 1.2.3");
    EXPECT_TRUE(lines.contains(u"  Operating system: Debian GNU/Linux 12"));
    EXPECT_TRUE(lines.contains(u"  Processor: Some CPU (4 threads)"));
    EXPECT_TRUE(lines.contains(u"  Display: unknown"));
    EXPECT_TRUE(lines.contains(u"  Audio driver: not started"));
    EXPECT_TRUE(lines.contains(u"  Available drivers: pulseaudio, alsa"));
    EXPECT_TRUE(lines.contains(u"  Synthesizer: FluidSynth 2.3.1"));
    EXPECT_TRUE(lines.contains(u"  Audio output: SDL 2.26.5"));
    EXPECT_TRUE(lines.contains(u"  Interface: Qt 6.4.2"));
    EXPECT_TRUE(lines.contains(u"  lame: /usr/bin/lame (LAME 64bits version 3.100)"));
    EXPECT_TRUE(lines.contains(u"  oggenc: not found (program folder, PATH)"));
    EXPECT_TRUE(lines.contains(u"  none loaded")) << "no SoundFont";

    facts.soundFont = tools::LoadedFont{QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"),
                                        QStringLiteral("TimGM6mb"), 241};
    const QStringList withFont = tools::systemReportText(facts).split(u'\n');
    EXPECT_TRUE(withFont.contains(u"  Name: TimGM6mb"));
    EXPECT_TRUE(withFont.contains(u"  SoundFont version: 2.1"));
    EXPECT_TRUE(withFont.contains(u"  Presets: 241"));

    facts.audioDriver = QStringLiteral("dummy");
    EXPECT_TRUE(tools::systemReportText(facts).contains(u"  Audio driver: dummy\n"));
}

TEST(SystemReport, EncodersBesideTheProgramComeFirst)
{
    ProgramFolder folder;
    const QString beside =
        folder.write(QStringLiteral("oggenc"), "#!/bin/sh\necho oggenc beside\n");
    QFile::setPermissions(beside, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(tools::findEncoder(QStringLiteral("oggenc")), beside);
    EXPECT_EQ(tools::findEncoder(QStringLiteral("no-such-encoder-here")), QString());

    const tools::SystemFacts facts = tools::collectSystemFacts();
    ASSERT_EQ(facts.encoders.size(), 3); // lame, oggenc, ffmpeg
    EXPECT_EQ(facts.encoders[1].path, beside);
    EXPECT_EQ(facts.encoders[1].version, u"oggenc beside") << "its own first line";
    EXPECT_FALSE(facts.os.isEmpty());
    EXPECT_GT(facts.cpuThreads, 0);
    EXPECT_FALSE(facts.audioDrivers.isEmpty()) << "SDL lists its drivers without starting";
    EXPECT_TRUE(facts.audioDrivers.contains(u"dummy"));
}
