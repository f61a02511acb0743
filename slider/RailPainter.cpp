#include "slider/RailPainter.h"

#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QRadialGradient>

namespace trackel {

namespace {

constexpr signed char None = -1;
constexpr signed char H = QPalette::Light;    // highlight
constexpr signed char L = QPalette::Midlight; // 3-D light
constexpr signed char S = QPalette::Dark;     // shadow
constexpr signed char D = QPalette::Shadow;   // dark shadow
constexpr signed char X = None;

// Colours of each line, indexed by the edge's four border bits. A lone inner border is
// drawn in the outer position, as DrawEdge does.
constexpr signed char LeftTopOuter[16] = {X, L, S, X, H, L, S, X, D, L, S, X, X, L, S, X};
constexpr signed char RightBottomOuter[16] = {X, D, H, X, S, D, H, X, L, D, H, X, X, D, H, X};
constexpr signed char LeftTopInner[16] = {X, X, X, X, X, H, H, X, X, D, D, X, X, X, X, X};
constexpr signed char RightBottomInner[16] = {X, X, X, X, X, S, S, X, X, L, L, X, X, X, X, X};

void drawBorder(QPainter &painter, const QRect &r, signed char leftTop, signed char rightBottom,
                const QPalette &palette)
{
    if (leftTop != None) {
        painter.setPen(palette.color(static_cast<QPalette::ColorRole>(leftTop)));
        painter.drawLine(r.left(), r.top(), r.right(), r.top());
        painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
    }
    if (rightBottom != None) {
        painter.setPen(palette.color(static_cast<QPalette::ColorRole>(rightBottom)));
        painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
    }
}

} // namespace

void drawEdge(QPainter &painter, const QRect &rect, int edge, const QPalette &palette)
{
    if (rect.width() < 1 || rect.height() < 1) {
        return;
    }
    const int index = edge & 15;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawBorder(painter, rect, LeftTopOuter[index], RightBottomOuter[index], palette);
    drawBorder(painter, rect.adjusted(1, 1, -1, -1), LeftTopInner[index], RightBottomInner[index],
               palette);
    painter.restore();
}

QPixmap builtInThumb()
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);

    // A lit dome: a highlight up and to the left, a darker rim below.
    QRadialGradient dome(QPointF(6.0, 5.0), 9.0, QPointF(5.5, 4.5));
    dome.setColorAt(0.0, QColor(0xf4, 0xf8, 0xfc));
    dome.setColorAt(0.45, QColor(0x9d, 0xb7, 0xd3));
    dome.setColorAt(1.0, QColor(0x46, 0x64, 0x87));
    painter.setPen(QPen(QColor(0x2b, 0x3d, 0x52), 1.0));
    painter.setBrush(dome);
    painter.drawEllipse(QRectF(0.5, 0.5, 15.0, 15.0));

    // A small dimple in the middle marks the point that follows the value.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2b, 0x3d, 0x52, 0x90));
    painter.drawEllipse(QRectF(6.0, 6.0, 4.0, 4.0));
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace trackel
