#include "skins/KnobFrames.h"
#include "skins/LedText.h"
#include "skins/SkinPalette.h"
#include "skins/gen/Canvas.h"
#include "skins/gen/PixelFont.h"
#include "skins/gen/SheetPainters.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace melorit::skins::gen {

namespace {

QColor rgb(QRgb value)
{
    return QColor::fromRgb(value);
}

QColor markColour(bool mark)
{
    return rgb(mark ? palette::kOverride : palette::kSong);
}

void numberCell(QPainter &p, const QRect &cell, const QString &text, bool mark)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(mark ? alpha(markColour(true), 0.7) : rgb(palette::kTrack), 1));
    p.setBrush(rgb(palette::kDisplay));
    p.drawRoundedRect(QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    p.restore();
    const int left = cell.x() + (cell.width() - pixelTextWidth(text)) / 2;
    drawPixelText(p, text, QPoint(left, cell.y() + 2), markColour(mark));
}

// The LED face of one character: the bold monospaced font, lit, with a
// faint halo that stays inside the character's cell.
void ledGlyph(QPainter &p, const QRect &cell, char32_t code, QColor colour)
{
    p.save();
    p.setClipRect(cell);
    if (code == 127) {
        fillGlowing(
            p,
            [&] {
                QPainterPath block;
                block.addRect(QRectF(cell.x() + 2, cell.y() + 3, 10, 15));
                return block;
            }(),
            colour, 0.2);
    } else if (code > 32) {
        QFont font(fonts().monoBold);
        font.setPixelSize(18);
        QPainterPath path;
        path.addText(0, 0, font, QString(QChar(static_cast<char16_t>(code))));
        const double advance = 0.602 * 18;
        path.translate(cell.x() + (cell.width() - advance) / 2, cell.y() + 17);
        fillGlowing(p, path, colour, 0.16);
    }
    p.restore();
}

} // namespace

void paintNumberStrips(QImage &sheet)
{
    QPainter p(&sheet);
    for (const bool mark : {false, true}) {
        for (int value = 0; value < kDrumBank; ++value) {
            numberCell(p, bankFrame(value, mark).source, QString::number(value), mark);
        }
        numberCell(p, programFrame(127, mark).source, QStringLiteral("128"), mark);
        numberCell(p, bankFrame(kDrumBank, mark).source, QStringLiteral("Drum"), mark);
    }
}

void paintLedFont(QImage &sheet)
{
    sheet.fill(rgb(palette::kDisplay));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor highlighted = mix(rgb(palette::kSong), Qt::white, 0.15);
    const QColor normal = rgb(palette::kOverride);
    for (char32_t code = 32; code < 128; ++code) {
        ledGlyph(p, ledGlyphFrame(code, true).source, code, highlighted);
        ledGlyph(p, ledGlyphFrame(code, false).source, code, normal);
    }
}

} // namespace melorit::skins::gen
