#include "skins/LedText.h"

#include <gtest/gtest.h>

using namespace melorit::skins;

TEST(LedGlyphIndex, PrintableAsciiFromZero)
{
    EXPECT_EQ(ledGlyphIndex(U' '), 0);
    EXPECT_EQ(ledGlyphIndex(U'0'), 16);
    EXPECT_EQ(ledGlyphIndex(U'b'), 66);
    EXPECT_EQ(ledGlyphIndex(127), 95);
}

TEST(LedGlyphIndex, CodesOutside32To127AreBlank)
{
    EXPECT_EQ(ledGlyphIndex(0), 0);
    EXPECT_EQ(ledGlyphIndex(31), 0);
    EXPECT_EQ(ledGlyphIndex(128), 0);
    EXPECT_EQ(ledGlyphIndex(U'é'), 0);
    EXPECT_EQ(ledGlyphIndex(U'\U0001F3A4'), 0);
}

TEST(LedGlyphFrame, HighlightedRowOnTop)
{
    EXPECT_EQ(ledGlyphFrame(U'A', true), (Frame{Sheet::LedFont, QRect(14 * 33, 0, 14, 22)}));
    EXPECT_EQ(ledGlyphFrame(U'A', false).source, QRect(14 * 33, 22, 14, 22));
    EXPECT_EQ(ledGlyphFrame(127, false).source, QRect(1330, 22, 14, 22));
}

TEST(LedLayout, BpmIsThreeGlyphs14PixelsApart)
{
    const auto glyphs = ledLayout(u"bpm", 4, 4, false);
    ASSERT_EQ(glyphs.size(), 3U);
    EXPECT_EQ(glyphs[0].target, QPoint(4, 4));
    EXPECT_EQ(glyphs[1].target, QPoint(18, 4));
    EXPECT_EQ(glyphs[2].target, QPoint(32, 4));
    EXPECT_EQ(glyphs[0].frame, ledGlyphFrame(U'b', false));
    EXPECT_EQ(glyphs[1].frame, ledGlyphFrame(U'p', false));
    EXPECT_EQ(glyphs[2].frame, ledGlyphFrame(U'm', false));
}

TEST(LedLayout, OneBlankPerCharacterOutsideTheSet)
{
    const auto glyphs = ledLayout(u"1\u00e92\U0001F3A43", 0, 0, true);
    ASSERT_EQ(glyphs.size(), 5U); // the emoji's surrogate pair is one character
    EXPECT_EQ(glyphs[1].frame, ledGlyphFrame(U' ', true));
    EXPECT_EQ(glyphs[3].frame, ledGlyphFrame(U' ', true));
    EXPECT_EQ(glyphs[4].frame, ledGlyphFrame(U'3', true));
    EXPECT_EQ(glyphs[4].target, QPoint(56, 0));
    EXPECT_TRUE(ledLayout(u"", 0, 0, true).empty());
}
