#include "skins/gen/Canvas.h"

#include "skins/SkinPalette.h"

#include <QFontDatabase>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace melorit::skins::gen {

QImage newSheet(Sheet sheet)
{
    const SheetInfo &info = sheetInfo(sheet);
    QImage image(info.width, info.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor::fromRgb(palette::kWindow));
    return image;
}

bool saveSheet(const QImage &image, Sheet sheet, const QString &path)
{
    const bool deep = sheetInfo(sheet).depth == 32;
    const QImage stored =
        image.convertToFormat(deep ? QImage::Format_ARGB32 : QImage::Format_RGB888);
    QImageWriter writer(path, "png");
    writer.setCompression(100);
    return writer.write(stored);
}

QColor mix(QColor a, QColor b, double t)
{
    const auto lerp = [t](double x, double y) { return x + (y - x) * t; };
    return QColor::fromRgbF(static_cast<float>(lerp(a.redF(), b.redF())),
                            static_cast<float>(lerp(a.greenF(), b.greenF())),
                            static_cast<float>(lerp(a.blueF(), b.blueF())),
                            static_cast<float>(lerp(a.alphaF(), b.alphaF())));
}

QColor alpha(QColor colour, double opacity)
{
    colour.setAlphaF(static_cast<float>(colour.alphaF() * opacity));
    return colour;
}

void raisedFace(QPainter &p, const QRectF &r, double radius)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(palette::kOutline));
    p.drawRoundedRect(r, radius, radius);
    const QRectF face = r.adjusted(1, 1, -1, -1);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, QColor::fromRgb(palette::kRaisedTop));
    fill.setColorAt(1, QColor::fromRgb(palette::kRaisedBottom));
    p.setBrush(QColor::fromRgb(palette::kEdgeLight));
    p.drawRoundedRect(face, radius - 1, radius - 1);
    p.setBrush(fill);
    p.drawRoundedRect(face.adjusted(0, 1, 0, 0), radius - 1, radius - 1);
    p.restore();
}

void sunkenFace(QPainter &p, const QRectF &r, double radius)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(palette::kOutline));
    p.drawRoundedRect(r, radius, radius);
    const QRectF face = r.adjusted(1, 1, -1, -1);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, QColor::fromRgb(palette::kSunkenTop));
    fill.setColorAt(1, QColor::fromRgb(palette::kSunkenBottom));
    p.setBrush(fill);
    p.drawRoundedRect(face, radius - 1, radius - 1);
    // The lower edge catches the light.
    p.setPen(QPen(alpha(QColor::fromRgb(palette::kEdgeLight), 0.45), 1));
    p.drawLine(QPointF(face.left() + radius, face.bottom() - 0.5),
               QPointF(face.right() - radius, face.bottom() - 0.5));
    p.restore();
}

void glow(QPainter &p, QPointF centre, double radius, QColor colour, double strength)
{
    QRadialGradient halo(centre, radius);
    halo.setColorAt(0, alpha(colour, strength));
    halo.setColorAt(0.5, alpha(colour, strength * 0.35));
    halo.setColorAt(1, alpha(colour, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

void fillGlowing(QPainter &p, const QPainterPath &path, QColor colour, double haloOpacity)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (const double width : {3.0, 2.0}) {
        QPen pen(alpha(colour, haloOpacity), width);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
    p.restore();
}

void ledLamp(QPainter &p, QPointF centre, double radius, QColor colour, double level,
             double haloRadius)
{
    p.save();
    p.setPen(Qt::NoPen);
    if (level > 0) {
        glow(p, centre, haloRadius, colour, 0.55 * level);
    }
    p.setBrush(QColor::fromRgb(palette::kOutline));
    p.drawEllipse(centre, radius + 1, radius + 1);
    const QColor dark = mix(QColor::fromRgb(palette::kDisplay), colour, 0.18);
    const QColor lit = mix(dark, colour, 0.25 + 0.75 * level);
    QRadialGradient lens(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.4);
    lens.setColorAt(0, mix(lit, Qt::white, 0.55 * level + 0.06));
    lens.setColorAt(0.45, lit);
    lens.setColorAt(1, mix(lit, Qt::black, 0.45));
    p.setBrush(lens);
    p.drawEllipse(centre, radius, radius);
    // A small reflection of the light source, top left.
    p.setBrush(alpha(Qt::white, 0.18 + 0.25 * level));
    p.drawEllipse(centre - QPointF(radius * 0.38, radius * 0.42), radius * 0.32, radius * 0.22);
    p.restore();
}

QPointF onCircle(QPointF centre, double radius, double angle)
{
    const double a = qDegreesToRadians(angle);
    return {centre.x() + radius * std::sin(a), centre.y() - radius * std::cos(a)};
}

void strokeArc(QPainter &p, QPointF centre, double radius, double from, double to, QColor colour,
               double width)
{
    if (to <= from) {
        return;
    }
    QPen pen(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.drawArc(box, qRound((90 - from) * 16), qRound(-(to - from) * 16));
    p.restore();
}

namespace {

Fonts g_fonts;

QString addFont(const QString &file)
{
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}

} // namespace

const Fonts &fonts()
{
    return g_fonts;
}

bool loadFonts(const QString &folder)
{
    g_fonts.sansBold = addFont(folder + QStringLiteral("/DejaVuSans-Bold.ttf"));
    g_fonts.monoBold = addFont(folder + QStringLiteral("/DejaVuSansMono-Bold.ttf"));
    return !g_fonts.sansBold.isEmpty() && !g_fonts.monoBold.isEmpty();
}

} // namespace melorit::skins::gen
