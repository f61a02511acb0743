#include "PartyFixture.h"

#include "base/Ini.h"
#include "lyrics/VueOpenGL.h"
#include "party/PartyPage.h"
#include "tools/OptionsDlg.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace melorit::party::test {
namespace {

// Two X screens of one server: 1600x1200 (the main window's) and 1920x1080.
TEST_F(PartyTest, TheLyricsGoToTheLargestOtherScreenOrToTheChosenOne)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    ASSERT_TRUE(startProgram({}, true));
    ASSERT_EQ(m_program->mainWindow()->screen(), screens[0]);
    lyrics::OGLWin *lyrics = lyricsWindow();
    EXPECT_EQ(lyrics->screen(), screens[1]);
    EXPECT_EQ(lyrics->geometry(), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(lyrics->view()->size(), QSize(1920, 1080));

    m_program->Action_Setup();
    QComboBox *choice = m_program->optionsDialog()->partyPage()->ComboScreen();
    ASSERT_EQ(choice->count(), 3) << "automatic, then each screen";
    choice->setCurrentIndex(1);
    Q_EMIT choice->activated(1);
    settle();
    EXPECT_EQ(setting("Screen"), u"screen #1");
    EXPECT_EQ(lyrics->screen(), screens[0]) << "over at once";
    EXPECT_EQ(lyrics->geometry(), QRect(0, 0, 1600, 1200));

    QTest::keyClick(lyrics, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(lyrics->isFullScreen());
    EXPECT_EQ(lyrics->screen(), screens[0]);
    EXPECT_LT(lyrics->width(), 1600);
}

TEST_F(PartyTest, AStoredScreenAndFullScreenHoldAtTheNextStart)
{
    setting("Screen", QStringLiteral("screen #2"));
    setting("FullScreen", QStringLiteral("1"));
    setting("Show", QStringLiteral("1"));
    ASSERT_TRUE(startProgram());
    lyrics::OGLWin *lyrics = lyricsWindow();
    EXPECT_TRUE(lyrics->isFullScreen());
    EXPECT_EQ(lyrics->screen(), QGuiApplication::screens().value(1));
    EXPECT_EQ(lyrics->size(), QSize(1920, 1080));
    m_program->QuitProgram();
    EXPECT_LT(ReadIni(QStringLiteral("Paroles"), QStringLiteral("W")).toInt(), 1920 * 15)
        << "the window's own size is kept, not the screen's";
}

} // namespace
} // namespace melorit::party::test
