#include "OptionsFixture.h"

#include "tools/OptionsDlg.h"
#include "tools/SingingPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

using namespace melorit;
using namespace melorit::windows::test;

namespace {

constexpr int kMelodyChannel = 3;
const QString kTimidity = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");

QByteArray languageFile(const QByteArray &code)
{
    return "[MELORIT]\r\nLng=" + code + "\r\n";
}

class OptionsDlgTest : public ::testing::Test {
protected:
    OptionsDlgTest()
    {
        host.language = folder.french();
        host.code = QStringLiteral("fr");
        host.mixer.setLyricsChannel(kMelodyChannel);
    }

    // The user picks the entry at this position of the list.
    static void choose(tools::OptionsDlg &dialog, int position)
    {
        dialog.ComboLng()->setCurrentIndex(position);
        Q_EMIT dialog.ComboLng()->activated(position);
    }

    static QStringList listed(const tools::OptionsDlg &dialog)
    {
        QStringList names;
        for (int i = 0; i < dialog.ComboLng()->count(); ++i) {
            names.append(dialog.ComboLng()->itemText(i));
        }
        return names;
    }

    ProgramFolder folder;
    RecordedMessages messages;
    RecordingOptionsHost host;
};

} // namespace

// Each file by its own name for its language ("MELORIT"/"Name"), else by its
// code.
TEST_F(OptionsDlgTest, ListsTheLanguageFilesByTheirOwnName)
{
    folder.write(QStringLiteral("DE.LNG"), languageFile("Deutsch"));
    folder.write(QStringLiteral("xx.lng"), "[Options]\r\nCaption=Sans code\r\n");
    folder.write(QStringLiteral("empty.lng"), languageFile(""));
    folder.write(QStringLiteral("zz.txt"), languageFile("zz"));
    host.code = QStringLiteral("FR");
    tools::OptionsDlg dialog(host);
    EXPECT_EQ(listed(dialog), (QStringList{QStringLiteral("Deutsch"), QStringLiteral("English"),
                                           QStringLiteral("Français")}));
    ASSERT_EQ(dialog.LanguageFiles().size(), 3);
    EXPECT_EQ(dialog.LanguageFiles()[0].file, folder.file(QStringLiteral("DE.LNG")));
    EXPECT_EQ(dialog.ComboLng()->currentIndex(), 2) << "the current language, any case";
}

TEST_F(OptionsDlgTest, AtMostAHundredNamedFilesAreListed)
{
    folder.write(QStringLiteral("a-nameless.lng"), "[Main]\r\n");
    for (int i = 0; i < 105; ++i) {
        folder.write(QStringLiteral("l%1.lng").arg(i, 3, 10, QChar(u'0')),
                     languageFile("L" + QByteArray::number(i)));
    }
    tools::OptionsDlg dialog(host);
    ASSERT_EQ(dialog.ComboLng()->count(), 100);
    ASSERT_EQ(dialog.LanguageFiles().size(), 100);
    EXPECT_EQ(dialog.ComboLng()->itemText(0), u"English");
    EXPECT_EQ(dialog.ComboLng()->itemText(1), u"Français");
    EXPECT_EQ(dialog.ComboLng()->itemText(2), u"L0") << "a file without a code takes no place";
    EXPECT_EQ(dialog.ComboLng()->itemText(99), u"L97");
    EXPECT_EQ(dialog.LanguageFiles()[99].file, folder.file(QStringLiteral("l097.lng")));
    EXPECT_EQ(tools::listLanguageFiles(folder.path(), 3).size(), 3);
}

TEST_F(OptionsDlgTest, ChoosingALanguageStoresTheFileNameAndReloadsEveryWindow)
{
    const QString english = folder.write(QStringLiteral("english.lng"), languageFile("en-GB"));
    host.code = QStringLiteral("it");
    tools::OptionsDlg dialog(host);
    EXPECT_EQ(dialog.ComboLng()->currentIndex(), -1) << "no entry for the current language";
    ASSERT_EQ(listed(dialog), (QStringList{QStringLiteral("English"), QStringLiteral("en-GB"),
                                           QStringLiteral("Français")}));

    choose(dialog, 1);
    ASSERT_EQ(host.reloads.size(), 1u);
    EXPECT_EQ(host.reloads[0], english);
    EXPECT_EQ(host.code, u"en-GB");
    EXPECT_EQ(ReadIni(QStringLiteral("Melorit"), QStringLiteral("Lng")), u"english")
        << "the file's base name, not its code";

    choose(dialog, 2);
    EXPECT_EQ(host.reloads.back(), folder.french());
    EXPECT_EQ(ReadIni(QStringLiteral("Melorit"), QStringLiteral("Lng")), u"fr");
}

TEST_F(OptionsDlgTest, TextsComeFromTheOptionsSection)
{
    tools::OptionsDlg dialog(host);
    EXPECT_EQ(u8(dialog.windowTitle()), "Options");
    EXPECT_EQ(u8(dialog.SSTab1()->tabText(0)), "Langue");
    EXPECT_EQ(u8(dialog.SSTab1()->tabText(2)), "Instruments");
    EXPECT_EQ(u8(dialog.btnReplace()->text()), "Charger Instruments");
    EXPECT_EQ(u8(dialog.SfInfo()->text()), "SF Info");
    EXPECT_EQ(u8(dialog.chkAutoMute()->text()), "Couper automatiquement le canal de la mélodie");

    host.language = folder.english();
    dialog.LoadLanguage();
    EXPECT_EQ(u8(dialog.SSTab1()->tabText(0)), "Language");
    EXPECT_EQ(u8(dialog.SSTab1()->tabText(1)), "Playback");
    EXPECT_EQ(u8(dialog.btnReplace()->text()), "Load instruments");
    EXPECT_EQ(u8(dialog.SfInfo()->text()), "SoundFont info");

    // Without its texts the dialog shows empty ones.
    host.language = folder.write(QStringLiteral("xx.lng"), languageFile("xx"));
    dialog.LoadLanguage();
    EXPECT_TRUE(dialog.SSTab1()->tabText(1).isEmpty());
    EXPECT_TRUE(dialog.btnReplace()->text().isEmpty());

    dialog.setSoundFontStatus(QStringLiteral("TimGM6mb\nSamples loaded: 1 of 2 bytes"));
    EXPECT_EQ(dialog.soundFontLabel()->text(), u"TimGM6mb\nSamples loaded: 1 of 2 bytes");
}

TEST_F(OptionsDlgTest, AutomaticMutingChangesTheMelodyLevelAtOnce)
{
    tools::OptionsDlg dialog(host);
    EXPECT_TRUE(dialog.chkAutoMute()->isChecked());
    host.mixer.ApplyLevels();
    ASSERT_EQ(host.stream.levels[kMelodyChannel], 0) << "the melody starts muted";
    const int otherLevel = host.stream.levels[0];
    ASSERT_GT(otherLevel, 0);

    dialog.chkAutoMute()->click();
    EXPECT_FALSE(host.autoMute());
    EXPECT_EQ(host.stream.levels[kMelodyChannel], otherLevel) << "the melody is heard";
    EXPECT_EQ(ReadIni(QStringLiteral("Melorit"), QStringLiteral("AutoMute")), u"0");

    dialog.chkAutoMute()->click();
    EXPECT_TRUE(host.autoMute());
    EXPECT_EQ(host.stream.levels[kMelodyChannel], 0);
    EXPECT_EQ(host.stream.levels[0], otherLevel) << "the other channels keep their level";
    EXPECT_EQ(ReadIni(QStringLiteral("Melorit"), QStringLiteral("AutoMute")), u"1");

    // Opened with muting off, the box is clear.
    host.mixer.setAutoMute(false);
    tools::OptionsDlg second(host);
    EXPECT_FALSE(second.chkAutoMute()->isChecked());
}

TEST_F(OptionsDlgTest, TheSingingPageStoresScoringAtOnceAndItIsOffAtFirst)
{
    tools::OptionsDlg dialog(host);
    tools::SingingPage &page = *dialog.singingPage();
    EXPECT_EQ(dialog.SSTab1()->tabText(3), u"Chant");
    EXPECT_FALSE(page.chkScore()->isChecked());
    EXPECT_EQ(page.ComboMicro()->currentText(), u"Entrée par défaut");
    EXPECT_EQ(page.tolerance()->value(), 50);

    page.chkScore()->click();
    page.tolerance()->setValue(80);
    EXPECT_EQ(ReadIni(QStringLiteral("Score"), QStringLiteral("Enabled")), u"1");
    EXPECT_EQ(ReadIni(QStringLiteral("Score"), QStringLiteral("Tolerance")), u"80");
    EXPECT_EQ(host.scoringChanges, 2);

    tools::OptionsDlg second(host);
    EXPECT_TRUE(second.singingPage()->chkScore()->isChecked());
    EXPECT_EQ(second.singingPage()->tolerance()->value(), 80);
    EXPECT_EQ(host.scoringChanges, 2) << "showing the stored settings changes nothing";
}

TEST_F(OptionsDlgTest, ReplaceRunsTheSoundFontChooser)
{
    tools::OptionsDlg dialog(host);
    dialog.btnReplace()->click();
    EXPECT_EQ(host.fontChanges, 1);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(OptionsDlgTest, SoundFontInfoSaysWhatTheLoadedFontIs)
{
    host.font = tools::LoadedFont{kTimidity, QStringLiteral("TimGM6mb"), 136};
    tools::OptionsDlg dialog(host);
    dialog.SfInfo()->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Information);
    const QStringList lines = messages.messages[0].text.split(QStringLiteral("\r\n"));
    EXPECT_EQ(
        lines,
        (QStringList{QStringLiteral("Nom : TimGM6mb"), QStringLiteral("Version SoundFont : 2.1"),
                     QStringLiteral("Fichier : ") + kTimidity,
                     QStringLiteral("Taille : 5969788 octets"), QStringLiteral("Presets : 136")}));

    // No SoundFont at all.
    messages.messages.clear();
    host.font.reset();
    dialog.SfInfo()->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, u"Aucune banque de sons charg\u00e9e");
}

TEST_F(OptionsDlgTest, ShowingTheDialogAgainFindsNewLanguageFiles)
{
    tools::OptionsDlg dialog(host);
    dialog.show();
    EXPECT_EQ(dialog.ComboLng()->count(), 2);
    dialog.hide();
    folder.write(QStringLiteral("es.lng"), languageFile("es"));
    host.code = QStringLiteral("es");
    dialog.show();
    EXPECT_EQ(listed(dialog), (QStringList{QStringLiteral("English"), QStringLiteral("es"),
                                           QStringLiteral("Français")}));
    EXPECT_EQ(dialog.ComboLng()->currentIndex(), 1);
}

TEST(LanguageList, BaseNameAndReloadOrder)
{
    EXPECT_EQ(tools::languageBaseName(QStringLiteral("/opt/melorit/english.lng")), u"english");
    EXPECT_EQ(tools::languageBaseName(QStringLiteral("/opt/mel.orit/fr.v2.lng")), u"fr.v2");

    tools::LanguageReloaders reloaders;
    QStringList order;
    const auto note = [&order](const char *name) {
        return [&order, name] { order.append(QString::fromLatin1(name)); };
    };
    reloaders.set(tools::TextWindow::TimeEntry, note("time"));
    reloaders.set(tools::TextWindow::Playlist, note("playlist"));
    reloaders.set(tools::TextWindow::Main, note("main"));
    reloaders.set(tools::TextWindow::About, note("about"));
    reloaders.set(tools::TextWindow::Options, note("options"));
    reloaders.set(tools::TextWindow::Lyrics, note("lyrics"));
    reloaders.reloadAll();
    EXPECT_EQ(order, (QStringList{QStringLiteral("about"), QStringLiteral("main"),
                                  QStringLiteral("options"), QStringLiteral("lyrics"),
                                  QStringLiteral("playlist"), QStringLiteral("time")}));
}
