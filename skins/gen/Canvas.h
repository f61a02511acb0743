#pragma once

#include "skins/SkinSheets.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;
class QPainterPath;

// Drawing helpers shared by the sheet painters of the skin generator.
namespace melorit::skins::gen {

// A blank sheet of the right size, filled with the window colour, in a
// format QPainter draws on quickly.
QImage newSheet(Sheet sheet);

// Writes the sheet as PNG at its stored depth (24-bit RGB or 32-bit RGBA).
bool saveSheet(const QImage &image, Sheet sheet, const QString &path);

QColor mix(QColor a, QColor b, double t);
QColor alpha(QColor colour, double opacity);

// Light comes from the top left: raised parts are lighter on top with a lit
// top edge, sunken (pressed) parts darker on top with a shadow inside.
void raisedFace(QPainter &p, const QRectF &r, double radius);
void sunkenFace(QPainter &p, const QRectF &r, double radius);

// A soft halo around a point, fading out at `radius`.
void glow(QPainter &p, QPointF centre, double radius, QColor colour, double strength);

// Fills a path with a faint halo around it, for lit icons and glyphs.
void fillGlowing(QPainter &p, const QPainterPath &path, QColor colour, double haloOpacity);

// A round LED lamp in a dark bezel: level 0 is off (a dark lens of the
// colour), 1 fully lit with a halo that stays inside `haloRadius`.
void ledLamp(QPainter &p, QPointF centre, double radius, QColor colour, double level,
             double haloRadius);

// A point on a circle; angle in degrees clockwise from straight up.
QPointF onCircle(QPointF centre, double radius, double angle);

// An arc of a circle between two angles (clockwise from straight up).
void strokeArc(QPainter &p, QPointF centre, double radius, double from, double to, QColor colour,
               double width);

// Fonts the generator uses: loaded from the given font files, so the result
// does not depend on what the font configuration would pick.
struct Fonts {
    QString sansBold;
    QString monoBold;
};
const Fonts &fonts();
bool loadFonts(const QString &folder);

} // namespace melorit::skins::gen
