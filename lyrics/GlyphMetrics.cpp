#include "lyrics/GlyphMetrics.h"

#include "base/CodePages.h"

#include <algorithm>

namespace melorit::lyrics {
namespace {

// Code points of the Windows-1252 bytes 128 to 159, the only bytes whose
// character is not the code point of the same value.
struct HighTable {
    char32_t characters[32];
    HighTable()
    {
        for (int b = 0; b < 32; ++b) {
            characters[b] = codepages::charOf(codepages::CodePage::Windows1252,
                                              static_cast<unsigned char>(0x80 + b))
                                .unicode();
        }
    }
};

const HighTable &highTable()
{
    static const HighTable table;
    return table;
}

} // namespace

GlyphCode glyphCodeOf(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character < 0x100)) {
        return character;
    }
    const auto &high = highTable().characters;
    for (GlyphCode b = 0; b < 32; ++b) {
        if (high[b] == character) {
            return 0x80 + b;
        }
    }
    return character < 0x100 ? 0 : character;
}

char32_t characterOfGlyph(GlyphCode code)
{
    if (code >= 0x80 && code < 0xA0) {
        return highTable().characters[code - 0x80];
    }
    return code;
}

std::vector<GlyphCode> glyphCodes(const QString &text)
{
    std::vector<GlyphCode> codes;
    codes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t c : text.toUcs4()) {
        codes.push_back(glyphCodeOf(c));
    }
    return codes;
}

void GlyphMetricsTable::set(GlyphCode code, const GlyphMetrics &metrics)
{
    if (code < kEightBitGlyphCount) {
        m_eightBit[code] = metrics;
        m_built.set(code);
    } else {
        m_others[code] = metrics;
    }
}

bool GlyphMetricsTable::has(GlyphCode code) const
{
    return code < kEightBitGlyphCount ? m_built.test(code) : m_others.contains(code);
}

const GlyphMetrics *GlyphMetricsTable::find(GlyphCode code) const
{
    if (code < kEightBitGlyphCount) {
        return m_built.test(code) ? &m_eightBit[code] : nullptr;
    }
    const auto it = m_others.find(code);
    return it == m_others.end() ? nullptr : &it->second;
}

void GlyphMetricsTable::clear()
{
    m_eightBit.fill(GlyphMetrics{});
    m_built.reset();
    m_others.clear();
}

float GlyphMetricsTable::Text3DWidth(std::span<const GlyphCode> text) const
{
    float width = 0;
    for (const GlyphCode code : text) {
        if (const GlyphMetrics *m = find(code)) {
            width += m->cellIncX;
        }
    }
    return width;
}

float GlyphMetricsTable::Text3DHeight(std::span<const GlyphCode> text) const
{
    float height = 0;
    for (const GlyphCode code : text) {
        if (const GlyphMetrics *m = find(code)) {
            height = std::max(height, m->blackBoxY);
        }
    }
    return height;
}

} // namespace melorit::lyrics
