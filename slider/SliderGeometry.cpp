#include "slider/SliderGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace trackel::geometry {

double roundHalfEven(double x)
{
    if (std::abs(x - std::trunc(x)) == 0.5) {
        return 2.0 * std::round(x / 2.0);
    }
    return std::round(x);
}

int roundToInt(double x)
{
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (std::isnan(x)) {
        return 0;
    }
    return static_cast<int>(std::clamp(roundHalfEven(x), lowest, highest));
}

QRect railRect(bool horizontal, QSize client, QSize thumb)
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    if (horizontal) {
        top = roundToInt((thumb.height() - 4) * 0.5);
        bottom = top + 4;
        left = roundToInt(thumb.width() * 0.5 - 2);
        right = client.width() + left - thumb.width() + 4;
    } else {
        left = roundToInt((thumb.width() - 4) * 0.5);
        right = left + 4;
        top = roundToInt(thumb.height() * 0.5 - 2);
        bottom = client.height() + top - thumb.height() + 4;
    }
    // The edges above are exclusive on the right and at the bottom, as for DrawEdge.
    QRect rect;
    rect.setCoords(left, top, right - 1, bottom - 1);
    return rect;
}

std::optional<double> offsetForValue(qint64 v, qint64 min, qint64 range, int travel)
{
    if (range == 0 || travel <= 0) {
        return std::nullopt;
    }
    const double offset =
        static_cast<double>(travel) * static_cast<double>(v - min) / static_cast<double>(range);
    return std::clamp(offset, 0.0, static_cast<double>(travel));
}

std::optional<int> valueForOffset(double offset, int travel, qint64 min, qint64 range)
{
    if (range == 0 || travel <= 0) {
        return std::nullopt;
    }
    const double v = offset / travel * static_cast<double>(range) + static_cast<double>(min);
    return roundToInt(v);
}

} // namespace trackel::geometry
