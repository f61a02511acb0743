#include "skins/MeterFrames.h"

#include <algorithm>
#include <cmath>

namespace melorit::skins {

namespace {

constexpr int kLampSize = 18;
constexpr int kLampCell = 24;
constexpr int kLampMargin = 3;
constexpr int kLyricsLampLeft = 3;
constexpr int kOtherLampLeft = 147;
constexpr int kLampRowsInSheet = 8;
constexpr int kMeterWidth = 16;
constexpr int kMeterHeight = 80;
constexpr int kClipLeft = 48;
constexpr int kClipSize = 24;

} // namespace

int activityFrameIndex(int level)
{
    // The 0.01 moves a level that lands on, or just past, a frame boundary
    // (within 1/128) down to the frame below.
    const double l = std::clamp(level, 0, 127);
    return static_cast<int>(std::floor((l + 1) * kActivityFrames / 128.0 - 0.01));
}

Frame activityLampFrame(int level, bool lyricsChannel)
{
    const int f = activityFrameIndex(level);
    int left = lyricsChannel ? kLyricsLampLeft : kOtherLampLeft;
    int row = f;
    if (f >= kLampRowsInSheet) {
        left += kLampCell;
        row = kLampRowsInSheet - 1;
    }
    return {Sheet::ActivityLamps, QRect(left, kLampMargin + kLampCell * row, kLampSize, kLampSize)};
}

int meterSegments(int hold)
{
    const long long h = std::clamp(hold, 0, kMeterFullScale);
    return std::min(static_cast<int>(h * kMeterFrames / kMeterFullScale), kMeterFrames - 1);
}

Frame meterFrame(int segments)
{
    const int s = std::clamp(segments, 0, kMeterFrames - 1);
    return {Sheet::LevelMeter, QRect(kMeterWidth * s, 0, kMeterWidth, kMeterHeight)};
}

Frame clipLampFrame(bool lit)
{
    return {Sheet::Buttons, QRect(kClipLeft, lit ? kClipSize : 0, kClipSize, kClipSize)};
}

} // namespace melorit::skins
