#pragma once

#include "skins/FramePicture.h"

#include <QString>

namespace melorit::skins {
class SkinSet;
} // namespace melorit::skins

namespace melorit::mainwin {

// One `Potard` picture of the main window: a fader or knob frame copied from
// a skin sheet, or, for the tempo read-out, LED characters on a display
// face. It reports the pointer with its index; the mixer decides what a drag
// does. UI thread.
class MixPicture : public skins::FramePicture {
    Q_OBJECT
public:
    MixPicture(int index, const skins::SkinSet &skins, QWidget *parent);

    int index() const { return m_index; }
    // The LED text of the tempo read-out, in glyph row 0 or 1.
    void setLedText(const QString &text, int glyphRow);
    const QString &ledText() const { return m_ledText; }
    int glyphRow() const { return m_glyphRow; }

Q_SIGNALS:
    void mouseDown(int index, Qt::MouseButton button, QPoint at);
    void mouseMove(int index, QPoint at);
    void mouseUp(int index);

protected:
    void drawEmpty(QPainter &painter) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_index;
    const skins::SkinSet &m_skins;
    QString m_ledText;
    int m_glyphRow = 0;
    Qt::MouseButton m_down = Qt::NoButton;
};

} // namespace melorit::mainwin
