#include "skins/LedText.h"

#include <QList>

namespace melorit::skins {

int ledGlyphIndex(char32_t code)
{
    if (code < 32 || code > 127) {
        return 0;
    }
    return static_cast<int>(code) - 32;
}

Frame ledGlyphFrame(char32_t code, bool highlight)
{
    const int row = highlight ? 0 : kLedGlyphHeight;
    return {Sheet::LedFont,
            QRect(kLedGlyphWidth * ledGlyphIndex(code), row, kLedGlyphWidth, kLedGlyphHeight)};
}

std::vector<LedGlyph> ledLayout(QStringView text, int x, int y, bool highlight)
{
    std::vector<LedGlyph> glyphs;
    const QList<uint> codes = text.toUcs4();
    glyphs.reserve(static_cast<std::size_t>(codes.size()));
    for (const uint code : codes) {
        glyphs.push_back({QPoint(x, y), ledGlyphFrame(code, highlight)});
        x += kLedGlyphWidth;
    }
    return glyphs;
}

} // namespace melorit::skins
