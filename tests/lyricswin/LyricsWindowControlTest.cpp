#include "lyrics/LyricsWindowControl.h"
#include "base/Ini.h"
#include "lyrics/LyricsScene.h"
#include "lyrics/OGLWin.h"
#include "tests/lyricswin/WindowTestSupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace melorit;
using namespace melorit::lyrics;
using namespace melorit::lyricswin;

namespace {

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        ASSERT_TRUE(m_dir.isValid());
        m_host.configFile = m_dir.filePath(QStringLiteral("Melorit.ini"));
        m_host.drawLyricsButton = [this](bool on) { m_button.push_back(on); };
        m_host.songSettingsFile = [this] { return m_dir.filePath(QStringLiteral("song.mst")); };
    }

    QTemporaryDir m_dir;
    RecordedMessages m_messages;
    LyricsWindowHost m_host;
    std::vector<bool> m_button;
};

} // namespace

TEST_F(ControlTest, LyricsShowCreatesShowsAndHidesTheWindow)
{
    LyricsWindowControl control(m_host);
    EXPECT_FALSE(control.windowExists());
    control.LyricsShow(true);
    ASSERT_TRUE(control.windowExists());
    EXPECT_TRUE(control.lyricsShown());
    EXPECT_TRUE(control.window()->isVisible());
    EXPECT_EQ(m_button, std::vector<bool>{true});
    OGLWin *first = control.window();
    control.LyricsShow(false);
    EXPECT_FALSE(control.lyricsShown());
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(control.window(), first); // hidden, not destroyed
    EXPECT_EQ(m_button, (std::vector<bool>{true, false}));
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(ControlTest, TheCloseBoxHidesAndClearsTheShownFlag)
{
    LyricsWindowControl control(m_host);
    control.LyricsShow(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(control.window()));
    control.window()->close();
    EXPECT_FALSE(control.window()->isVisible());
    EXPECT_FALSE(control.lyricsShown());
    EXPECT_EQ(m_button, (std::vector<bool>{true, false}));
    EXPECT_EQ(ReadIni(QStringLiteral("Lyrics"), QStringLiteral("Show"), m_host.configFile), u"0");
    // So the next use of the lyrics command shows it again.
    control.LyricsShow(!control.lyricsShown());
    EXPECT_TRUE(control.window()->isVisible());
}

TEST_F(ControlTest, ThePlayersCallsReachTheWindowCreatedOnDemand)
{
    WriteIni(QStringLiteral("Lyrics"), QStringLiteral("Zoom"), QStringLiteral("2"),
             m_host.songSettingsFile());
    LyricsWindowControl control(m_host);
    control.EffaceLyrics();
    ASSERT_TRUE(control.windowExists());
    EXPECT_FALSE(control.window()->isVisible());
    EXPECT_EQ(control.window()->scene().CamDistance(), 12.0f);
    control.DisplayLyrics(7);
    EXPECT_EQ(control.window()->scene().LastMark(), 7);
    EXPECT_EQ(control.window()->scene().FlashLeft(), 1.0f);
}

TEST_F(ControlTest, UnloadStoresTheSizeAndDropsTheWindow)
{
    LyricsWindowControl control(m_host);
    control.LyricsShow(true);
    control.window()->resize(330, 210);
    const QSize size = control.window()->size();
    control.unload();
    EXPECT_FALSE(control.windowExists());
    EXPECT_EQ(ReadIni(QStringLiteral("Paroles"), QStringLiteral("W"), m_host.configFile),
              QString::number(size.width() * 15));
    EXPECT_EQ(ReadIni(QStringLiteral("Paroles"), QStringLiteral("H"), m_host.configFile),
              QString::number(size.height() * 15));
}

TEST_F(ControlTest, TheCaptionComesFromTheLanguageFile)
{
    const QString language = m_dir.filePath(QStringLiteral("en.lng"));
    WriteIni(QStringLiteral("Paroles"), QStringLiteral("Caption"), QStringLiteral("Lyrics"),
             language);
    m_host.languageFile = [language] { return language; };
    LyricsWindowControl control(m_host);
    EXPECT_EQ(control.window()->windowTitle(), u"Lyrics");
}
