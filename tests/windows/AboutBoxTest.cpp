#include "WindowTestSupport.h"

#include "tools/frmAbout.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace melorit;
using namespace melorit::windows::test;

namespace {

const QString kBuildVersion = QStringLiteral(MELORIT_TEST_PROGRAM_VERSION);

class AboutBoxTest : public ::testing::Test {
protected:
    QString language;
    ProgramFolder folder;
    RecordedMessages messages;
    std::function<QString()> languageFile = [this] { return language; };
};

} // namespace

TEST_F(AboutBoxTest, TextsComeFromTheAboutSectionWithTheBuildVersion)
{
    language = folder.french();
    tools::frmAbout about(languageFile);
    EXPECT_EQ(u8(about.windowTitle()), "À propos de Melorit");
    EXPECT_EQ(about.titleLabel()->text(), u"Melorit");
    EXPECT_EQ(about.lblVersion()->text(), QStringLiteral("Version ") + kBuildVersion);
    EXPECT_EQ(u8(about.lblDescription()->text()),
              "Lecteur et convertisseur de karaokés MIDI.\nÉcoutez vos fichiers MID et KAR, "
              "réglez le mixage et créez des fonds musicaux.");
    EXPECT_EQ(u8(about.btn_copyright()->text()), "Crédits");
    EXPECT_EQ(u8(about.cmdSysInfo()->text()), "Infos système...");
    EXPECT_EQ(about.cmdOK()->text(), u"OK");

    // The five disclaimer texts, in order, without separators; bars are line breaks.
    const QString disclaimer = about.lblDisclaimer()->text();
    EXPECT_TRUE(disclaimer.startsWith(u"Avertissement : ce logiciel est fourni tel quel"));
    EXPECT_TRUE(disclaimer.contains(u"implicite. L'auteur ne saurait"));
    EXPECT_TRUE(disclaimer.contains(u"utilisation.\n\nLes fichiers MIDI"));
    EXPECT_TRUE(disclaimer.contains(u"auteurs ; n'en faites"));
    EXPECT_TRUE(disclaimer.endsWith(u"permettent.\n\nLes bibliothèques et encodeurs utilisés "
                                    u"restent soumis à leurs propres licences."));
    EXPECT_FALSE(disclaimer.contains(u'|'));

    language = folder.english();
    about.LoadLanguage();
    EXPECT_EQ(u8(about.windowTitle()), "About Melorit");
    EXPECT_EQ(u8(about.btn_copyright()->text()), "Credits");

    language = folder.write(QStringLiteral("xx.lng"), "[MELORIT]\r\nLng=xx\r\n");
    about.LoadLanguage();
    EXPECT_TRUE(about.lblVersion()->text().isEmpty());
    EXPECT_TRUE(about.cmdOK()->text().isEmpty());
    EXPECT_EQ(about.titleLabel()->text(), u"Melorit") << "the title is the program's own";
}

TEST_F(AboutBoxTest, CreditsNameTheProgramAndItsComponents)
{
    language = folder.english();
    tools::frmAbout about(languageFile);
    about.btn_copyright()->click();
    ASSERT_EQ(messages.messages.size(), 1u);
    const UserMessage credits = messages.messages[0];
    EXPECT_EQ(credits.title, u"Credits");
    EXPECT_EQ(credits.icon, MessageIcon::Information);
    const QStringList lines = credits.text.split(u'\n');
    ASSERT_EQ(lines.size(), 7) << u8(credits.text);
    EXPECT_TRUE(lines[1].isEmpty());
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Melorit ") + kBuildVersion));
    EXPECT_EQ(lines[2], u"This program uses:");
    const tools::ComponentVersions versions = tools::componentVersions();
    EXPECT_TRUE(lines[3].contains(QStringLiteral("FluidSynth ") + versions.fluidsynth));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("SDL ") + versions.sdl));
    EXPECT_TRUE(lines[5].startsWith(u"LAME"));
    EXPECT_TRUE(lines[6].contains(u"oggenc"));
    EXPECT_FALSE(credits.text.contains(u'%'));

    about.btn_copyright()->click();
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].text, credits.text) << "the second time shows the same";
}

TEST(AboutTexts, CreditsTextWithoutPlaceholdersStaysAsItIs)
{
    const QStringList lines{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                            QStringLiteral("d")};
    EXPECT_EQ(tools::creditsText(QStringLiteral("Just %2 us"), lines), u"Just %2 us");
    EXPECT_EQ(tools::creditsText(QStringLiteral("%4%3%2%1 %1"), lines), u"dcba a");
    EXPECT_EQ(tools::creditsText(QString(), lines), QString());
}

TEST_F(AboutBoxTest, SystemInformationShowsOurReportAndOkCloses)
{
    language = folder.french();
    tools::frmAbout about(languageFile);
    about.show();
    about.cmdSysInfo()->click();
    QDialog *report = about.systemReportWindow();
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(u8(report->windowTitle()), "Infos système");
    auto *text = report->findChild<QPlainTextEdit *>();
    ASSERT_NE(text, nullptr);
    const QString shown = text->toPlainText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Melorit ") + kBuildVersion));
    EXPECT_TRUE(
        shown.contains(QStringLiteral("FluidSynth ") + tools::componentVersions().fluidsynth));
    EXPECT_TRUE(shown.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())));
    EXPECT_TRUE(messages.messages.empty());

    about.cmdSysInfo()->click();
    EXPECT_EQ(about.systemReportWindow(), report) << "one report window at a time";

    about.cmdOK()->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}
