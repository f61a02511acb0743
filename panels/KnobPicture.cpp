#include "panels/KnobPicture.h"

#include <QMouseEvent>
#include <QPainter>

namespace melorit::panels {

KnobPicture::KnobPicture(int index, QSize size, const skins::SkinSet *skins, QWidget *parent)
    : FramePicture(skins, parent), m_index(index)
{
    setFixedSize(size);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void KnobPicture::drawEmpty(QPainter &painter)
{
    painter.fillRect(rect(), palette().window());
}

void KnobPicture::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mouseDown(m_index, event->button(), event->modifiers(), event->position());
    event->accept();
}

void KnobPicture::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMove(m_index, event->modifiers(), event->position());
    event->accept();
}

void KnobPicture::mouseReleaseEvent(QMouseEvent *event)
{
    // A release ends the drag only when no other button is still held.
    if (event->buttons() == Qt::NoButton) {
        Q_EMIT mouseUp(m_index);
    }
    event->accept();
}

} // namespace melorit::panels
