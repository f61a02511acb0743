#pragma once

#include "skins/SkinSheets.h"

#include <QWidget>

namespace melorit::skins {
class SkinSet;
} // namespace melorit::skins

namespace melorit::panels {

// One `Potard` picture of a panel: it shows a frame copied from a skin sheet
// and reports the pointer to its window with its index. Moves are reported
// with or without a button held, so the modifiers stay fresh. UI thread.
class KnobPicture : public QWidget {
    Q_OBJECT
public:
    KnobPicture(int index, QSize size, const skins::SkinSet *skins, QWidget *parent);

    int index() const { return m_index; }
    // The frame shown; the picture is repainted when it changes.
    void setFrame(const skins::Frame &frame);
    const skins::Frame &frame() const { return m_frame; }
    // The two-digit tag: kind and override mark.
    void setTag(const QString &tag) { m_tag = tag; }
    const QString &tag() const { return m_tag; }

Q_SIGNALS:
    void mouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                   QPointF point);
    void mouseMove(int index, Qt::KeyboardModifiers modifiers, QPointF point);
    void mouseUp(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_index;
    const skins::SkinSet *m_skins;
    skins::Frame m_frame;
    bool m_hasFrame = false;
    QString m_tag;
};

} // namespace melorit::panels
