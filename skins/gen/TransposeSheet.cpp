#include "skins/KnobFrames.h"
#include "skins/SkinPalette.h"
#include "skins/gen/Canvas.h"
#include "skins/gen/SheetPainters.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace melorit::skins::gen {

namespace {

constexpr double kSweep = 135;
constexpr int kSemitones = 12;

QColor rgb(QRgb value)
{
    return QColor::fromRgb(value);
}

double angleOf(int semitones)
{
    return semitones * kSweep / kSemitones;
}

void tick(QPainter &p, QPointF c, double from, double to, double angle, QColor colour, double w)
{
    QPen pen(colour, w);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(onCircle(c, from, angle), onCircle(c, to, angle));
}

// Scale: a tick per semitone, longer at the octaves and the centre; a minus
// and a plus sign below the two ends.
void scale(QPainter &p, QPointF c)
{
    p.save();
    for (int s = -kSemitones; s <= kSemitones; ++s) {
        const bool major = s % 6 == 0;
        tick(p, c, major ? 45.5 : 47.5, 50.5, angleOf(s),
             rgb(major ? palette::kText : palette::kIconDim), major ? 1.6 : 1.1);
    }
    const QColor sign = rgb(palette::kText);
    const QPointF minus = onCircle(c, 43, -162);
    const QPointF plus = onCircle(c, 43, 162);
    tick(p, minus, -3, 3, 90, sign, 1.6);
    tick(p, plus, -3, 3, 90, sign, 1.6);
    tick(p, plus, -3, 3, 0, sign, 1.6);
    p.restore();
}

// A knurled cap: a ring of grip notches around a concave face.
void bigCap(QPainter &p, QPointF c)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(alpha(Qt::black, 0.5));
    p.drawEllipse(c + QPointF(0, 2), 34, 34);
    p.setBrush(rgb(palette::kOutline));
    p.drawEllipse(c, 33.5, 33.5);
    QRadialGradient rim(c - QPointF(14, 17), 62);
    rim.setColorAt(0, QColor(0x6a, 0x72, 0x80));
    rim.setColorAt(0.5, QColor(0x33, 0x38, 0x42));
    rim.setColorAt(1, QColor(0x17, 0x1a, 0x1f));
    p.setBrush(rim);
    p.drawEllipse(c, 32.5, 32.5);
    for (int n = 0; n < 40; ++n) {
        tick(p, c, 28.5, 32, n * 9.0, alpha(Qt::black, 0.35), 1.4);
    }
    p.setPen(Qt::NoPen);
    QLinearGradient face(c - QPointF(0, 27), c + QPointF(0, 27));
    face.setColorAt(0, QColor(0x24, 0x28, 0x30));
    face.setColorAt(1, QColor(0x3c, 0x42, 0x4d));
    p.setBrush(rgb(palette::kOutline));
    p.drawEllipse(c, 27.5, 27.5);
    p.setBrush(face);
    p.drawEllipse(c, 26.5, 26.5);
    p.restore();
}

void transposeKnob(QPainter &p, const QRect &cell, int semitones)
{
    const QPointF c = QRectF(cell).center();
    const double angle = angleOf(semitones);
    const QColor accent = rgb(palette::kSong);
    scale(p, c);
    strokeArc(p, c, 39.5, -kSweep, kSweep, rgb(palette::kTrack), 4);
    strokeArc(p, c, 39.5, std::min(0.0, angle), std::max(0.0, angle), accent, 4);
    bigCap(p, c);
    p.save();
    QPen line(QColor(0xee, 0xf2, 0xf6), 3);
    line.setCapStyle(Qt::RoundCap);
    p.setPen(line);
    p.drawLine(onCircle(c, 14, angle), onCircle(c, 23, angle));
    p.setPen(Qt::NoPen);
    glow(p, onCircle(c, 30.2, angle), 5, accent, 0.8);
    p.setBrush(accent);
    p.drawEllipse(onCircle(c, 30.2, angle), 2, 2);
    p.restore();
}

} // namespace

void paintTransposeKnob(QImage &sheet)
{
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    for (int semitones = -kSemitones; semitones <= kSemitones; ++semitones) {
        const QRect cell = transposeKnobFrame(semitones).source;
        p.save();
        p.setClipRect(cell);
        transposeKnob(p, cell, semitones);
        p.restore();
    }
}

} // namespace melorit::skins::gen
