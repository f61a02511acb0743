#include "app/mainwin/MixPicture.h"

#include "skins/SkinPalette.h"
#include "skins/Skins.h"

#include <QMouseEvent>
#include <QPainter>

namespace melorit::mainwin {

MixPicture::MixPicture(int index, const skins::SkinSet &skins, QWidget *parent)
    : FramePicture(&skins, parent), m_index(index), m_skins(skins)
{
}

void MixPicture::setLedText(const QString &text, int glyphRow)
{
    if (text == m_ledText && glyphRow == m_glyphRow) {
        return;
    }
    m_ledText = text;
    m_glyphRow = glyphRow;
    update();
}

void MixPicture::drawEmpty(QPainter &painter)
{
    // The tempo read-out: a display face with the characters at (4, 4).
    painter.fillRect(rect(), QColor(skins::palette::kDisplay));
    painter.setPen(QColor(skins::palette::kOutline));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    skins::LedPrint(painter, m_skins, m_ledText, 4, 4, m_glyphRow == 0);
}

void MixPicture::mousePressEvent(QMouseEvent *event)
{
    if (m_down != Qt::NoButton) {
        return;
    }
    m_down = event->button();
    Q_EMIT mouseDown(m_index, m_down, event->position().toPoint());
}

void MixPicture::mouseMoveEvent(QMouseEvent *event)
{
    if (m_down != Qt::NoButton) {
        Q_EMIT mouseMove(m_index, event->position().toPoint());
    }
}

void MixPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != m_down) {
        return;
    }
    m_down = Qt::NoButton;
    Q_EMIT mouseUp(m_index);
}

} // namespace melorit::mainwin
