#include "panels/PanelStyle.h"

#include "skins/SkinPalette.h"

#include <QLabel>
#include <QPainter>
#include <QPalette>

namespace melorit::panels::style {

namespace {

constexpr int kFontPixels = 11;
constexpr qreal kCornerRadius = 5;

} // namespace

void applyPanelLook(QWidget &window)
{
    using namespace skins::palette;
    QPalette p = window.palette();
    p.setColor(QPalette::Window, QColor(kWindow));
    p.setColor(QPalette::WindowText, QColor(kText));
    p.setColor(QPalette::ToolTipBase, QColor(kPanel));
    p.setColor(QPalette::ToolTipText, QColor(kIcon));
    window.setPalette(p);
    window.setAutoFillBackground(false);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kFontPixels);
    window.setFont(font);
}

QLabel *addLabel(QWidget *parent, const QRect &geometry, Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    // Clicks go through to the window; a label is no control.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void paintBackground(QPainter &painter, const QRect &rect)
{
    painter.fillRect(rect, QColor(skins::palette::kWindow));
}

void paintPanel(QPainter &painter, const QRect &rect)
{
    using namespace skins::palette;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QColor(kOutline));
    painter.setBrush(QColor(kPanel));
    painter.drawRoundedRect(r, kCornerRadius, kCornerRadius);
    // The lit top edge, light coming from the top left.
    painter.setPen(QColor(kEdgeLight));
    painter.drawLine(QPointF(r.left() + kCornerRadius, r.top() + 1),
                     QPointF(r.right() - kCornerRadius, r.top() + 1));
    painter.restore();
}

void paintFrame(QPainter &painter, const QRect &rect)
{
    using namespace skins::palette;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -1.5, -1.5);
    painter.setBrush(Qt::NoBrush);
    // A dark line with a light one below and right of it: cut into the panel.
    painter.setPen(QColor(kTrack));
    painter.drawRoundedRect(r.translated(1, 1), kCornerRadius, kCornerRadius);
    painter.setPen(QColor(kOutline));
    painter.drawRoundedRect(r, kCornerRadius, kCornerRadius);
    painter.restore();
}

} // namespace melorit::panels::style
