#include "lyrics/LyricsScene.h"
#include "base/Ini.h"
#include "base/ProgramPaths.h"
#include "lyrics/LyricsFrame.h"
#include "tests/lyricswin/SongFixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace melorit;
using namespace melorit::lyrics;
using melorit::lyricswin::AnalysedSong;
using melorit::lyricswin::songWith;

namespace {

GlyphMetricsTable glyphsWithBracket(float height)
{
    GlyphMetricsTable glyphs;
    for (GlyphCode c = 0; c < kEightBitGlyphCount; ++c) {
        glyphs.set(c, GlyphMetrics{0.4f, 0.5f, 0, 0.5f, 0.5f, 0});
    }
    glyphs.set('[', GlyphMetrics{0.3f, height, 0, height, 0.5f, 0});
    return glyphs;
}

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        paths::setConfigFile(path(QStringLiteral("Melorit.ini")));
    }
    void TearDown() override { paths::setConfigFile({}); }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    static QString zoomIn(const QString &file)
    {
        return ReadIni(QStringLiteral("Lyrics"), QStringLiteral("Zoom"), file);
    }

    QTemporaryDir m_dir;
    LyricsScene m_scene;
};

} // namespace

TEST_F(SceneTest, StartsAsTheWindowIsInitialised)
{
    EXPECT_EQ(m_scene.Zoom(), 5);
    EXPECT_EQ(m_scene.CamDistance(), 10.0f);
    EXPECT_EQ(m_scene.FlashLength(), 1.0f);
    EXPECT_EQ(m_scene.FlashLeft(), 0.0f);
    EXPECT_FLOAT_EQ(m_scene.TickSeconds(), 0.01f);
    EXPECT_EQ(m_scene.ScrollSpeed(), 0.0f);
    EXPECT_EQ(m_scene.colours().sung, 0x808080u);
    EXPECT_EQ(m_scene.colours().flash, 0xFFFFFFu);
    EXPECT_EQ(m_scene.colours().unsung, 0xC0C040u);
    EXPECT_EQ(m_scene.colours().background, 0x000080u);
}

TEST_F(SceneTest, EffaceLyricsReadsTheSongsZoom)
{
    const QString song = path(QStringLiteral("song.mst"));
    struct Case {
        const char *stored;
        int zoom;
    };
    for (const Case &c : {Case{"7", 7}, Case{"0", 0}, Case{"2.5", 2}, Case{"3.5", 4},
                          Case{"6abc", 6}, Case{"15", 9}, Case{"-3", 0}}) {
        WriteIni(QStringLiteral("Lyrics"), QStringLiteral("Zoom"), QString::fromLatin1(c.stored),
                 song);
        m_scene.EffaceLyrics(song);
        EXPECT_EQ(m_scene.Zoom(), c.zoom) << c.stored;
        EXPECT_EQ(m_scene.CamDistance(), c.zoom + 10.0f) << c.stored;
    }
    // Missing: the default.
    m_scene.EffaceLyrics(path(QStringLiteral("other.mst")));
    EXPECT_EQ(m_scene.Zoom(), 5);
    EXPECT_EQ(m_scene.CamDistance(), 15.0f);
}

TEST_F(SceneTest, WithoutASongTheConfigurationFileHoldsTheZoom)
{
    WriteIni(QStringLiteral("Lyrics"), QStringLiteral("Zoom"), QStringLiteral("3"));
    m_scene.EffaceLyrics(QString());
    EXPECT_EQ(m_scene.Zoom(), 3);
    m_scene.keyPressed(zoomkeys::kKeypad0 + 2, QString());
    EXPECT_EQ(zoomIn(paths::configFile()), u"8");
}

TEST_F(SceneTest, EveryKeyStoresTheZoomForTheSong)
{
    const QString song = path(QStringLiteral("song.mst"));
    m_scene.keyPressed(zoomkeys::kKeypad0, song);
    EXPECT_EQ(m_scene.CamDistance(), 10.0f);
    EXPECT_EQ(zoomIn(song), u"0");
    m_scene.keyPressed(zoomkeys::kKeypadPlus, song); // already the largest text
    EXPECT_EQ(m_scene.Zoom(), 0);
    m_scene.keyPressed(zoomkeys::kKeypad0 + 1, song);
    EXPECT_EQ(m_scene.CamDistance(), 19.0f);
    EXPECT_EQ(zoomIn(song), u"9");
    m_scene.keyPressed(zoomkeys::kKeypadMinus, song); // already the smallest
    EXPECT_EQ(m_scene.Zoom(), 9);
    EXPECT_EQ(zoomIn(song), u"9");
    // A key that is not a zoom key stores the zoom too.
    WriteIni(QStringLiteral("Lyrics"), QStringLiteral("Zoom"), QStringLiteral("4"), song);
    m_scene.keyPressed(-1, song);
    EXPECT_EQ(zoomIn(song), u"9");
    // And the next song opening reads it back.
    m_scene.keyPressed(zoomkeys::kKeypadPlus, song);
    m_scene.EffaceLyrics(song);
    EXPECT_EQ(m_scene.Zoom(), 8);
}

TEST_F(SceneTest, AReachedSyllableFlashesForOneSecondOfTicks)
{
    m_scene.DisplayLyrics(12);
    EXPECT_EQ(m_scene.LastMark(), 12);
    EXPECT_EQ(m_scene.FlashLeft(), 1.0f);
    for (int i = 0; i < 50; ++i) {
        m_scene.fadeFlash(m_scene.TickSeconds());
    }
    EXPECT_NEAR(m_scene.FlashLeft(), 0.5f, 1e-4f);
    for (int i = 0; i < 60; ++i) {
        m_scene.fadeFlash(m_scene.TickSeconds());
    }
    // It stops fading once it is over (a little below zero at most).
    EXPECT_LE(m_scene.FlashLeft(), 0.0f);
    EXPECT_GT(m_scene.FlashLeft(), -m_scene.TickSeconds());
    m_scene.DisplayLyrics(13);
    EXPECT_EQ(m_scene.FlashLeft(), 1.0f);
}

TEST_F(SceneTest, WithoutListeningOnlyTheBackgroundIsDrawn)
{
    AnalysedSong song;
    ASSERT_TRUE(song.open(songWith({{480, "\\Hel"}, {720, "lo"}, {960, "/World"}})));
    const GlyphMetricsTable glyphs = glyphsWithBracket(0.9f);
    m_scene.buildLayout(song.model(), glyphs);
    const FramePlan &idle = m_scene.frame(&song.model(), glyphs, false, 800);
    EXPECT_FALSE(idle.drawText);
    EXPECT_TRUE(idle.runs.empty());
    EXPECT_FLOAT_EQ(idle.background.r, 128 / 255.0f);
    EXPECT_EQ(m_scene.ScrollSpeed(), 0.0f);
    const FramePlan &none = m_scene.frame(nullptr, glyphs, true, 800);
    EXPECT_FALSE(none.drawText);
    const FramePlan &playing = m_scene.frame(&song.model(), glyphs, true, 800);
    EXPECT_TRUE(playing.drawText);
    EXPECT_FALSE(playing.runs.empty());
}

TEST_F(SceneTest, TheScrollSpeedIsComputedOncePerSong)
{
    AnalysedSong song;
    ASSERT_TRUE(song.open(songWith({{480, "\\A"}, {1440, "/B"}, {1920, "/C"}})));
    ASSERT_EQ(song.model().MinLineGap(), 480);
    GlyphMetricsTable glyphs = glyphsWithBracket(0.96f);
    ASSERT_TRUE(m_scene.needsLayout(song.model()));
    m_scene.buildLayout(song.model(), glyphs);
    EXPECT_FALSE(m_scene.needsLayout(song.model()));
    m_scene.frame(&song.model(), glyphs, true, 500);
    EXPECT_FLOAT_EQ(m_scene.ScrollSpeed(), 0.96f / 480);
    // Kept from frame to frame...
    const GlyphMetricsTable taller = glyphsWithBracket(1.92f);
    m_scene.frame(&song.model(), taller, true, 600);
    EXPECT_FLOAT_EQ(m_scene.ScrollSpeed(), 0.96f / 480);
    // ...until the next song (or jump) forgets it.
    m_scene.EffaceLyrics(QString());
    EXPECT_EQ(m_scene.ScrollSpeed(), 0.0f);
    EXPECT_TRUE(m_scene.needsLayout(song.model()));
    m_scene.buildLayout(song.model(), taller);
    m_scene.frame(&song.model(), taller, true, 600);
    EXPECT_FLOAT_EQ(m_scene.ScrollSpeed(), 1.92f / 480);
}

TEST_F(SceneTest, LinesStartingTogetherScrollAtTheSmallSpeed)
{
    AnalysedSong song;
    ASSERT_TRUE(song.open(songWith({{480, "\\A"}, {960, "/B"}, {960, "/C"}, {1440, "/D"}})));
    ASSERT_EQ(song.model().LineCount(), 4);
    ASSERT_EQ(song.model().MinLineGap(), 0);
    const GlyphMetricsTable glyphs = glyphsWithBracket(0.96f);
    m_scene.buildLayout(song.model(), glyphs);
    m_scene.frame(&song.model(), glyphs, true, 1000);
    EXPECT_FLOAT_EQ(m_scene.ScrollSpeed(), 0.0005f);
}

TEST_F(SceneTest, ASingleLineSongNeverScrollsWhateverTheLastGap)
{
    AnalysedSong song;
    // A first song leaves a line gap of 480 behind...
    ASSERT_TRUE(song.open(songWith({{480, "\\A"}, {960, "/B"}, {1440, "/C"}})));
    ASSERT_EQ(song.model().MinLineGap(), 480);
    // ...which a one-line song keeps.
    ASSERT_TRUE(song.open(songWith({{480, "\\On"}, {960, "ly"}})));
    ASSERT_EQ(song.model().LineCount(), 1);
    const GlyphMetricsTable glyphs = glyphsWithBracket(0.96f);
    m_scene.EffaceLyrics(QString());
    m_scene.buildLayout(song.model(), glyphs);
    const FramePlan &frame = m_scene.frame(&song.model(), glyphs, true, 100000);
    EXPECT_EQ(m_scene.ScrollSpeed(), 0.0f);
    ASSERT_FALSE(frame.runs.empty());
    EXPECT_EQ(frame.runs.front().y, 0.0f);
}
