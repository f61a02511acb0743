// The first start on an English desktop: English texts, the options dialog
// in front of the main window with a Close button, languages by their names.
#include "NewUserFixture.h"

#include "base/Ini.h"
#include "tools/OptionsDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace melorit::newuser::test {
namespace {

QString configuredLanguage()
{
    return ReadIni(QStringLiteral("Melorit"), QStringLiteral("Lng"));
}

TEST_F(NewUserTest, TheFirstRunSpeaksTheDesktopsLanguageAndTheOptionsComeToTheFront)
{
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(m_program->languageCode(), u"en");
    EXPECT_EQ(mainWindow()->label(QStringLiteral("LabelMuet"))->text(), u"Mute");

    tools::OptionsDlg *options = m_program->optionsDialog();
    ASSERT_NE(options, nullptr);
    ASSERT_TRUE(options->isVisible());
    // In front of the main window: the window under the dialog's middle is it.
    const QPoint middle = options->mapToGlobal(options->rect().center());
    EXPECT_TRUE(mainWindow()->frameGeometry().contains(middle));
    EXPECT_EQ(QApplication::topLevelAt(middle), options);

    QComboBox *languages = options->ComboLng();
    ASSERT_EQ(languages->count(), 2);
    EXPECT_EQ(languages->itemText(0), u"English");
    EXPECT_EQ(languages->itemText(1), u"Français");
    EXPECT_EQ(languages->currentText(), u"English");
    EXPECT_TRUE(configuredLanguage().isEmpty()) << "nothing chosen yet";

    ASSERT_EQ(options->closeButton()->text(), u"Close");
    QTest::mouseClick(options->closeButton(), Qt::LeftButton);
    settle();
    EXPECT_FALSE(options->isVisible());
    EXPECT_EQ(configuredLanguage(), u"en") << "the language shown is kept";
}

TEST_F(NewUserTest, ChoosingALanguageByItsNameStoresItsCode)
{
    ASSERT_TRUE(startProgram());
    tools::OptionsDlg *options = m_program->optionsDialog();
    ASSERT_NE(options, nullptr);
    const int french = options->ComboLng()->findText(QStringLiteral("Français"));
    ASSERT_EQ(french, 1);
    options->ComboLng()->setCurrentIndex(french);
    Q_EMIT options->ComboLng()->activated(french);
    EXPECT_EQ(configuredLanguage(), u"fr");
    EXPECT_EQ(mainWindow()->label(QStringLiteral("LabelMuet"))->text(), u"Muet");
    EXPECT_EQ(options->closeButton()->text(), u"Fermer");
    options->closeButton()->click();
    EXPECT_EQ(configuredLanguage(), u"fr");
}

} // namespace
} // namespace melorit::newuser::test
