#pragma once

#include "skins/FramePicture.h"

namespace melorit::panels {

// One `Potard` picture of a panel: it shows a frame copied from a skin sheet
// and reports the pointer to its window with its index. Moves are reported
// with or without a button held, so the modifiers stay fresh. UI thread.
class KnobPicture : public skins::FramePicture {
    Q_OBJECT
public:
    KnobPicture(int index, QSize size, const skins::SkinSet *skins, QWidget *parent);

    int index() const { return m_index; }
    // The two-digit tag: kind and override mark.
    void setTag(const QString &tag) { m_tag = tag; }
    const QString &tag() const { return m_tag; }

Q_SIGNALS:
    void mouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                   QPointF point);
    void mouseMove(int index, Qt::KeyboardModifiers modifiers, QPointF point);
    void mouseUp(int index);

protected:
    void drawEmpty(QPainter &painter) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_index;
    QString m_tag;
};

} // namespace melorit::panels
