#include "app/mainwin/SkinButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace melorit::mainwin {

SkinButton::SkinButton(int index, QWidget *parent) : QWidget(parent), m_index(index)
{
    setFocusPolicy(Qt::NoFocus);
}

void SkinButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void SkinButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(rect(), m_picture);
}

void SkinButton::mousePressEvent(QMouseEvent *event)
{
    // One button at a time: a second button pressed during a click is ignored.
    if (m_down != Qt::NoButton)
        return;
    m_down = event->button();
    Q_EMIT pressed(m_index, m_down);
}

void SkinButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != m_down)
        return;
    m_down = Qt::NoButton;
    const QPoint at = event->position().toPoint();
    const bool inside = rect().contains(at);
    Q_EMIT released(m_index, event->button(), inside);
}

} // namespace melorit::mainwin
