#include "PartyFixture.h"

#include "base/Geometry.h"
#include "lyrics/VueOpenGL.h"
#include "party/FullScreenLyrics.h"
#include "party/PartyOverlay.h"
#include "party/PartyPage.h"
#include "songlist/SongList.h"
#include "tools/OptionsDlg.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace melorit::party::test {
namespace {

// Pixels of a colour, give or take a little, in a band of the frame.
int pixelsOf(const QImage &image, QRgb colour, double fromY, double toY)
{
    int count = 0;
    for (int y = int(fromY * image.height()); y < int(toY * image.height()); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += std::abs(qRed(p) - qRed(colour)) + std::abs(qGreen(p) - qGreen(colour)) +
                                 std::abs(qBlue(p) - qBlue(colour)) <=
                             12
                         ? 1
                         : 0;
        }
    }
    return count;
}

class FullScreenTest : public PartyTest {
protected:
    // Where the lyrics window stands beside the main window.
    QPoint placeBesideMain() const
    {
        const QPoint offset = m_program->offset(program::SecondaryWindow::Lyrics);
        return m_program->mainWindowPos() +
               QPoint(geometry::twipsToPixels(offset.x()), geometry::twipsToPixels(offset.y()));
    }

    void moveMouse(QWidget *over)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), over->mapToGlobal(QPointF(20, 20)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(over, &move);
    }

    PartyPage *optionsPage()
    {
        m_program->Action_Setup();
        return m_program->optionsDialog()->partyPage();
    }
};

TEST_F(FullScreenTest, FromTheCommandLineTheLyricsCoverTheScreenAndTheKeysToggleThem)
{
    ASSERT_TRUE(startProgram({}, true));
    lyrics::OGLWin *lyrics = lyricsWindow();
    QScreen *screen = QGuiApplication::primaryScreen();
    EXPECT_TRUE(lyrics->isVisible());
    EXPECT_TRUE(lyrics->isFullScreen());
    EXPECT_EQ(lyrics->geometry(), screen->geometry());
    EXPECT_EQ(lyrics->view()->size(), screen->size()) << "the lyrics fill it";
    EXPECT_EQ(frame().pixel(5, 5), qRgb(128, 0, 0)) << "the window's own colours by default";
    EXPECT_EQ(setting("FullScreen"), QString()) << "the command line stores nothing";
    const QPoint mainPos = m_program->mainWindowPos();
    const PartyPage *page = optionsPage();

    QTest::keyClick(lyrics, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(lyrics->isFullScreen());
    EXPECT_EQ(setting("FullScreen"), u"0");
    EXPECT_EQ(lyrics->pos(), placeBesideMain());
    EXPECT_LT(lyrics->width(), screen->size().width());
    EXPECT_EQ(m_program->mainWindowPos(), mainPos) << "the other windows stay";

    QTest::keyClick(lyrics, Qt::Key_F11);
    settle();
    EXPECT_TRUE(lyrics->isFullScreen());
    EXPECT_EQ(setting("FullScreen"), u"1");
    EXPECT_TRUE(page->chkFullScreen()->isChecked()) << "the open options dialog shows it";
    m_program->mainWindow()->move(mainPos + QPoint(40, 30));
    settle();
    EXPECT_EQ(lyrics->geometry(), screen->geometry()) << "it does not follow the main window";

    QTest::mouseDClick(lyrics->view(), Qt::LeftButton);
    settle();
    EXPECT_FALSE(lyrics->isFullScreen());
    EXPECT_EQ(setting("FullScreen"), u"0");
    EXPECT_EQ(lyrics->pos(), placeBesideMain()) << "beside the main window where it went";
}

TEST_F(FullScreenTest, ThePointerHidesOverTheFullScreenLyricsUntilItMoves)
{
    ASSERT_TRUE(startProgram({}, true));
    FullScreenLyrics *fullScreen = party().fullScreenLyrics();
    fullScreen->setHidePointerDelay(50);
    moveMouse(lyricsWindow()->view());
    EXPECT_FALSE(fullScreen->pointerHidden());
    settle(200);
    EXPECT_TRUE(fullScreen->pointerHidden());
    moveMouse(lyricsWindow()->view());
    EXPECT_FALSE(fullScreen->pointerHidden());
    settle(200);
    EXPECT_TRUE(fullScreen->pointerHidden());
    QTest::keyClick(lyricsWindow(), Qt::Key_Escape);
    EXPECT_FALSE(fullScreen->pointerHidden()) << "back in a window the pointer shows";
}

TEST_F(FullScreenTest, BetweenSongsTheNextSingerShowsInTheChosenColours)
{
    setting("Background", QStringLiteral("#203040"));
    setting("Flash", QStringLiteral("#FFFF00"));
    ASSERT_TRUE(startProgram({}, true));
    player().playlist().addSong(demoSong(), QStringLiteral("Anna"));
    player().playlist().addSongs({}, false); // the first entry becomes current
    settle();
    ASSERT_EQ(party().overlay()->lastPlan().lines,
              QStringList{QStringLiteral("Next: Anna \u2014 au-clair-de-la-lune")});
    const QImage before = frame();
    EXPECT_EQ(before.pixel(5, 5), qRgb(0x20, 0x30, 0x40));
    EXPECT_GT(pixelsOf(before, qRgb(255, 255, 0), 0.4, 0.6), 2000) << "the card, in yellow";

    PartyPage *page = optionsPage();
    page->setColourChooser([](const QColor &, const QString &) { return QColor(0, 96, 0); });
    page->colourButton(PartyPage::kBackground)->click();
    settle();
    EXPECT_EQ(setting("Background"), u"#006000");
    const QImage after = frame();
    EXPECT_EQ(after.pixel(5, 5), qRgb(0, 96, 0));
    EXPECT_EQ(pixelsOf(after, qRgb(0x20, 0x30, 0x40), 0, 1), 0);

    QTest::keyClick(lyricsWindow(), Qt::Key_Escape);
    settle();
    const QImage windowed = frame();
    EXPECT_EQ(windowed.pixel(5, 5), qRgb(0, 96, 0)) << "the colours hold in the window";
    EXPECT_EQ(pixelsOf(windowed, qRgb(255, 255, 0), 0, 1), 0) << "the cards do not";
}

TEST_F(FullScreenTest, ASongShowsItsTitleCardAndAfterItsLastLineTheNextSinger)
{
    ASSERT_TRUE(startProgram({}, true));
    songlist::SongList &songs = player().playlist();
    songs.addSong(demoSong(), QStringLiteral("Anna"));
    songs.addSong(demoSong(), QStringLiteral("Ben"));
    songs.addSongs({}, false);
    player().Action_Play();
    settle(300);
    const CardPlan start = party().overlay()->lastPlan();
    EXPECT_EQ(start.kind, CardKind::Title);
    EXPECT_EQ(start.lines,
              (QStringList{QStringLiteral("Au clair de la lune"), QStringLiteral("Traditionnel"),
                           QStringLiteral("Sung by Anna")}));
    // The last word is sung at tick 32640 (42.5 s, 768 ticks a second); 3.5 s
    // later, held there by a pause, the next singer is announced.
    player().sldPosition_MouseUp(470, 485); // tick 35351
    player().Action_Pause();
    settle(300);
    EXPECT_EQ(party().overlay()->lastPlan().lines,
              QStringList{QStringLiteral("Next: Ben \u2014 au-clair-de-la-lune")});
    player().Action_Stop();
}

TEST_F(FullScreenTest, TheSongsLongestLineFillsTheScreensWidth)
{
    // The flash colour marks the current line: "Ma chandelle est morte,", the
    // song's longest, whose first syllable is reached at tick 19200.
    setting("Flash", QStringLiteral("#00FF00"));
    ASSERT_TRUE(startProgram({}, true));
    player().playlist().addSong(demoSong());
    player().playlist().addSongs({}, false);
    player().Action_Play();
    settle(200);
    player().sldPosition_MouseUp(19250, 36480);
    player().Action_Pause();
    settle(300);
    const QImage image = frame();
    const auto flashing = [](QRgb p) { return qGreen(p) - std::max(qRed(p), qBlue(p)) > 80; };
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (flashing(image.pixel(x, y))) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    ASSERT_LT(top, bottom) << "the current line is drawn";
    const QRgb background = image.pixel(5, 5);
    int left = image.width();
    int right = -1;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_GT(left, 0) << "the line fits";
    EXPECT_LT(right, image.width() - 1);
    EXPECT_GT(right - left, image.width() * 8 / 10) << "and fills the width";
    player().Action_Stop();
}

} // namespace
} // namespace melorit::party::test
