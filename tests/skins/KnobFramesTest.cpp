#include "skins/KnobFrames.h"

#include <gtest/gtest.h>

#include <climits>

using namespace melorit::skins;

TEST(StripFrameIndex, SpreadsTheRangeOverTheFrames)
{
    EXPECT_EQ(stripFrameIndex(0, 0, 200, 41), 0);
    EXPECT_EQ(stripFrameIndex(100, 0, 200, 41), 20); // 4100 / 201
    EXPECT_EQ(stripFrameIndex(200, 0, 200, 41), 40);
    EXPECT_EQ(stripFrameIndex(-20, -20, 20, 41), 0);
    EXPECT_EQ(stripFrameIndex(0, -20, 20, 41), 20);
    EXPECT_EQ(stripFrameIndex(20, -20, 20, 41), 40);
}

TEST(StripFrameIndex, ClampsAndSurvivesDegenerateRanges)
{
    EXPECT_EQ(stripFrameIndex(500, 0, 200, 41), 40);
    EXPECT_EQ(stripFrameIndex(-1, 0, 200, 41), 0);
    EXPECT_EQ(stripFrameIndex(7, 5, 5, 41), 0); // a single value
    EXPECT_EQ(stripFrameIndex(7, 9, 5, 41), 0); // max below min
    EXPECT_EQ(stripFrameIndex(INT_MAX, INT_MIN, INT_MAX, 41), 40);
}

TEST(FaderFrame, MaximumIsFrame40AndOutOfRangeIsClamped)
{
    EXPECT_EQ(faderFrame(200, 0, 200), (Frame{Sheet::Faders, QRect(960, 0, 24, 128)}));
    EXPECT_EQ(faderFrame(0, 0, 200), (Frame{Sheet::Faders, QRect(0, 0, 24, 128)}));
    EXPECT_EQ(faderFrame(100, 0, 200).source.x(), 24 * 20);
    EXPECT_EQ(faderFrame(250, 0, 200), faderFrame(200, 0, 200));
    EXPECT_EQ(faderFrame(-30, -20, 20), faderFrame(-20, -20, 20));
    EXPECT_EQ(faderFrame(20, -20, 20).source.x(), 960);
    EXPECT_EQ(faderFrame(0, -20, 20).source.x(), 480);
}

TEST(TransposeKnobFrame, OneFramePerSemitoneStackedDownwards)
{
    EXPECT_EQ(transposeKnobFrame(-12), (Frame{Sheet::TransposeKnob, QRect(0, 0, 103, 103)}));
    EXPECT_EQ(transposeKnobFrame(0).source, QRect(0, 103 * 12, 103, 103));
    EXPECT_EQ(transposeKnobFrame(12).source, QRect(0, 103 * 24, 103, 103));
    EXPECT_EQ(transposeKnobFrame(13), transposeKnobFrame(12));
    EXPECT_EQ(transposeKnobFrame(-40), transposeKnobFrame(-12));
}

TEST(RotaryKnobFrame, MarkedValue127UsesColumnOfItsKindInRow15)
{
    for (int kind = 0; kind <= 1; ++kind) {
        const Frame frame = rotaryKnobFrame(127, kind, true);
        EXPECT_EQ(frame.sheet, Sheet::RotaryKnobs);
        EXPECT_EQ(frame.source, QRect(24 * (4 * 7 + 2 * kind + 1), 24 * 15, 24, 24));
    }
}

TEST(RotaryKnobFrame, EightValuesPerRowFourVariantsEach)
{
    EXPECT_EQ(rotaryKnobFrame(0, 0, false).source, QRect(0, 0, 24, 24));
    EXPECT_EQ(rotaryKnobFrame(0, 0, true).source, QRect(24, 0, 24, 24));
    EXPECT_EQ(rotaryKnobFrame(0, 1, false).source, QRect(48, 0, 24, 24));
    EXPECT_EQ(rotaryKnobFrame(1, 0, false).source, QRect(96, 0, 24, 24));
    EXPECT_EQ(rotaryKnobFrame(8, 0, false).source, QRect(0, 24, 24, 24));
    EXPECT_EQ(rotaryKnobFrame(64, 1, false).source, QRect(48, 24 * 8, 24, 24));
}

TEST(RotaryKnobFrame, ClampsValueAndKind)
{
    EXPECT_EQ(rotaryKnobFrame(300, 0, false), rotaryKnobFrame(127, 0, false));
    EXPECT_EQ(rotaryKnobFrame(-5, 1, true), rotaryKnobFrame(0, 1, true));
    EXPECT_EQ(rotaryKnobFrame(10, 7, false), rotaryKnobFrame(10, 1, false));
    EXPECT_EQ(rotaryKnobFrame(10, -1, false), rotaryKnobFrame(10, 0, false));
}

TEST(NumberFrames, ProgramZeroShowsRowOneAndNumbersMatchTheirRows)
{
    EXPECT_EQ(programFrame(0, false), (Frame{Sheet::NumberStrips, QRect(0, 12, 24, 12)}));
    EXPECT_EQ(programFrame(127, true).source, QRect(24, 12 * 128, 24, 12));
    EXPECT_EQ(bankFrame(0, false).source, QRect(0, 0, 24, 12));
    EXPECT_EQ(bankFrame(5, true).source, QRect(24, 60, 24, 12));
    // Program n + 1 and bank n + 1 show the same number.
    EXPECT_EQ(programFrame(41, false), bankFrame(42, false));
}

TEST(NumberFrames, DrumBankHasItsOwnCellApartFromProgram128)
{
    EXPECT_EQ(bankFrame(kDrumBank, false).source, QRect(0, 12 * kDrumKitRow, 24, 12));
    EXPECT_NE(bankFrame(kDrumBank, false), programFrame(127, false));
    EXPECT_EQ(bankFrame(500, false), bankFrame(kDrumBank, false));
    EXPECT_EQ(bankFrame(-3, true), bankFrame(0, true));
    EXPECT_EQ(programFrame(128, false), programFrame(127, false));
    EXPECT_LE(bankFrame(kDrumBank, true).source.bottom(), 1560 - 1);
}

TEST(DrumButtonFrame, ValueChoosesColumnMarkChoosesRow)
{
    EXPECT_EQ(drumButtonFrame(0, false), (Frame{Sheet::Buttons, QRect(120, 0, 24, 24)}));
    EXPECT_EQ(drumButtonFrame(1, false).source, QRect(144, 0, 24, 24));
    EXPECT_EQ(drumButtonFrame(1, true).source, QRect(144, 24, 24, 24));
    EXPECT_EQ(drumButtonFrame(5, true), drumButtonFrame(1, true));
    EXPECT_EQ(drumButtonFrame(-1, false), drumButtonFrame(0, false));
}

TEST(ChannelKnobFrame, KindDigitChoosesTheFamily)
{
    EXPECT_EQ(channelKnobFrame(0, 90, true), rotaryKnobFrame(90, 0, true));
    EXPECT_EQ(channelKnobFrame(1, 64, false), rotaryKnobFrame(64, 1, false));
    EXPECT_EQ(channelKnobFrame(2, 128, true), bankFrame(128, true));
    EXPECT_EQ(channelKnobFrame(3, 0, false), programFrame(0, false));
    EXPECT_EQ(channelKnobFrame(4, 9, false), programFrame(9, false));
    EXPECT_EQ(channelKnobFrame(5, 1, false), drumButtonFrame(1, false));
    EXPECT_EQ(channelKnobFrame(9, 1, true), drumButtonFrame(1, true));
}

TEST(EffectKnobFrame, FortyFiveFramesPerColumn)
{
    EXPECT_EQ(effectKnobFrame(0, 10000, false), (Frame{Sheet::EffectKnobs, QRect(0, 0, 48, 48)}));
    EXPECT_EQ(effectKnobFrame(10000, 10000, true).source, QRect(48, 48 * 44, 48, 48));
    EXPECT_EQ(effectKnobFrame(5000, 10000, false).source.y(), 48 * 22); // 225000 / 10001
    EXPECT_EQ(effectKnobFrame(200, 200, false).source.y(), 48 * 44);
    EXPECT_EQ(effectKnobFrame(197, 200, false).source.y(), 48 * 44); // 8865 / 201
    EXPECT_EQ(effectKnobFrame(196, 200, false).source.y(), 48 * 43); // 8820 / 201
}

TEST(EffectKnobFrame, ClampsToZeroAndTheMaximum)
{
    EXPECT_EQ(effectKnobFrame(12000, 10000, false), effectKnobFrame(10000, 10000, false));
    EXPECT_EQ(effectKnobFrame(-1, 1000, true), effectKnobFrame(0, 1000, true));
    EXPECT_EQ(effectKnobFrame(5, -1, false).source, QRect(0, 0, 48, 48));
}
