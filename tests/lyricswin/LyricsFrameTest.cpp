#include "lyrics/LyricsFrame.h"
#include "tests/lyricswin/SongFixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace melorit;
using namespace melorit::lyrics;
using melorit::lyricswin::AnalysedSong;
using melorit::lyricswin::songWith;

namespace {

constexpr float kAdvance = 0.5f;
constexpr float kBracket = 0.96f;

// Every 8-bit glyph half an em wide; "[" 0.96 em tall.
GlyphMetricsTable uniformGlyphs()
{
    GlyphMetricsTable glyphs;
    for (GlyphCode c = 0; c < kEightBitGlyphCount; ++c) {
        glyphs.set(c, GlyphMetrics{0.4f, 0.7f, 0.05f, 0.7f, kAdvance, 0});
    }
    glyphs.set('[', GlyphMetrics{0.3f, kBracket, 0.1f, 0.8f, kAdvance, 0});
    return glyphs;
}

// Lines of three syllables "Ab" "cd" "ef", line n starting at tick 960 x n.
fixtures::MidiFileBuilder linesSong(int lines)
{
    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    auto &words = file.addTrack();
    for (int n = 1; n <= lines; ++n) {
        const auto at = static_cast<std::uint32_t>(960 * n);
        words.at(at).lyric(n == 1 ? "\\Ab" : "/Ab");
        words.at(at + 240).lyric("cd");
        words.at(at + 480).lyric("ef");
    }
    return file;
}

void expectColour(const Rgb &actual, const Rgb &expected)
{
    EXPECT_NEAR(actual.r, expected.r, 1e-5f);
    EXPECT_NEAR(actual.g, expected.g, 1e-5f);
    EXPECT_NEAR(actual.b, expected.b, 1e-5f);
}

const LyricsColours kColours;
const Rgb kSung = RGB2CouleurRVB(kColours.sung);
const Rgb kFlash = RGB2CouleurRVB(kColours.flash);
const Rgb kUnsung = RGB2CouleurRVB(kColours.unsung);
const Rgb kBackground = RGB2CouleurRVB(kColours.background);

class FrameTest : public ::testing::Test {
protected:
    void load(const fixtures::MidiFileBuilder &file)
    {
        ASSERT_TRUE(m_song.open(file));
        m_layout.build(m_song.model(), m_glyphs);
    }

    const FramePlan &plan(std::int64_t tick, float flashLeft = 0)
    {
        FrameState state;
        state.tick = tick;
        state.scrollSpeed = computeScrollSpeed(model().LineCount(), model().MinLineGap(), kBracket);
        state.flashLeft = flashLeft;
        planFrame(model(), m_layout, m_glyphs, state, m_plan);
        return m_plan;
    }

    const LyricsModel &model() { return m_song.model(); }

    AnalysedSong m_song;
    GlyphMetricsTable m_glyphs = uniformGlyphs();
    LyricsLayout m_layout;
    FramePlan m_plan;
};

} // namespace

TEST(LyricsColours, PackedColoursHoldRedInTheLowByte)
{
    expectColour(RGB2CouleurRVB(0x000080), Rgb{128 / 255.0f, 0, 0});
    expectColour(RGB2CouleurRVB(0xC0C040), Rgb{64 / 255.0f, 192 / 255.0f, 192 / 255.0f});
    expectColour(RGB2CouleurRVB(0xFFFFFF), Rgb{1, 1, 1});
    expectColour(RGB2CouleurRVB(0xFF000000u), Rgb{0, 0, 0}); // the top byte is not a colour
}

TEST(LyricsColours, MixingWeighsTheFirstColourByK)
{
    expectColour(mixColours(1, kSung, kBackground), kSung);
    expectColour(mixColours(0, kSung, kBackground), kBackground);
    const Rgb quarter = mixColours(0.25f, kFlash, kBackground);
    expectColour(quarter, Rgb{0.25f + 0.75f * 128 / 255.0f, 0.25f, 0.25f});
}

TEST(LinePlacement, LinesToComeSitLowAndSlightlyBehind)
{
    const LinePlace place = placeLine(0.001f, 1000, 3000); // 2000 ticks early
    EXPECT_FLOAT_EQ(place.y, -2.0f);
    EXPECT_FLOAT_EQ(place.z, 0.5f - 0.2f);
    EXPECT_EQ(place.k, 0.0f);
    const LinePlace now = placeLine(0.001f, 3000, 3000);
    EXPECT_EQ(now.y, 0.0f);
    EXPECT_FLOAT_EQ(now.z, 0.5f);
    EXPECT_EQ(now.k, 0.0f);
}

TEST(LinePlacement, StartedLinesRiseRecedeAndFade)
{
    const LinePlace place = placeLine(0.001f, 4000, 3000);
    EXPECT_FLOAT_EQ(place.y, 1.0f);
    EXPECT_FLOAT_EQ(place.z, 0.5f - 1.1f);
    EXPECT_FLOAT_EQ(place.k, 1.0f / 1.1f);
    // Higher up, nearer the background colour.
    const LinePlace higher = placeLine(0.001f, 13000, 3000);
    EXPECT_GT(higher.y, place.y);
    EXPECT_LT(higher.z, place.z);
    EXPECT_FLOAT_EQ(higher.k, 0.5f);
    const Rgb near = mixColours(place.k, kSung, kBackground);
    const Rgb far = mixColours(higher.k, kSung, kBackground);
    EXPECT_LT(std::abs(far.g - kBackground.g), std::abs(near.g - kBackground.g));
}

TEST(ScrollSpeed, OneBracketHeightPerSmallestLineGap)
{
    EXPECT_FLOAT_EQ(computeScrollSpeed(3, 480, 0.96f), 0.002f);
    EXPECT_FLOAT_EQ(computeScrollSpeed(2, 0, 0.96f), 0.0005f); // lines starting together
    EXPECT_EQ(computeScrollSpeed(1, 480, 0.96f), 0.0f);        // a single line never scrolls
    EXPECT_EQ(computeScrollSpeed(0, 480, 0.96f), 0.0f);
}

TEST(ZoomKeys, KeypadDigitsSetAndPlusMinusStep)
{
    using namespace zoomkeys;
    EXPECT_EQ(zoomAfterKey(5, kKeypad0), 0);
    EXPECT_EQ(camDistanceFor(zoomAfterKey(5, kKeypad0)), 10.0f);
    EXPECT_EQ(zoomAfterKey(5, kKeypad0 + 1), 9);
    EXPECT_EQ(camDistanceFor(zoomAfterKey(5, kKeypad0 + 1)), 19.0f);
    EXPECT_EQ(zoomAfterKey(5, kKeypad9), 1);
    EXPECT_EQ(zoomAfterKey(4, kKeypadMinus), 5);
    EXPECT_EQ(zoomAfterKey(4, kKeypadPlus), 3);
    EXPECT_EQ(zoomAfterKey(9, kKeypadMinus), 9);
    EXPECT_EQ(zoomAfterKey(0, kKeypadPlus), 0);
    EXPECT_EQ(zoomAfterKey(3, 65), 3);
    EXPECT_EQ(zoomAfterKey(3, -1), 3);
}

TEST_F(FrameTest, CurrentSyllableIsTheLastReached)
{
    load(linesSong(3)); // syllables at 960, 1200, 1440, 1920, ...
    ASSERT_EQ(model().SyllableCount(), 9);
    EXPECT_EQ(currentSyllable(model(), 0), 0);
    EXPECT_EQ(currentSyllable(model(), 959), 0);
    EXPECT_EQ(currentSyllable(model(), 960), 1);
    EXPECT_EQ(currentSyllable(model(), 1199), 1);
    EXPECT_EQ(currentSyllable(model(), 1200), 2);
    EXPECT_EQ(currentSyllable(model(), 1919), 3);
    EXPECT_EQ(currentSyllable(model(), 2400), 6);
    EXPECT_EQ(currentSyllable(model(), 3360), 9);
    // After the last syllable the last one stays current.
    EXPECT_EQ(currentSyllable(model(), 1000000), 9);
}

TEST_F(FrameTest, CurrentSyllableOnEqualTicksAndWithoutLyrics)
{
    load(songWith({{480, "\\A"}, {960, "b"}, {960, "c"}, {960, "d"}, {1440, "e"}}));
    const int current = currentSyllable(model(), 960);
    EXPECT_GE(current, 2);
    EXPECT_LE(current, 4);
    EXPECT_EQ(model().syllable(current).Tick, 960);
    EXPECT_EQ(currentSyllable(model(), 1200), 4);

    AnalysedSong silent;
    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    ASSERT_TRUE(silent.open(file));
    EXPECT_EQ(currentSyllable(silent.model(), 0), 0);
    EXPECT_EQ(currentSyllable(silent.model(), 5000), 0);
}

TEST_F(FrameTest, TheStreamPositionOfASyllableMakesItCurrent)
{
    load(linesSong(4));
    for (const int s : {1, 5, 12}) {
        const LyricSyllable &syllable = model().syllable(s);
        ASSERT_TRUE(m_song.seekBytes(static_cast<std::uint64_t>(syllable.BytePos)));
        EXPECT_EQ(currentSyllable(model(), m_song.tick()), s);
        // One 10 ms timer tick earlier the previous syllable is still sung.
        ASSERT_TRUE(m_song.seekBytes(static_cast<std::uint64_t>(syllable.BytePos) - 4 * 441));
        EXPECT_EQ(currentSyllable(model(), m_song.tick()), s - 1);
    }
}

TEST_F(FrameTest, BeforeTheFirstSyllableSevenLinesWaitBelowInTheUnsungColour)
{
    load(linesSong(20));
    const FramePlan &frame = plan(0);
    EXPECT_EQ(frame.currentSyllable, 0);
    EXPECT_EQ(frame.currentLine, 0);
    ASSERT_EQ(frame.runs.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        const TextRun &run = frame.runs[static_cast<std::size_t>(i)];
        EXPECT_EQ(run.line, i + 1);
        EXPECT_EQ(run.from, 0);
        EXPECT_EQ(run.count, 6); // "Abcdef"
        EXPECT_FLOAT_EQ(run.x, -6 * kAdvance / 2);
        EXPECT_FLOAT_EQ(run.y, -0.001f * 960 * (i + 1));
        EXPECT_FLOAT_EQ(run.z, 0.5f + 0.1f * run.y);
        EXPECT_LT(run.y, 0.0f);
        expectColour(run.colour, kUnsung);
    }
}

TEST_F(FrameTest, TheCurrentLineIsDrawnInThreeParts)
{
    load(linesSong(20));
    // Line 10 starts at 9600; its second syllable "cd" at 9840.
    const std::int64_t tick = 9850;
    const FramePlan &frame = plan(tick, 1.0f);
    EXPECT_EQ(frame.currentSyllable, 29);
    EXPECT_EQ(frame.currentLine, 10);
    // Lines 3 to 17: 14 whole lines and the current one in three runs.
    ASSERT_EQ(frame.runs.size(), 17u);
    EXPECT_EQ(frame.runs.front().line, 3);
    EXPECT_EQ(frame.runs.back().line, 17);

    const float y = 0.001f * (tick - 9600);
    const Rgb passed = mixColours(1 / (1 + 0.1f * y), kSung, kBackground);
    const TextRun &sung = frame.runs[7];
    const TextRun &flash = frame.runs[8];
    const TextRun &unsung = frame.runs[9];
    for (const TextRun *run : {&sung, &flash, &unsung}) {
        EXPECT_EQ(run->line, 10);
        EXPECT_FLOAT_EQ(run->y, y);
        EXPECT_FLOAT_EQ(run->z, 0.5f - 1.1f * y);
    }
    EXPECT_EQ(sung.from, 0);
    EXPECT_EQ(sung.count, 2);
    EXPECT_FLOAT_EQ(sung.x, -1.5f);
    expectColour(sung.colour, passed);
    EXPECT_EQ(flash.from, 2);
    EXPECT_EQ(flash.count, 2);
    EXPECT_FLOAT_EQ(flash.x, -0.5f);
    expectColour(flash.colour, kFlash); // a syllable just reached is the flash colour
    EXPECT_EQ(unsung.from, 4);
    EXPECT_EQ(unsung.count, 2);
    EXPECT_FLOAT_EQ(unsung.x, 0.5f);
    expectColour(unsung.colour, kUnsung);
}

TEST_F(FrameTest, TheFlashFadesIntoTheLineColour)
{
    load(linesSong(20));
    const std::int64_t tick = 9850;
    const float y = 0.001f * (tick - 9600);
    const Rgb passed = mixColours(1 / (1 + 0.1f * y), kSung, kBackground);
    expectColour(plan(tick, 0.25f).runs[8].colour, mixColours(0.25f, kFlash, passed));
    expectColour(plan(tick, 0.0f).runs[8].colour, passed);
    // The timer may take it a little below zero.
    expectColour(plan(tick, -0.004f).runs[8].colour, passed);
}

TEST_F(FrameTest, PassedLinesFadeAsTheyRise)
{
    load(linesSong(20));
    const std::int64_t tick = 9850;
    const FramePlan &frame = plan(tick);
    float previousK = 0;
    for (int i = 0; i < 7; ++i) { // lines 3 to 9, the oldest first
        const TextRun &run = frame.runs[static_cast<std::size_t>(i)];
        const float y = 0.001f * static_cast<float>(tick - 960 * run.line);
        const float k = 1 / (1 + 0.1f * y);
        EXPECT_FLOAT_EQ(run.y, y);
        EXPECT_FLOAT_EQ(run.z, 0.5f - 1.1f * y);
        expectColour(run.colour, mixColours(k, kSung, kBackground));
        EXPECT_GT(k, previousK); // older lines are fainter
        previousK = k;
    }
    for (std::size_t i = 10; i < frame.runs.size(); ++i) {
        expectColour(frame.runs[i].colour, kUnsung);
    }
}

TEST_F(FrameTest, AfterTheLastSyllableTheLastLinesStay)
{
    load(linesSong(20));
    const FramePlan &frame = plan(1000000);
    EXPECT_EQ(frame.currentSyllable, 60);
    EXPECT_EQ(frame.currentLine, 20);
    EXPECT_EQ(frame.runs.front().line, 13);
    EXPECT_EQ(frame.runs.back().line, 20);
    // The whole last line is sung: its unsung part is empty and not drawn.
    const TextRun &last = frame.runs.back();
    EXPECT_EQ(last.from, 4);
    EXPECT_EQ(last.count, 2);
    // They hold still once the last line has risen by one line, instead of
    // receding on into a pile at the vanishing point.
    const std::vector<TextRun> late = frame.runs;
    const FramePlan &held = plan(model().syllable(60).Tick + model().MinLineGap());
    ASSERT_EQ(held.runs.size(), late.size());
    for (std::size_t i = 0; i < late.size(); ++i) {
        EXPECT_FLOAT_EQ(late[i].y, held.runs[i].y) << i;
        EXPECT_FLOAT_EQ(late[i].z, held.runs[i].z) << i;
    }
    EXPECT_LT(plan(model().syllable(60).Tick).runs.back().y, late.back().y) << "it rose till then";
}

TEST_F(FrameTest, ASingleLineStaysAtTheCentre)
{
    load(songWith({{480, "\\One "}, {960, "line "}, {1440, "only"}}));
    ASSERT_EQ(model().LineCount(), 1);
    EXPECT_EQ(computeScrollSpeed(model().LineCount(), model().MinLineGap(), kBracket), 0.0f);
    const FramePlan &frame = plan(100000);
    ASSERT_FALSE(frame.runs.empty());
    for (const TextRun &run : frame.runs) {
        EXPECT_EQ(run.y, 0.0f);
        EXPECT_FLOAT_EQ(run.z, 0.5f);
    }
}

TEST_F(FrameTest, EmptyPartsAndStaleLayoutsDrawNothing)
{
    load(linesSong(3));
    // At a line's first syllable nothing of it is sung yet.
    const FramePlan &frame = plan(1920, 1.0f);
    EXPECT_EQ(frame.currentSyllable, 4);
    for (const TextRun &run : frame.runs) {
        EXPECT_GT(run.count, 0);
    }
    // Tables of another song than the layout's: no text until laid out again.
    AnalysedSong other;
    ASSERT_TRUE(other.open(linesSong(5)));
    FramePlan stale;
    planFrame(other.model(), m_layout, m_glyphs, FrameState{}, stale);
    EXPECT_TRUE(stale.runs.empty());
}

TEST_F(FrameTest, Utf8SyllablesAreCountedInCharacters)
{
    // "été" then "ça": é and ç take two bytes each.
    load(songWith({{480, "\\\xC3\xA9"},
                   {720, "t\xC3\xA9 "},
                   {960, "\xC3\xA7"
                         "a"}}));
    ASSERT_EQ(model().charset().DetectedCharset(), CharsetDetector::Utf8);
    ASSERT_EQ(m_layout.lineCount(), 1);
    EXPECT_EQ(m_layout.line(1).codes, (std::vector<GlyphCode>{0xE9, 't', 0xE9, ' ', 0xE7, 'a'}));
    EXPECT_FLOAT_EQ(m_layout.line(1).width, 6 * kAdvance);
    EXPECT_EQ(m_layout.syllable(2).from, 1);
    EXPECT_EQ(m_layout.syllable(2).count, 3);
    EXPECT_EQ(m_layout.syllable(3).from, 4);
    EXPECT_EQ(m_layout.syllable(3).count, 2);
    const FramePlan &frame = plan(730, 1.0f);
    ASSERT_EQ(frame.runs.size(), 3u);
    EXPECT_FLOAT_EQ(frame.runs[1].x, -1.5f + kAdvance);
}

TEST_F(FrameTest, GlyphsOfASongAreListedOnce)
{
    load(songWith({{480, "\\\xD0\x96\xD0\xB8"}, {960, "/\xD0\x96"}, {1440, "a"}}));
    const auto codes = LyricsLayout::glyphsOf(model());
    EXPECT_EQ(codes, (std::vector<GlyphCode>{0x416, 0x438, 'a'}));
}
