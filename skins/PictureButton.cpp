#include "skins/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace melorit::skins {

namespace {
constexpr qreal kDimmedOpacity = 0.35;
} // namespace

PictureButton::PictureButton(int index, QWidget *parent) : QWidget(parent), m_index(index)
{
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureButton::setDimmed(bool dimmed)
{
    if (m_dimmed != dimmed) {
        m_dimmed = dimmed;
        update();
    }
}

bool PictureButton::isInside(QPoint at) const
{
    return at.x() >= 0 && at.x() <= width() && at.y() >= 0 && at.y() <= height();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull()) {
        return;
    }
    QPainter painter(this);
    if (m_dimmed) {
        painter.setOpacity(kDimmedOpacity);
    }
    painter.drawPixmap(rect(), m_picture);
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (m_down != Qt::NoButton) {
        return;
    }
    m_down = event->button();
    Q_EMIT pressed(m_index, m_down);
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != m_down) {
        return;
    }
    m_down = Qt::NoButton;
    Q_EMIT released(m_index, event->button(), isInside(event->position().toPoint()),
                    event->modifiers());
}

} // namespace melorit::skins
