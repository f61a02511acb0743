#pragma once

#include <QPixmap>

class QPainter;
class QPalette;
class QRect;

namespace trackel {

// Border kinds of a 3-D edge, combinable as the window system's DrawEdge takes them.
enum EdgeBits : int {
    BdrRaisedOuter = 1,
    BdrSunkenOuter = 2,
    BdrRaisedInner = 4,
    BdrSunkenInner = 8,
    EdgeRaised = BdrRaisedOuter | BdrRaisedInner,
    EdgeSunken = BdrSunkenOuter | BdrSunkenInner,
};

// Draws a 3-D edge around all four sides of `rect` (right and bottom inclusive, as QRect
// has them): an outer and an inner one-pixel border, each with its top and left lines in one
// colour and its right and bottom lines, which take the two far corners, in another. The
// colours come from the palette's 3-D roles: Light (highlight), Midlight (3-D light), Dark
// (shadow) and Shadow (dark shadow). An edge value with no border bits draws nothing.
void drawEdge(QPainter &painter, const QRect &rect, int edge, const QPalette &palette);

// The thumb used until a picture is given: a 16 x 16 round knob.
QPixmap builtInThumb();

} // namespace trackel
