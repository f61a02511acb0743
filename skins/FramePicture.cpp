#include "skins/FramePicture.h"

#include "skins/Skins.h"

#include <QPainter>

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
