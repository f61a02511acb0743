// The lyrics window as a new user sees it: smooth letters, and after Stop
// the song's title and first lines rather than an empty window.
#include "NewUserFixture.h"

#include "lyrics/LyricsWindowControl.h"
#include "lyrics/OGLWin.h"
#include "lyrics/VueOpenGL.h"
#include "party/PartyControl.h"
#include "party/PartyOverlay.h"

#include <QImage>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace melorit::newuser::test {
namespace {

// Pixels of a frame that are not the window's background.
int textPixels(const QImage &frame)
{
    const QRgb background = frame.pixel(0, 0);
    int count = 0;
    for (int y = 0; y < frame.height(); y += 2) {
        for (int x = 0; x < frame.width(); x += 2) {
            count += frame.pixel(x, y) != background ? 1 : 0;
        }
    }
    return count;
}

TEST_F(NewUserTest, TheLyricsAreSmoothAndAfterStopTheSongsFirstLinesStay)
{
    ASSERT_TRUE(startProgram({demoSong()}));
    m_program->Action_Lyrics();
    settle(300);
    lyrics::VueOpenGL *view = m_program->lyricsControl()->window()->view();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->isVisible());

    // Drawn through a multisampled framebuffer (this X server's driver has
    // one; elsewhere the view falls back to a plain one).
    view->makeCurrent();
    GLint samples = 0;
    QOpenGLContext::currentContext()->functions()->glGetIntegerv(GL_SAMPLES, &samples);
    view->doneCurrent();
    EXPECT_GE(samples, 2);

    player().Action_Stop();
    settle(200);
    const QImage stopped = view->grabFramebuffer();
    EXPECT_GT(textPixels(stopped), 500) << "the first lines wait in the window";
    // The song's title over them, high in the window.
    const party::PartyOverlay *overlay = m_program->partyControl()->overlay();
    ASSERT_FALSE(overlay->lastPlan().lines.isEmpty());
    EXPECT_EQ(overlay->lastPlan().lines.first(), QStringLiteral("Au clair de la lune"));
    EXPECT_GT(textPixels(stopped.copy(0, 0, stopped.width(), stopped.height() / 5)), 50);
    // The same waiting frame wherever the song was stopped; no title while
    // it plays.
    player().Action_Play();
    settle(200);
    EXPECT_EQ(overlay->lastPlan().kind, party::CardKind::None);
    player().Action_Stop();
    settle(200);
    EXPECT_EQ(view->grabFramebuffer(), stopped);
}

} // namespace
} // namespace melorit::newuser::test
