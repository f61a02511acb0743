#pragma once

#include <QRect>
#include <QSize>

#include <optional>

// Layout arithmetic of the slider: pure functions of sizes and values, in pixels.
namespace trackel::geometry {

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 ->
// -2).
double roundHalfEven(double x);

// roundHalfEven, clamped into the int range so that no conversion overflows.
int roundToInt(double x);

// The rail edge: a groove 4 pixels thick along the path of the thumb's centre. It reaches
// 2 pixels beyond the centre at either end of the travel.
QRect railRect(bool horizontal, QSize client, QSize thumb);

// Distance of the thumb from the minimum end of its travel for the value v: travel x
// (v - min) / range, kept inside 0..travel so that a value outside Min..Max still shows its
// thumb at the nearer end. Nothing when the position cannot be computed (range 0 or no
// travel).
std::optional<double> offsetForValue(qint64 v, qint64 min, qint64 range, int travel);

// The value nearest to a thumb that lies `offset` pixels from the minimum end:
// round(offset / travel x range + min), halves to even. Nothing when range is 0 or there is
// no travel.
std::optional<int> valueForOffset(double offset, int travel, qint64 min, qint64 range);

} // namespace trackel::geometry
