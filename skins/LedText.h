#pragma once

#include "skins/SkinSheets.h"

#include <QPoint>
#include <QStringView>

#include <vector>

// The LED character set of sheet 108: characters 32 to 127, 14 x 22 each, in
// two rows (highlighted on top, normal below). `LedPrint` lays a text out
// glyph by glyph, 14 pixels apart.
namespace melorit::skins {

inline constexpr int kLedGlyphWidth = 14;
inline constexpr int kLedGlyphHeight = 22;
inline constexpr int kLedGlyphCount = 96;

// Glyph number of a character code: code - 32, and 0 (the blank) for codes
// outside 32..127.
int ledGlyphIndex(char32_t code);

Frame ledGlyphFrame(char32_t code, bool highlight);

struct LedGlyph {
    QPoint target; // top-left corner on the target surface
    Frame frame;
};

// One glyph per character of the text (a character outside the basic Latin
// range, surrogate pairs included, is one blank glyph), the first at (x, y),
// each next one 14 pixels to the right.
std::vector<LedGlyph> ledLayout(QStringView text, int x, int y, bool highlight);

} // namespace melorit::skins
