#include "skins/KnobFrames.h"
#include "skins/SkinPalette.h"
#include "skins/gen/Canvas.h"
#include "skins/gen/SheetPainters.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace melorit::skins::gen {

namespace {

constexpr double kSweep = 135; // knobs turn from -135 to +135 degrees

QColor rgb(QRgb value)
{
    return QColor::fromRgb(value);
}

QColor markColour(bool mark)
{
    return rgb(mark ? palette::kOverride : palette::kSong);
}

// The knob's cap: a dark disc lit from the top left.
void cap(QPainter &p, QPointF c, double radius)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(alpha(Qt::black, 0.5));
    p.drawEllipse(c + QPointF(0, 1), radius + 1, radius + 1);
    p.setBrush(rgb(palette::kOutline));
    p.drawEllipse(c, radius + 1, radius + 1);
    QRadialGradient body(c - QPointF(radius * 0.45, radius * 0.55), radius * 1.8);
    body.setColorAt(0, QColor(0x5c, 0x64, 0x72));
    body.setColorAt(0.55, QColor(0x33, 0x38, 0x42));
    body.setColorAt(1, QColor(0x1c, 0x1f, 0x25));
    p.setBrush(body);
    p.drawEllipse(c, radius, radius);
    p.restore();
}

void pointer(QPainter &p, QPointF c, double from, double to, double angle, QColor colour,
             double width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    p.save();
    p.setPen(pen);
    p.drawLine(onCircle(c, from, angle), onCircle(c, to, angle));
    p.restore();
}

// The small dot in the gap at the bottom of the ring: the control has been
// taken over by the user.
void overrideDot(QPainter &p, QPointF c, double radius, double size)
{
    p.save();
    p.setPen(Qt::NoPen);
    glow(p, onCircle(c, radius, 180), size * 2.5, rgb(palette::kOverride), 0.5);
    p.setBrush(rgb(palette::kOverride));
    p.drawEllipse(onCircle(c, radius, 180), size, size);
    p.restore();
}

double rotaryAngle(int value, int kind)
{
    if (kind == 1) {
        return std::min((value - 64) * kSweep / 64, kSweep);
    }
    return -kSweep + 2 * kSweep * value / 127;
}

void rotaryKnob(QPainter &p, const QRect &cell, int value, int kind, bool mark)
{
    const QPointF c = QRectF(cell).center();
    const double angle = rotaryAngle(value, kind);
    const double start = kind == 1 ? 0 : -kSweep;
    const QColor accent = markColour(mark);
    strokeArc(p, c, 9.75, -kSweep, kSweep, rgb(palette::kTrack), 2.5);
    strokeArc(p, c, 9.75, std::min(start, angle), std::max(start, angle), accent, 2.5);
    if (kind == 1) {
        pointer(p, c, 8.2, 11.4, 0, alpha(accent, 0.9), 1); // the centre notch
    }
    cap(p, c, 6);
    pointer(p, c, 1.8, 5.6, angle, QColor(0xee, 0xf2, 0xf6), 1.6);
    if (mark) {
        overrideDot(p, c, 10, 1.4);
    }
}

void effectKnob(QPainter &p, const QRect &cell, int frame, bool mark)
{
    const QPointF c = QRectF(cell).center();
    const double angle = -kSweep + 2 * kSweep * frame / (kEffectKnobFrames - 1);
    const QColor accent = markColour(mark);
    for (int tick = 0; tick <= 10; ++tick) {
        const double a = -kSweep + 2 * kSweep * tick / 10;
        pointer(p, c, 21.3, 22.6, a, rgb(palette::kIconDim), 1);
    }
    strokeArc(p, c, 18, -kSweep, kSweep, rgb(palette::kTrack), 3.5);
    strokeArc(p, c, 18, -kSweep, angle, accent, 3.5);
    cap(p, c, 12.5);
    p.save();
    p.setPen(QPen(alpha(Qt::white, 0.08), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 9, 9);
    p.restore();
    pointer(p, c, 4, 10.5, angle, QColor(0xee, 0xf2, 0xf6), 2.2);
    if (mark) {
        overrideDot(p, c, 20.5, 2.2);
    }
}

} // namespace

void paintRotaryKnobs(QImage &sheet)
{
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    for (int value = 0; value < kRotaryPositions; ++value) {
        for (int kind = 0; kind <= 1; ++kind) {
            for (const bool mark : {false, true}) {
                const QRect cell = rotaryKnobFrame(value, kind, mark).source;
                p.save();
                p.setClipRect(cell);
                rotaryKnob(p, cell, value, kind, mark);
                p.restore();
            }
        }
    }
}

void paintEffectKnobs(QImage &sheet)
{
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    for (int frame = 0; frame < kEffectKnobFrames; ++frame) {
        for (const bool mark : {false, true}) {
            // The first value of each frame, on a 0..44 scale.
            const QRect cell = effectKnobFrame(frame, kEffectKnobFrames - 1, mark).source;
            p.save();
            p.setClipRect(cell);
            effectKnob(p, cell, frame, mark);
            p.restore();
        }
    }
}

} // namespace melorit::skins::gen
