#pragma once

#include <Qt>

class QLabel;
class QPainter;
class QRect;
class QWidget;

// The dark look the panels share with the skin sheets: background, raised
// frames and labels in the skin's colours. UI thread.
namespace melorit::panels::style {

// The window's palette and font.
void applyPanelLook(QWidget &window);
// A plain text label placed on the window.
QLabel *addLabel(QWidget *parent, const QRect &geometry, Qt::Alignment alignment);
// The window background.
void paintBackground(QPainter &painter, const QRect &rect);
// A raised panel with a lit top edge (the channel numbers' strip).
void paintPanel(QPainter &painter, const QRect &rect);
// A frame around a group of knobs: an engraved outline on the window's
// colour, which is also the background of the knob pictures.
void paintFrame(QPainter &painter, const QRect &rect);

} // namespace melorit::panels::style
