#pragma once

#include <QColor>
#include <QPoint>
#include <QStringView>

class QPainter;

// A small bitmap font, 7 pixels high, drawn pixel for pixel so that the
// number cells and button letters stay crisp. It has the digits and the few
// letters the sheets need.
namespace melorit::skins::gen {

inline constexpr int kPixelFontHeight = 7;

// Width in pixels of the text, one blank column between characters.
int pixelTextWidth(QStringView text);

// Draws the text with its top-left corner at `at`; characters the font does
// not have are skipped.
void drawPixelText(QPainter &p, QStringView text, QPoint at, QColor colour);

} // namespace melorit::skins::gen
