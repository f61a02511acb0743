// The program's road (the record command, the export dialog answered with
// OK) and melorit-cli convert write the same bytes for the same song, ".mst"
// and "Melorit.ini". melorit-cli runs from the test's program folder, so
// both read the configuration file there.
#include "ProgramFixture.h"

#include "base/Ini.h"
#include "export/ExportDialog.h"
#include "tools/OptionsDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QTimer>

namespace melorit::program::test {
namespace {

class ConversionRoads : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        const QString cli = file(QStringLiteral("melorit-cli"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(MELORIT_OUTPUT_DIR "/melorit-cli"), cli));
        ASSERT_TRUE(QFile::setPermissions(cli, QFile::ReadOwner | QFile::ExeOwner));
        ASSERT_TRUE(QFile::copy(
            QStringLiteral(MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar"), song()));
        WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("en"));
        WriteIni(QStringLiteral("Wave"), QStringLiteral("SaveFolder"), file(QStringLiteral("out")));
        WriteIni(QStringLiteral("SF2"), QStringLiteral("Base"),
                 QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"));
    }
    QString song() const { return file(QStringLiteral("song.kar")); }
    QString mst() const { return file(QStringLiteral("song.mst")); }
    // What a road wrote, taken away for the next road.
    QByteArray takeOutput() const
    {
        QFile wav(file(QStringLiteral("out/song.wav")));
        const QByteArray bytes = wav.open(QIODevice::ReadOnly) ? wav.readAll() : QByteArray();
        wav.remove();
        return bytes;
    }
    // The record button, then OK in the export dialog once it shows.
    QByteArray programRoad()
    {
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                auto *dialog = qobject_cast<exporting::ExportDialog *>(window);
                if (dialog && dialog->isVisible()) {
                    dialog->Btn_Validation_Click();
                }
            }
        });
        answer.start(10);
        m_program->player()->Action_Record();
        return takeOutput();
    }
    QByteArray cliRoad() const
    {
        QProcess cli;
        cli.start(file(QStringLiteral("melorit-cli")), {QStringLiteral("convert"), song()});
        EXPECT_TRUE(cli.waitForFinished(60000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        return takeOutput();
    }
};

TEST_F(ConversionRoads, TheProgramAndTheCommandLineWriteTheSameBytes)
{
    ASSERT_TRUE(startProgram({song()}));
    const QByteArray muted = programRoad();
    ASSERT_GT(muted.size(), 44100 * 4 * 10);
    EXPECT_TRUE(cliRoad() == muted) << "automatic muting on";

    m_program->Action_Setup();
    QCheckBox *autoMute = m_program->optionsDialog()->chkAutoMute();
    ASSERT_TRUE(autoMute->isChecked());
    autoMute->click();
    const QByteArray melody = programRoad();
    EXPECT_FALSE(melody == muted) << "the melody channel is heard";
    EXPECT_TRUE(cliRoad() == melody) << "automatic muting off";

    WriteIni(QStringLiteral("Tempo"), QStringLiteral("Slider"), QStringLiteral("20"), mst());
    EXPECT_TRUE(cliRoad() == programRoad()) << "tempo raised by a fifth";

    WriteIni(QStringLiteral("Marqueurs"), QStringLiteral("Marche"), QStringLiteral("1"), mst());
    WriteIni(QStringLiteral("Marqueurs"), QStringLiteral("Debut"), QStringLiteral("4.5"), mst());
    WriteIni(QStringLiteral("Marqueurs"), QStringLiteral("Fin"), QStringLiteral("20.25"), mst());
    const QByteArray section = programRoad();
    EXPECT_LT(section.size(), melody.size() / 2);
    EXPECT_TRUE(cliRoad() == section) << "markers";

    ASSERT_TRUE(m_program->player()->ReplaceFont(
        QStringLiteral(MELORIT_CORPUS_DIR "/sf2/VintageDreamsWaves-v2.sf2")));
    const QByteArray vintage = programRoad();
    EXPECT_FALSE(vintage == section);
    EXPECT_TRUE(cliRoad() == vintage) << "another SoundFont";

    // Ticked in the dialog: kept in "Melorit.ini", which melorit-cli reads.
    WriteIni(QStringLiteral("Wave"), QStringLiteral("Normalize"), QStringLiteral("1"));
    WriteIni(QStringLiteral("Wave"), QStringLiteral("Loudness"), QStringLiteral("-14"));
    const QByteArray matched = programRoad();
    EXPECT_EQ(matched.size(), vintage.size());
    EXPECT_FALSE(matched == vintage);
    EXPECT_TRUE(cliRoad() == matched) << "loudness matched";
}

} // namespace
} // namespace melorit::program::test
