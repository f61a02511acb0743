#pragma once

#include "skins/SkinSheets.h"

#include <QWidget>

namespace melorit::skins {

class SkinSet;

// A picture that shows one frame copied from a skin sheet (a lamp, a meter,
// a fader, a knob); it repaints only when the frame changes. Without skins or
// before its first frame it shows nothing of its own: drawEmpty() decides.
// The windows' knobs and faders add their mouse protocol on top. UI thread.
class FramePicture : public QWidget {
    Q_OBJECT
public:
    FramePicture(const SkinSet *skins, QWidget *parent);

    void setFrame(const Frame &frame);
    const Frame &frame() const { return m_frame; }
    bool hasFrame() const { return m_hasFrame; }

Q_SIGNALS:
    // Whole notches of the mouse wheel turned over the picture: positive
    // away from the user (or to the right), negative towards.
    void wheelTurned(int notches);

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    // What shows before the first frame (or without skins): nothing here.
    virtual void drawEmpty(QPainter &painter);

private:
    const SkinSet *m_skins;
    Frame m_frame;
    bool m_hasFrame = false;
    int m_wheelAngle = 0; // eighths of a degree not yet a whole notch
};

} // namespace melorit::skins
