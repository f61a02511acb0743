// Without a usable OpenGL (the offscreen platform with no X display) the
// lyrics window tells the user once and the program goes on without it.
#include "lyrics/LyricsWindowControl.h"
#include "lyrics/OGLWin.h"
#include "tests/lyricswin/WindowTestSupport.h"

#include <QOpenGLContext>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace melorit;
using namespace melorit::lyrics;
using namespace melorit::lyricswin;

namespace {

bool openGLAvailable()
{
    QOpenGLContext context;
    return context.create();
}

class NoOpenGLTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        qunsetenv("DISPLAY");
        qputenv("QT_QPA_PLATFORM", "offscreen");
        ensureApplication();
    }
    void SetUp() override
    {
        if (openGLAvailable()) {
            GTEST_SKIP() << "this platform has OpenGL: the failure cannot be seen here";
        }
        m_host.configFile = m_dir.filePath(QStringLiteral("Melorit.ini"));
        m_host.drawLyricsButton = [this](bool on) { m_button.push_back(on); };
    }

    QTemporaryDir m_dir;
    RecordedMessages m_messages;
    LyricsWindowHost m_host;
    std::vector<bool> m_button;
};

} // namespace

TEST_F(NoOpenGLTest, TheWindowReportsTheFailure)
{
    OGLWin window(m_host);
    EXPECT_FALSE(window.openGLReady());
    EXPECT_EQ(window.view(), nullptr);
    ASSERT_EQ(m_messages.messages.size(), 1u);
    EXPECT_EQ(m_messages.messages[0].text, u"Problème initilisation OpenGL !");
    EXPECT_EQ(m_messages.messages[0].icon, MessageIcon::Critical);
}

TEST_F(NoOpenGLTest, TheProgramGoesOnWithoutLyricsDisplay)
{
    LyricsWindowControl control(m_host);
    control.EffaceLyrics();
    EXPECT_FALSE(control.windowExists());
    EXPECT_EQ(m_messages.messages.size(), 1u);
    // Every later song and the lyrics button find no window, without asking
    // again.
    control.EffaceLyrics();
    control.DisplayLyrics(3);
    control.LyricsShow(true);
    EXPECT_EQ(control.window(), nullptr);
    EXPECT_EQ(m_messages.messages.size(), 1u);
    EXPECT_EQ(m_button, std::vector<bool>{true});
}
