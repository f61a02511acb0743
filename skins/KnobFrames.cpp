#include "skins/KnobFrames.h"

#include <algorithm>

namespace melorit::skins {

namespace {

constexpr int kFaderWidth = 24;
constexpr int kFaderHeight = 128;
constexpr int kTransposeSize = 103;
constexpr int kRotarySize = 24;
constexpr int kRotaryPerRow = 8;
constexpr int kRotaryVariants = 4;
constexpr int kNumberWidth = 24;
constexpr int kNumberHeight = 12;
constexpr int kDrumButtonLeft = 120;
constexpr int kDrumButtonSize = 24;
constexpr int kEffectKnobSize = 48;

int markColumn(bool mark)
{
    return mark ? 1 : 0;
}

} // namespace

int stripFrameIndex(int value, int min, int max, int count)
{
    if (max < min || count <= 0) {
        return 0;
    }
    const long long offset = std::clamp(value, min, max) - static_cast<long long>(min);
    const long long span = static_cast<long long>(max) - min + 1;
    return static_cast<int>(offset * count / span);
}

Frame faderFrame(int value, int min, int max)
{
    const int f = stripFrameIndex(value, min, max, kFaderFrames);
    return {Sheet::Faders, QRect(kFaderWidth * f, 0, kFaderWidth, kFaderHeight)};
}

Frame transposeKnobFrame(int value, int min, int max)
{
    const int f = stripFrameIndex(value, min, max, kTransposeFrames);
    return {Sheet::TransposeKnob, QRect(0, kTransposeSize * f, kTransposeSize, kTransposeSize)};
}

Frame rotaryKnobFrame(int value, int kind, bool mark)
{
    const int v = std::clamp(value, 0, kRotaryPositions - 1);
    const int variant = 2 * std::clamp(kind, 0, 1) + markColumn(mark);
    const int column = (v % kRotaryPerRow) * kRotaryVariants + variant;
    const int row = v / kRotaryPerRow;
    return {Sheet::RotaryKnobs,
            QRect(kRotarySize * column, kRotarySize * row, kRotarySize, kRotarySize)};
}

Frame bankFrame(int value, bool mark)
{
    const int v = std::clamp(value, 0, kDrumBank);
    const int row = v == kDrumBank ? kDrumKitRow : v;
    return {Sheet::NumberStrips, QRect(kNumberWidth * markColumn(mark), kNumberHeight * row,
                                       kNumberWidth, kNumberHeight)};
}

Frame programFrame(int value, bool mark)
{
    const int row = std::clamp(value, 0, 127) + 1;
    return {Sheet::NumberStrips, QRect(kNumberWidth * markColumn(mark), kNumberHeight * row,
                                       kNumberWidth, kNumberHeight)};
}

Frame drumButtonFrame(int value, bool mark)
{
    const int v = std::clamp(value, 0, 1);
    return {Sheet::Buttons,
            QRect(kDrumButtonLeft + kDrumButtonSize * v, kDrumButtonSize * markColumn(mark),
                  kDrumButtonSize, kDrumButtonSize)};
}

Frame channelKnobFrame(int kind, int value, bool mark)
{
    if (kind <= 1) {
        return rotaryKnobFrame(value, kind, mark);
    }
    if (kind == 2) {
        return bankFrame(value, mark);
    }
    if (kind <= 4) {
        return programFrame(value, mark);
    }
    return drumButtonFrame(value, mark);
}

Frame effectKnobFrame(int value, int maximum, bool mark)
{
    const int top = std::max(maximum, 0);
    const int f = stripFrameIndex(value, 0, top, kEffectKnobFrames);
    return {Sheet::EffectKnobs, QRect(kEffectKnobSize * markColumn(mark), kEffectKnobSize * f,
                                      kEffectKnobSize, kEffectKnobSize)};
}

} // namespace melorit::skins
