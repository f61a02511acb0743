#include "OptionsFixture.h"
#include "PlaylistFixture.h"

#include "base/Language.h"
#include "base/TextUtil.h"
#include "skins/PictureButton.h"
#include "tools/OptionsDlg.h"
#include "tools/frmAbout.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

using namespace melorit;
using namespace melorit::windows::test;

namespace {

// The main window's own texts: its caption and its command buttons' tips.
class MainWindowTexts : public QWidget {
public:
    explicit MainWindowTexts(std::function<QString()> languageFile)
        : m_languageFile(std::move(languageFile))
    {
        for (int index = 32; index <= 50; ++index) {
            m_buttons.append(new QPushButton(this));
        }
        LoadLanguage();
    }
    void LoadLanguage()
    {
        const QString file = m_languageFile();
        const QString main = QStringLiteral("Main");
        setWindowTitle(
            text::fillPlaceholders(languageText(file, main, QStringLiteral("Main.Caption")),
                                   languageText(file, main, QStringLiteral("Titre(0)"))));
        for (int i = 0; i < m_buttons.size(); ++i) {
            m_buttons[i]->setToolTip(
                languageText(file, main, indexedKey(QStringLiteral("SM"), 32 + i)));
        }
    }
    QString tip(int index) const { return m_buttons[index - 32]->toolTip(); }

private:
    std::function<QString()> m_languageFile;
    QList<QPushButton *> m_buttons;
};

} // namespace

// One language change reaches every open window before the user's next move.
TEST_F(PlaylistWindowTest, ChoosingEnglishChangesEveryWindowAtOnce)
{
    RecordingOptionsHost options;
    options.language = folder.french();
    options.code = QStringLiteral("fr");
    const auto currentFile = [&options] { return options.language; };
    MainWindowTexts main(currentFile);
    tools::frmAbout about(currentFile);
    tools::OptionsDlg dialog(options);
    QStringList order;
    const auto reload = [&order](const char *name, std::function<void()> load) {
        return [&order, name, load] {
            order.append(QString::fromLatin1(name));
            load();
        };
    };
    options.reloaders.set(tools::TextWindow::About, reload("about", [&] { about.LoadLanguage(); }));
    options.reloaders.set(tools::TextWindow::Main, reload("main", [&] { main.LoadLanguage(); }));
    options.reloaders.set(tools::TextWindow::Options,
                          reload("options", [&] { dialog.LoadLanguage(); }));
    options.reloaders.set(tools::TextWindow::Playlist, reload("playlist", [&] {
                              host.language = options.language;
                              window->LoadLanguage();
                          }));
    EXPECT_EQ(u8(main.windowTitle()), "Melorit - Liste de lecture vide");
    EXPECT_EQ(u8(main.tip(35)), "Lecture (Espace : pause, puis reprise)");

    const int english = dialog.ComboLng()->findText(QStringLiteral("English"));
    ASSERT_GE(english, 0);
    dialog.ComboLng()->setCurrentIndex(english);
    Q_EMIT dialog.ComboLng()->activated(english);

    EXPECT_EQ(order, (QStringList{QStringLiteral("about"), QStringLiteral("main"),
                                  QStringLiteral("options"), QStringLiteral("playlist")}));
    EXPECT_EQ(u8(main.windowTitle()), "Melorit - Empty playlist");
    EXPECT_EQ(u8(main.tip(35)), "Play (Space: pause, and go on)");
    EXPECT_EQ(u8(main.tip(47)), "Show or hide the playlist");
    EXPECT_EQ(u8(about.windowTitle()), "About Melorit");
    EXPECT_EQ(u8(dialog.SSTab1()->tabText(0)), "Language");
    EXPECT_EQ(dialog.ComboLng()->currentText(), u"English") << "the choice stays shown";
    EXPECT_EQ(u8(window->windowTitle()), "Playlist");
    EXPECT_EQ(u8(window->PicSM(52)->toolTip()), "Play this song");
    EXPECT_EQ(ReadIni(QStringLiteral("Melorit"), QStringLiteral("Lng")), u"en");
}
