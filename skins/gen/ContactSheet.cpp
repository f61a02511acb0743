#include "skins/gen/ContactSheet.h"

#include "skins/SkinPalette.h"
#include "skins/gen/Canvas.h"

#include <QFont>
#include <QPainter>

namespace melorit::skins::gen {

namespace {

constexpr int kMargin = 16;
constexpr int kGap = 24;
constexpr int kLabelHeight = 20;

struct Placed {
    Sheet sheet;
    const char *caption;
    int chunkHeight; // 0: the sheet as it is
};

constexpr std::array<std::array<Placed, 3>, 4> kRows{{
    {{{Sheet::LedFont, "108 LED font", 0},
      {Sheet::LedFont, nullptr, 0},
      {Sheet::LedFont, nullptr, 0}}},
    {{{Sheet::Faders, "106 fader", 0},
      {Sheet::LevelMeter, "107 level meter", 0},
      {Sheet::LedFont, nullptr, 0}}},
    {{{Sheet::RotaryKnobs, "101 channel knobs", 0},
      {Sheet::Buttons, "103 buttons", 0},
      {Sheet::ActivityLamps, "104 activity lamps", 0}}},
    {{{Sheet::TransposeKnob, "109 transposition knob", 515},
      {Sheet::EffectKnobs, "105 effect knobs", 432},
      {Sheet::NumberStrips, "102 bank / program", 312}}},
}};

QImage wrapped(const QImage &sheet, int chunkHeight)
{
    if (chunkHeight <= 0 || sheet.height() <= chunkHeight) {
        return sheet;
    }
    const int columns = (sheet.height() + chunkHeight - 1) / chunkHeight;
    const int gap = 8;
    QImage out(columns * (sheet.width() + gap) - gap, chunkHeight, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    QPainter p(&out);
    for (int c = 0; c < columns; ++c) {
        p.drawImage(QPoint(c * (sheet.width() + gap), 0), sheet,
                    QRect(0, c * chunkHeight, sheet.width(), chunkHeight));
    }
    return out;
}

} // namespace

QImage contactSheet(const std::array<QImage, kSheetCount> &sheets)
{
    std::array<std::array<QImage, 3>, 4> tiles;
    int width = 0;
    int height = kMargin;
    for (std::size_t r = 0; r < kRows.size(); ++r) {
        int rowWidth = kMargin;
        int rowHeight = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            const Placed &placed = kRows[r][c];
            if (placed.caption == nullptr) {
                continue;
            }
            tiles[r][c] =
                wrapped(sheets[static_cast<std::size_t>(placed.sheet)], placed.chunkHeight);
            rowWidth += tiles[r][c].width() + kGap;
            rowHeight = std::max(rowHeight, tiles[r][c].height());
        }
        width = std::max(width, rowWidth - kGap + kMargin);
        height += kLabelHeight + rowHeight + kGap;
    }
    QImage page(width, height - kGap + kMargin, QImage::Format_RGB888);
    page.fill(QColor::fromRgb(palette::kPanel));
    QPainter p(&page);
    QFont font(fonts().sansBold);
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(QColor::fromRgb(palette::kText));
    int y = kMargin;
    for (std::size_t r = 0; r < kRows.size(); ++r) {
        int x = kMargin;
        int rowHeight = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            if (kRows[r][c].caption == nullptr) {
                continue;
            }
            p.drawText(QPoint(x, y + 13), QString::fromLatin1(kRows[r][c].caption));
            p.drawImage(QPoint(x, y + kLabelHeight), tiles[r][c]);
            x += tiles[r][c].width() + kGap;
            rowHeight = std::max(rowHeight, tiles[r][c].height());
        }
        y += kLabelHeight + rowHeight + kGap;
    }
    return page;
}

} // namespace melorit::skins::gen
