#include "base/Ini.h"
#include "lyrics/LyricsScene.h"
#include "lyrics/OGLWin.h"
#include "lyrics/VueOpenGL.h"
#include "tests/lyricswin/SongFixture.h"
#include "tests/lyricswin/WindowTestSupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace melorit;
using namespace melorit::lyrics;
using namespace melorit::lyricswin;

namespace {

const QRgb kBackground = qRgb(128, 0, 0);

// Ten lines of four syllables, line n from tick 1920 x n, the syllables a
// quarter apart.
fixtures::MidiFileBuilder tenLines()
{
    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    auto &words = file.addTrack();
    for (std::uint32_t n = 1; n <= 10; ++n) {
        words.at(1920 * n).lyric(n == 1 ? "\\Sing " : "/Sing ");
        words.at(1920 * n + 480).lyric("a ");
        words.at(1920 * n + 960).lyric("long ");
        words.at(1920 * n + 1440).lyric("song");
    }
    return file;
}

bool isWhite(QRgb p)
{
    return qRed(p) >= 250 && qGreen(p) >= 250 && qBlue(p) >= 250;
}

// The unsung colour (64, 192, 192) as lit: green and blue equal, three
// times the red.
bool isUnsungHue(QRgb p)
{
    return std::abs(qGreen(p) - qBlue(p)) <= 4 && qGreen(p) > 2 * qRed(p) + 20;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        ASSERT_TRUE(m_dir.isValid());
    }

    void openWindow(const fixtures::MidiFileBuilder &file)
    {
        ASSERT_TRUE(m_song.open(file));
        LyricsWindowHost host;
        host.model = &m_song.model();
        host.currentTick = [this] { return m_song.tick(); };
        host.listening = [this] { return m_listening; };
        host.songSettingsFile = [this] { return m_dir.filePath(QStringLiteral("song.mst")); };
        host.configFile = m_dir.filePath(QStringLiteral("Melorit.ini"));
        m_window = std::make_unique<OGLWin>(std::move(host));
        ASSERT_TRUE(m_window->openGLReady());
        m_window->resize(480, 270);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->EffaceLyrics();
    }

    // Moves the song to a syllable, as playback reaching it would.
    void reach(int syllable)
    {
        const LyricSyllable &s = m_song.model().syllable(syllable);
        ASSERT_TRUE(m_song.seekBytes(static_cast<std::uint64_t>(s.BytePos)));
        m_window->DisplayLyrics(s.MarkIndex);
    }

    QImage frame() { return m_window->view()->grabFramebuffer(); }

    QTemporaryDir m_dir;
    RecordedMessages m_messages;
    AnalysedSong m_song;
    bool m_listening = true;
    std::unique_ptr<OGLWin> m_window;
};

} // namespace

TEST_F(WindowTest, WithoutListeningTheSongsFirstLinesWait)
{
    m_listening = false;
    openWindow(tenLines());
    reach(6);
    const QImage idle = frame();
    ASSERT_FALSE(idle.isNull());
    EXPECT_GT(textPixels(idle, kBackground).count, 500);
    EXPECT_EQ(QColor(idle.pixel(5, 5)), QColor(kBackground));
    m_listening = true;
    const QImage heard = frame();
    EXPECT_GT(textPixels(heard, kBackground).count, 500);
    EXPECT_NE(heard, idle) << "where the song is, not its start";
    m_listening = false;
    EXPECT_EQ(frame(), idle);
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(WindowTest, BeforeTheFirstSyllableTheLinesWaitBelowInTheUnsungColour)
{
    openWindow(tenLines());
    const QImage image = frame().convertToFormat(QImage::Format_RGB32);
    const Coverage text = textPixels(image, kBackground);
    ASSERT_GT(text.count, 500);
    EXPECT_GE(text.bounds.top(), image.height() / 2); // below the centre
    // The faces in the unsung colour; the light behind the text only adds
    // thin glints on the walls that face up.
    int unsung = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            unsung += p != kBackground && isUnsungHue(p);
        }
    }
    // Anti-aliased edges (half the pixels of these small letters) blend
    // with the background.
    EXPECT_GT(unsung, text.count * 2 / 5);
}

TEST_F(WindowTest, TheSyllableJustReachedFlashesWhiteThenFades)
{
    openWindow(tenLines());
    reach(4 * 4 + 3); // "long" of line 5
    const QImage flash = frame().convertToFormat(QImage::Format_RGB32);
    // After a second of timer ticks it has the line's colour again.
    for (int i = 0; i < 101; ++i) {
        m_window->scene().fadeFlash(m_window->scene().TickSeconds());
    }
    const QImage faded = frame().convertToFormat(QImage::Format_RGB32);

    // Only the syllable changed, and it was white.
    QRect changed;
    int count = 0;
    for (int y = 0; y < flash.height(); ++y) {
        for (int x = 0; x < flash.width(); ++x) {
            const QRgb before = flash.pixel(x, y);
            const QRgb after = faded.pixel(x, y);
            if (before == after) {
                continue;
            }
            ++count;
            changed = changed.united(QRect(x, y, 1, 1));
            EXPECT_TRUE(isWhite(before) || isWhite(after) || qRed(before) > qRed(after));
            // Faded: the grey of the sung text, warmed by the background.
            EXPECT_GE(qRed(after), qGreen(after));
            EXPECT_LE(std::abs(qGreen(after) - qBlue(after)), 2);
        }
    }
    EXPECT_GT(count, 150);
    // "long" is the third word of "Sing a long song": right of the centre,
    // on the middle line.
    EXPECT_GT(changed.left(), flash.width() / 2 - 20);
    EXPECT_LT(changed.right(), flash.width() * 3 / 4);
    EXPECT_GT(changed.top(), flash.height() / 2 - 40);
    EXPECT_LT(changed.bottom(), flash.height() / 2 + 10);
    int white = 0;
    for (int y = changed.top(); y <= changed.bottom(); ++y) {
        for (int x = changed.left(); x <= changed.right(); ++x) {
            white += flash.pixel(x, y) != faded.pixel(x, y) && isWhite(flash.pixel(x, y));
        }
    }
    EXPECT_GT(white, count * 2 / 5); // anti-aliased edges blend
}

TEST_F(WindowTest, PassedLinesRiseAboveTheCentre)
{
    openWindow(tenLines());
    reach(4 * 6 + 2);
    const Coverage text = textPixels(frame(), kBackground);
    EXPECT_LT(text.bounds.top(), 270 / 2 - 40);
    EXPECT_GT(text.bounds.bottom(), 270 / 2 + 40);
}

TEST_F(WindowTest, KeypadZeroBringsTheTextClosest)
{
    openWindow(tenLines());
    reach(4 * 4 + 1);
    QTest::keyClick(m_window.get(), Qt::Key_9, Qt::KeypadModifier);
    EXPECT_EQ(m_window->scene().CamDistance(), 11.0f);
    const Coverage far = textPixels(frame(), kBackground);
    QTest::keyClick(m_window.get(), Qt::Key_0, Qt::KeypadModifier);
    EXPECT_EQ(m_window->scene().CamDistance(), 10.0f);
    const Coverage near = textPixels(frame(), kBackground);
    QTest::keyClick(m_window.get(), Qt::Key_1, Qt::KeypadModifier);
    EXPECT_EQ(m_window->scene().CamDistance(), 19.0f);
    const Coverage farthest = textPixels(frame(), kBackground);
    EXPECT_GT(near.count, far.count);
    EXPECT_GT(far.count, farthest.count);
    // Digits of the main keyboard are not zoom keys, but store the zoom too.
    QTest::keyClick(m_window.get(), Qt::Key_3);
    EXPECT_EQ(m_window->scene().CamDistance(), 19.0f);
    EXPECT_EQ(ReadIni(QStringLiteral("Lyrics"), QStringLiteral("Zoom"),
                      m_dir.filePath(QStringLiteral("song.mst"))),
              u"9");
    QTest::keyClick(m_window.get(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(m_window->scene().CamDistance(), 18.0f);
}

TEST_F(WindowTest, Utf8LyricsGetGlyphsBeyondTheEightBitFont)
{
    // "Калинка" (UTF-8) on two lines.
    openWindow(songWith({{480, "\\\xD0\x9A\xD0\xB0"},
                         {960, "\xD0\xBB\xD0\xB8\xD0\xBD"},
                         {1440, "/\xD0\xBA\xD0\xB0"}}));
    reach(2);
    const Coverage text = textPixels(frame(), kBackground);
    EXPECT_GT(text.count, 300);
    const GlyphMetricsTable &glyphs = m_window->view()->font().metricsTable();
    EXPECT_TRUE(glyphs.has(0x41A));
    EXPECT_TRUE(glyphs.has(0x43B));
    EXPECT_GT(m_window->view()->font().triangleCount(0x41A), 10u);
    // The 8-bit glyphs are the first lists of the context: code c in list c + 1.
    EXPECT_EQ(m_window->view()->font().ListBase(), 1u);
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(WindowTest, TheTimerDrawsWhileListeningOnly)
{
    openWindow(tenLines());
    reach(3);
    const VueOpenGL &view = *m_window->view();
    const auto before = view.frameCount();
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.frameCount() >= before + 5; }, 5000));
    EXPECT_LT(m_window->scene().FlashLeft(), 1.0f); // the flash fades with the ticks
    m_listening = false;
    const auto atStop = view.frameCount();
    // One more frame shows the first lines waiting, then the timer draws no
    // more.
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.frameCount() > atStop; }, 5000));
    QTest::qWait(100);
    const auto stopped = view.frameCount();
    QTest::qWait(300);
    EXPECT_EQ(view.frameCount(), stopped);
}

TEST_F(WindowTest, ClosingHidesTheWindowAndUnloadStoresItsSize)
{
    bool buttonOn = true;
    ASSERT_TRUE(m_song.open(tenLines()));
    LyricsWindowHost host;
    host.model = &m_song.model();
    host.configFile = m_dir.filePath(QStringLiteral("Melorit.ini"));
    host.drawLyricsButton = [&buttonOn](bool on) { buttonOn = on; };
    bool shuttingDown = false;
    host.shuttingDown = [&shuttingDown] { return shuttingDown; };
    auto window = std::make_unique<OGLWin>(host);
    window->resize(400, 300);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_FALSE(window->close()); // refused: hidden instead
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(buttonOn);
    EXPECT_EQ(ReadIni(QStringLiteral("Lyrics"), QStringLiteral("Show"), host.configFile), u"0");
    EXPECT_TRUE(ReadIni(QStringLiteral("Paroles"), QStringLiteral("W"), host.configFile).isEmpty());

    window->show();
    window->resize(360, 240);
    QTest::qWait(50);
    shuttingDown = true;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(ReadIni(QStringLiteral("Paroles"), QStringLiteral("W"), host.configFile),
              QString::number(window->width() * 15));
    EXPECT_EQ(ReadIni(QStringLiteral("Paroles"), QStringLiteral("H"), host.configFile),
              QString::number(window->height() * 15));
    const QSize stored = window->size();
    window.reset();

    OGLWin again(host);
    EXPECT_EQ(again.size(), stored);
}

TEST_F(WindowTest, MovingTheWindowKeepsItsOffsetFromTheMainWindow)
{
    LyricsWindowHost host;
    host.configFile = m_dir.filePath(QStringLiteral("Melorit.ini"));
    host.mainWindowPos = [] { return QPoint(100, 80); };
    bool moving = false;
    host.movingSecondaryWindows = [&moving] { return moving; };
    QPoint offset;
    host.offsetChanged = [&offset](QPoint twips) { offset = twips; };
    OGLWin window(host);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.move(300, 250);
    EXPECT_TRUE(QTest::qWaitFor([&window] { return window.pos() == QPoint(300, 250); }));
    EXPECT_EQ(offset, QPoint(200 * 15, 170 * 15));
    EXPECT_EQ(ReadIni(QStringLiteral("Paroles"), QStringLiteral("X"), host.configFile), u"3000");
    EXPECT_EQ(ReadIni(QStringLiteral("Paroles"), QStringLiteral("Y"), host.configFile), u"2550");
    // Moved along by the main window: the offset stays as it was.
    moving = true;
    window.move(320, 260);
    EXPECT_TRUE(QTest::qWaitFor([&window] { return window.pos() == QPoint(320, 260); }));
    EXPECT_EQ(offset, QPoint(200 * 15, 170 * 15));
    EXPECT_EQ(ReadIni(QStringLiteral("Paroles"), QStringLiteral("X"), host.configFile), u"3000");
}
