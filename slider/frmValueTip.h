#pragma once

#include <QWidget>

class QLabel;

namespace trackel {

// The small window that shows a slider's value next to its thumb during a drag. There is one
// for the whole library: created on the first show, destroyed by closeTip(). It is a
// borderless tool-tip window that is never activated, so the keyboard focus stays where it
// was. UI thread.
class frmValueTip : public QWidget {
    Q_OBJECT

public:
    // Shows the value v beside the thumb (thumb position relative to the slider, in pixels):
    // centred above it on a horizontal slider, to its left on a vertical one.
    static void showOrMove(const QWidget &slider, QPointF thumbPos, QSize thumbSize,
                           bool horizontal, int v);
    // Destroys the window, when there is one.
    static void closeTip();
    // The window while it exists, else nullptr.
    static frmValueTip *current();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    frmValueTip();
    void place(const QWidget &slider, QPointF thumbPos, QSize thumbSize, bool horizontal, int v);

    QLabel *m_lblTip = nullptr;
};

} // namespace trackel
