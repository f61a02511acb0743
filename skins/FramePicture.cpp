#include "skins/FramePicture.h"

#include "skins/Skins.h"

#include <QPainter>
#include <QWheelEvent>

namespace melorit::skins {

FramePicture::FramePicture(const SkinSet *skins, QWidget *parent) : QWidget(parent), m_skins(skins)
{
    setFocusPolicy(Qt::NoFocus);
}

void FramePicture::setFrame(const Frame &frame)
{
    if (m_hasFrame && frame == m_frame) {
        return;
    }
    m_frame = frame;
    m_hasFrame = true;
    update();
}

void FramePicture::wheelEvent(QWheelEvent *event)
{
    // A notch is 15 degrees; fine-grained wheels and touchpads add up to it.
    constexpr int kNotch = 120;
    const QPoint angle = event->angleDelta();
    m_wheelAngle += angle.y() != 0 ? angle.y() : angle.x();
    const int notches = m_wheelAngle / kNotch;
    m_wheelAngle -= notches * kNotch;
    event->accept();
    if (notches != 0) {
        Q_EMIT wheelTurned(notches);
    }
}

void FramePicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_skins == nullptr || !m_hasFrame) {
        drawEmpty(painter);
        return;
    }
    drawFrame(painter, *m_skins, m_frame);
}

void FramePicture::drawEmpty(QPainter &)
{
}

} // namespace melorit::skins
