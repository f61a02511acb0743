#include "playlist/PicButton.h"

#include "playlist/PlaylistLayout.h"

#include <QMouseEvent>
#include <QPainter>

namespace melorit::playlist {

PicButton::PicButton(int index, QWidget *parent) : QWidget(parent), m_index(index)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(layout::kButtonSize, layout::kButtonSize);
    setCursor(Qt::PointingHandCursor);
}

void PicButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

QSize PicButton::sizeHint() const
{
    return {layout::kButtonSize, layout::kButtonSize};
}

bool PicButton::isInside(QPoint at) const
{
    return at.x() >= 0 && at.x() <= width() && at.y() >= 0 && at.y() <= height();
}

void PicButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawPixmap(0, 0, m_picture);
}

void PicButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT pressed(m_index);
}

void PicButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT released(m_index, isInside(event->position().toPoint()), event->modifiers());
}

} // namespace melorit::playlist
