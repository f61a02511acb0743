#include "engine/MixTexts.h"

#include "Recorders.h"

#include <gtest/gtest.h>

using namespace melorit::engine;

TEST(MixTexts, VolumeTips)
{
    EXPECT_EQ(volumeTip(100), QStringLiteral("x 1"));
    EXPECT_EQ(volumeTip(150), QStringLiteral("x 1.5"));
    EXPECT_EQ(volumeTip(37), QStringLiteral("x 0.37"));
    EXPECT_EQ(volumeTip(200), QStringLiteral("x 2"));
    EXPECT_EQ(volumeTip(0), QStringLiteral("= 0"));
}

TEST(MixTexts, GainAndTransposeTipsComeFromTheLanguageFile)
{
    const QString lng = test::englishLanguageFile();
    EXPECT_EQ(gainTip(lng, 3), QStringLiteral("Gain: +3 dB"));
    EXPECT_EQ(gainTip(lng, -5), QStringLiteral("Gain: -5 dB"));
    EXPECT_EQ(gainTip(lng, 0), QStringLiteral("Gain: =0 dB"));
    EXPECT_EQ(transposeTip(lng, -12), QStringLiteral("Transpose: -12 semitones"));
    EXPECT_EQ(transposeTip(QStringLiteral("/nonexistent.lng"), 2), QString());
}

TEST(MixTexts, GainCaptionIsTheFactorInPercent)
{
    EXPECT_EQ(gainCaption(0), QStringLiteral("100 %"));
    EXPECT_EQ(gainCaption(20), QStringLiteral("1000 %"));
    EXPECT_EQ(gainCaption(-20), QStringLiteral("10 %"));
    EXPECT_EQ(gainCaption(-6), QStringLiteral("50 %"));
    EXPECT_EQ(gainCaption(6), QStringLiteral("200 %"));
    EXPECT_NEAR(gainFactor(-20), 0.1, 1e-12);
}

TEST(MixTexts, TempoReadout)
{
    // No song: no tempo, no figure.
    EXPECT_EQ(tempoReadout(0, 0).text, QStringLiteral("---"));
    EXPECT_EQ(tempoReadout(0, 0).glyphRow, 0);
    EXPECT_EQ(tempoReadout(0, 500000).text, QStringLiteral("120"));
    EXPECT_EQ(tempoReadout(100, 500000).text, QStringLiteral("133"));
    EXPECT_EQ(tempoReadout(100, 500000).glyphRow, 1);
    EXPECT_EQ(tempoReadout(-1000, 500000).text, QStringLiteral(" 60"));
    EXPECT_EQ(tempoReadout(0, 6000000).text, QStringLiteral(" 10"));
    EXPECT_EQ(tempoReadout(0, 60000000).text, QStringLiteral("  1"));
    // Faster than 999 bpm and slower than 1 bpm have no figure.
    EXPECT_EQ(tempoReadout(0, 60000).text, QStringLiteral("---"));
    EXPECT_EQ(tempoReadout(0, 70000000).text, QStringLiteral("---"));
    // The shown shift is limited to 600: 1000 would stop the song.
    EXPECT_EQ(tempoReadout(1000, 500000).text, tempoReadout(600, 500000).text);
    EXPECT_EQ(tempoReadout(-1, 0).glyphRow, 1);
}
