#include "skins/gen/PixelFont.h"

#include <QPainter>

#include <array>
#include <string_view>

namespace melorit::skins::gen {

namespace {

struct PixelGlyph {
    char32_t code;
    std::array<std::string_view, kPixelFontHeight> rows;
};

// '#' is a lit pixel; every row of a glyph has the glyph's width.
constexpr std::array<PixelGlyph, 17> kGlyphs{{
    {U'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {U'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {U'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {U'3', {".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."}},
    {U'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {U'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {U'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    {U'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {U'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {U'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    {U'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {U'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {U'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {U'D', {"###.", "#..#", "#..#", "#..#", "#..#", "#..#", "###."}},
    {U'r', {"...", "...", "#.#", "##.", "#..", "#..", "#.."}},
    {U'u', {"....", "....", "#..#", "#..#", "#..#", "#..#", ".###"}},
    {U'm', {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"}},
}};

const PixelGlyph *findGlyph(char32_t code)
{
    for (const PixelGlyph &glyph : kGlyphs) {
        if (glyph.code == code) {
            return &glyph;
        }
    }
    return nullptr;
}

} // namespace

int pixelTextWidth(QStringView text)
{
    int width = 0;
    for (const QChar c : text) {
        if (const PixelGlyph *glyph = findGlyph(c.unicode())) {
            width += (width > 0 ? 1 : 0) + static_cast<int>(glyph->rows[0].size());
        }
    }
    return width;
}

void drawPixelText(QPainter &p, QStringView text, QPoint at, QColor colour)
{
    int x = at.x();
    for (const QChar c : text) {
        const PixelGlyph *glyph = findGlyph(c.unicode());
        if (glyph == nullptr) {
            continue;
        }
        for (int row = 0; row < kPixelFontHeight; ++row) {
            const std::string_view line = glyph->rows[static_cast<std::size_t>(row)];
            for (std::size_t col = 0; col < line.size(); ++col) {
                if (line[col] == '#') {
                    p.fillRect(x + static_cast<int>(col), at.y() + row, 1, 1, colour);
                }
            }
        }
        x += static_cast<int>(glyph->rows[0].size()) + 1;
    }
}

} // namespace melorit::skins::gen
