#pragma once

#include <QList>
#include <QString>

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace melorit::lyrics {

// Metrics of one outline glyph in em units (1.0 = the font's em square), the
// fields of the system's float glyph metric records: the black box is the
// smallest rectangle around the outline, its origin the upper-left corner of
// that box seen from the glyph origin on the base line (y up), the cell
// increment the move to the next glyph's origin.
struct GlyphMetrics {
    float blackBoxX = 0;
    float blackBoxY = 0;
    float originX = 0;
    float originY = 0;
    float cellIncX = 0;
    float cellIncY = 0;
};

// Which glyph draws a character. The 8-bit outline font covers codes 0 to
// 255, the Windows-1252 bytes (glyph c is display list c + 1); characters
// that Windows-1252 cannot hold, as UTF-8 lyrics bring, are glyphs of their
// own with their code point as code. C1 controls outside Windows-1252 draw
// nothing (code 0).
using GlyphCode = std::uint32_t;
inline constexpr GlyphCode kEightBitGlyphCount = 256;

GlyphCode glyphCodeOf(char32_t character);
// The glyph codes of a text, one per character (code point).
std::vector<GlyphCode> glyphCodes(const QString &text);
// The character a glyph code stands for.
char32_t characterOfGlyph(GlyphCode code);

// The metrics of the glyphs built so far. Codes without metrics measure 0.
class GlyphMetricsTable {
public:
    void set(GlyphCode code, const GlyphMetrics &metrics);
    bool has(GlyphCode code) const;
    // nullptr when the glyph has not been built.
    const GlyphMetrics *find(GlyphCode code) const;
    void clear();

    // The sum of the cell increments.
    float Text3DWidth(std::span<const GlyphCode> text) const;
    // The tallest black box.
    float Text3DHeight(std::span<const GlyphCode> text) const;

private:
    std::array<GlyphMetrics, kEightBitGlyphCount> m_eightBit{};
    std::bitset<kEightBitGlyphCount> m_built;
    std::unordered_map<GlyphCode, GlyphMetrics> m_others;
};

} // namespace melorit::lyrics
