#include "skins/KnobFrames.h"
#include "skins/MeterFrames.h"
#include "skins/SkinPalette.h"
#include "skins/gen/Canvas.h"
#include "skins/gen/SheetPainters.h"

#include <QPainter>

#include <cmath>

namespace melorit::skins::gen {

namespace {

QColor rgb(QRgb value)
{
    return QColor::fromRgb(value);
}

// Vertical centre of the fader cap for a frame, on whole pixels so the cap
// stays crisp: from y = 122 (frame 0) up to y = 6 (frame 40).
int capCentre(int frame)
{
    return 122 - static_cast<int>(std::lround(frame * 116.0 / (kFaderFrames - 1)));
}

void faderScale(QPainter &p, const QRect &cell)
{
    for (int f = 0; f < kFaderFrames; f += 5) {
        const bool unity = f == kFaderFrames / 2;
        const QColor colour = rgb(unity ? palette::kText : palette::kIconDim);
        const int y = cell.y() + capCentre(f);
        const int reach = unity ? 5 : 3;
        p.fillRect(cell.x() + 8 - reach, y, reach, 1, colour);
        p.fillRect(cell.x() + 16, y, reach, 1, colour);
    }
}

void fader(QPainter &p, const QRect &cell, int frame)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    faderScale(p, cell);
    const int centre = cell.y() + capCentre(frame);
    const QRect groove(cell.x() + 10, cell.y() + 4, 4, 120);
    p.fillRect(groove, rgb(palette::kOutline));
    p.fillRect(groove.x(), groove.bottom() + 1, groove.width(), 1, rgb(palette::kTrack));
    p.fillRect(QRect(groove.x() + 1, centre, 2, groove.bottom() - centre),
               alpha(rgb(palette::kSong), 0.65));
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF capBox(cell.x() + 2, centre - 5.5, 20, 11);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(alpha(Qt::black, 0.45));
    p.drawRoundedRect(capBox.translated(0, 1.5), 2.5, 2.5);
    p.restore();
    raisedFace(p, capBox, 2.5);
    p.fillRect(QRectF(capBox.x() + 3, centre - 0.5, 14, 1), rgb(palette::kSong));
}

// Segment colours from the bottom: eight green, two yellow, two red.
QColor segmentColour(int segment)
{
    if (segment < 8) {
        return rgb(palette::kGo);
    }
    return rgb(segment < 10 ? palette::kWarn : palette::kStop);
}

// Frame n lights the n lowest segments; the last frame lights all twelve,
// the top one being the warning that full scale is near.
void meter(QPainter &p, const QRect &cell, int frame)
{
    p.fillRect(cell.adjusted(1, 1, -1, -1), rgb(palette::kDisplay));
    const int lit = frame == kMeterFrames - 1 ? kMeterFrames : frame;
    for (int segment = 0; segment < kMeterFrames; ++segment) {
        const QRect box(cell.x() + 3, cell.y() + 73 - 6 * segment, 10, 5);
        const QColor colour = segmentColour(segment);
        if (segment < lit) {
            p.fillRect(box, colour);
            p.fillRect(box.x(), box.y(), box.width(), 1, mix(colour, Qt::white, 0.45));
        } else {
            p.fillRect(box, mix(rgb(palette::kDisplay), colour, 0.16));
        }
    }
}

void activityLamp(QPainter &p, const QRect &lamp, int frame, QColor colour)
{
    p.save();
    p.setClipRect(lamp);
    p.fillRect(lamp, rgb(palette::kWindow));
    ledLamp(p, QRectF(lamp).center(), 5.5, colour, frame / double(kActivityFrames - 1), 9);
    p.restore();
}

} // namespace

void paintFaders(QImage &sheet)
{
    QPainter p(&sheet);
    for (int frame = 0; frame < kFaderFrames; ++frame) {
        // A gain of frame - 20 dB selects exactly this frame.
        fader(p, faderFrame(frame - 20, -20, 20).source, frame);
    }
}

void paintLevelMeter(QImage &sheet)
{
    QPainter p(&sheet);
    for (int frame = 0; frame < kMeterFrames; ++frame) {
        meter(p, meterFrame(frame).source, frame);
    }
}

void paintActivityLamps(QImage &sheet)
{
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    // The first level of each frame picks the frame's place in the sheet.
    int level = 0;
    for (int frame = 0; frame < kActivityFrames; ++frame) {
        while (activityFrameIndex(level) < frame) {
            ++level;
        }
        activityLamp(p, activityLampFrame(level, true).source, frame, rgb(palette::kVoice));
        activityLamp(p, activityLampFrame(level, false).source, frame, rgb(palette::kGo));
    }
}

} // namespace melorit::skins::gen
