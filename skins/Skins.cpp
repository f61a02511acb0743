#include "skins/Skins.h"

#include <QPainter>

namespace melorit::skins {

QString sheetResourcePath(Sheet sheet)
{
    return QStringLiteral(":/skins/%1.png").arg(sheetInfo(sheet).resourceId);
}

QImage loadSheetImage(Sheet sheet)
{
    return QImage(sheetResourcePath(sheet));
}

bool SkinSet::isComplete() const
{
    for (int i = 0; i < kSheetCount; ++i) {
        const QPixmap &pixmap = m_sheets[static_cast<std::size_t>(i)];
        const SheetInfo &info = kSheets[static_cast<std::size_t>(i)];
        if (pixmap.isNull() || pixmap.width() != info.width || pixmap.height() != info.height) {
            return false;
        }
    }
    return true;
}

SkinSet LoadSkins()
{
    SkinSet skins;
    for (int i = 0; i < kSheetCount; ++i) {
        skins.m_sheets[static_cast<std::size_t>(i)] =
            QPixmap::fromImage(loadSheetImage(sheetAt(i)));
    }
    return skins;
}

void drawFrame(QPainter &painter, const SkinSet &skins, const Frame &frame, QPoint at)
{
    const QPixmap &sheet = skins.sheet(frame.sheet);
    const QRect source = frame.source & sheet.rect();
    if (source.isEmpty()) {
        return;
    }
    const QPoint target = at + (source.topLeft() - frame.source.topLeft());
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(target, sheet, source);
    painter.setCompositionMode(mode);
}

QPixmap framePixmap(const SkinSet &skins, const Frame &frame)
{
    return skins.sheet(frame.sheet).copy(frame.source);
}

void LedPrint(QPainter &painter, const SkinSet &skins, QStringView text, int x, int y,
              bool highlight)
{
    for (const LedGlyph &glyph : ledLayout(text, x, y, highlight)) {
        drawFrame(painter, skins, glyph.frame, glyph.target);
    }
}

} // namespace melorit::skins
