#include "panels/KnobPicture.h"

#include "skins/Skins.h"

#include <QMouseEvent>
#include <QPainter>

namespace melorit::panels {

KnobPicture::KnobPicture(int index, QSize size, const skins::SkinSet *skins, QWidget *parent)
    : QWidget(parent), m_index(index), m_skins(skins)
{
    setFixedSize(size);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void KnobPicture::setFrame(const skins::Frame &frame)
{
    if (m_hasFrame && frame == m_frame) {
        return;
    }
    m_frame = frame;
    m_hasFrame = true;
    update();
}

void KnobPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_skins == nullptr || !m_hasFrame) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    skins::drawFrame(painter, *m_skins, m_frame);
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
