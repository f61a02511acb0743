#include "lyrics/GlyphMetrics.h"

#include <gtest/gtest.h>

#include <array>

using namespace melorit::lyrics;

TEST(GlyphCodes, EightBitCodesAreWindows1252Bytes)
{
    EXPECT_EQ(glyphCodeOf(U'A'), 65u);
    EXPECT_EQ(glyphCodeOf(U'['), 91u);
    EXPECT_EQ(glyphCodeOf(U'é'), 0xE9u);
    EXPECT_EQ(glyphCodeOf(U'\u00A0'), 0xA0u);
    // The bytes 128 to 159 hold typographic characters in Windows-1252.
    EXPECT_EQ(glyphCodeOf(U'€'), 0x80u);
    EXPECT_EQ(glyphCodeOf(U'’'), 0x92u);
    EXPECT_EQ(glyphCodeOf(U'œ'), 0x9Cu);
    EXPECT_EQ(characterOfGlyph(0x80), U'€');
    EXPECT_EQ(characterOfGlyph(0x9C), U'œ');
    EXPECT_EQ(characterOfGlyph(0xE9), U'é');
}

TEST(GlyphCodes, OtherCharactersKeepTheirCodePoint)
{
    EXPECT_EQ(glyphCodeOf(U'Ж'), 0x416u);
    EXPECT_EQ(glyphCodeOf(U'あ'), 0x3042u);
    // Unassigned bytes of Windows-1252 read as the C1 control of that value;
    // the other C1 controls draw nothing.
    EXPECT_EQ(glyphCodeOf(U'\u0081'), 0x81u);
    EXPECT_EQ(glyphCodeOf(U'\u0080'), 0u);
    EXPECT_EQ(glyphCodeOf(U'\u0099'), 0u);
}

TEST(GlyphCodes, OneCodePerCharacterOfAText)
{
    const auto codes =
        glyphCodes(QString::fromUtf8("a\xC3\xA9\xE2\x82\xAC\xD0\x96\xF0\x9F\x98\x80"));
    EXPECT_EQ(codes, (std::vector<GlyphCode>{'a', 0xE9, 0x80, 0x416, 0x1F600}));
    EXPECT_TRUE(glyphCodes(QString()).empty());
}

TEST(GlyphMetricsTable, WidthAddsAdvancesAndHeightTakesTheTallestBox)
{
    GlyphMetricsTable table;
    table.set('A', GlyphMetrics{0.6f, 0.7f, 0.0f, 0.7f, 0.65f, 0});
    table.set('g', GlyphMetrics{0.5f, 0.75f, 0.0f, 0.5f, 0.55f, 0});
    table.set(0x416, GlyphMetrics{0.8f, 0.72f, 0.0f, 0.72f, 0.9f, 0});
    const std::array<GlyphCode, 4> text{'A', 'g', 0x416, 'A'};
    EXPECT_FLOAT_EQ(table.Text3DWidth(text), 0.65f + 0.55f + 0.9f + 0.65f);
    EXPECT_FLOAT_EQ(table.Text3DHeight(text), 0.75f);
    EXPECT_EQ(table.Text3DWidth({}), 0.0f);
    EXPECT_EQ(table.Text3DHeight({}), 0.0f);
}

TEST(GlyphMetricsTable, GlyphsNotBuiltMeasureNothing)
{
    GlyphMetricsTable table;
    table.set('A', GlyphMetrics{0.6f, 0.7f, 0, 0.7f, 0.65f, 0});
    const std::array<GlyphCode, 3> text{'A', 'B', 0x416};
    EXPECT_FLOAT_EQ(table.Text3DWidth(text), 0.65f);
    EXPECT_TRUE(table.has('A'));
    EXPECT_FALSE(table.has('B'));
    EXPECT_FALSE(table.has(0x416));
    EXPECT_EQ(table.find('B'), nullptr);
    table.clear();
    EXPECT_FALSE(table.has('A'));
    EXPECT_EQ(table.Text3DWidth(text), 0.0f);
}
