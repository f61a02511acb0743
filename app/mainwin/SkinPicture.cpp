#include "app/mainwin/SkinPicture.h"

#include "skins/Skins.h"

#include <QPainter>

namespace melorit::mainwin {

SkinPicture::SkinPicture(const skins::SkinSet &skins, QWidget *parent)
    : QWidget(parent), m_skins(skins)
{
    // The tooltip of the clipping lamp still shows: only presses and moves
    // are left to the window.
    setFocusPolicy(Qt::NoFocus);
}

void SkinPicture::setFrame(const skins::Frame &frame)
{
    if (m_hasFrame && frame == m_frame) {
        return;
    }
    m_frame = frame;
    m_hasFrame = true;
    update();
}

void SkinPicture::paintEvent(QPaintEvent *)
{
    if (!m_hasFrame) {
        return;
    }
    QPainter painter(this);
    skins::drawFrame(painter, m_skins, m_frame);
}

} // namespace melorit::mainwin
