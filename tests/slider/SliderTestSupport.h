#pragma once

#include "slider/ucxSlider.h"

#include <QImage>
#include <QStringList>

class QWidget;

namespace trackel::test {

// Records the slider's signals by name, in the order they arrive; MouseDown and MouseUp
// carry their shift state, as "MouseDown(3)".
class SignalLog {
public:
    explicit SignalLog(ucxSlider &slider);
    QStringList take();

private:
    QStringList m_names;
};

// Pointer events sent straight to the slider, at exact (also fractional) positions.
void press(ucxSlider &slider, QPointF at, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void moveTo(ucxSlider &slider, QPointF at);
void release(ucxSlider &slider, QPointF at, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The library's value tip window while it exists.
QWidget *findValueTip();

// A shown horizontal (vertical) slider of the given length with the built-in 16 x 16 thumb.
// Hidden widgets get their resize events only when shown.
void makeHorizontal(ucxSlider &slider, int length);
void makeVertical(ucxSlider &slider, int length);

// A palette whose four 3-D colours are distinct, for reading edges back from pixels.
QPalette edgePalette();

QImage render(QWidget &widget);

} // namespace trackel::test
