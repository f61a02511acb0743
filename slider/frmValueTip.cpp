#include "slider/frmValueTip.h"

#include "slider/SliderGeometry.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QToolTip>
#include <QWindow>

namespace trackel {

namespace {

QPointer<frmValueTip> s_tip;

QFont tipFont()
{
    // Verdana 6.75 pt; fontconfig picks the nearest installed face when Verdana is missing.
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(6.75);
    return font;
}

} // namespace

frmValueTip::frmValueTip()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("frmValueTip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFont(tipFont());

    QPalette colours = palette();
    colours.setColor(QPalette::Window, QToolTip::palette().color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, QToolTip::palette().color(QPalette::ToolTipText));
    setPalette(colours);

    m_lblTip = new QLabel(this);
    m_lblTip->setObjectName(QStringLiteral("lblTip"));
    m_lblTip->setTextFormat(Qt::PlainText);
    m_lblTip->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

frmValueTip *frmValueTip::current()
{
    return s_tip.data();
}

void frmValueTip::showOrMove(const QWidget &slider, QPointF thumbPos, QSize thumbSize,
                             bool horizontal, int v)
{
    if (s_tip.isNull()) {
        s_tip = new frmValueTip();
        // Ties the tip to the slider's window so that window systems which place tool-tip
        // windows relative to a parent (Wayland) accept it.
        if (QWindow *host = slider.window()->windowHandle()) {
            s_tip->winId();
            s_tip->windowHandle()->setTransientParent(host);
        }
    }
    s_tip->place(slider, thumbPos, thumbSize, horizontal, v);
    s_tip->raise();
    s_tip->show();
}

void frmValueTip::closeTip()
{
    delete s_tip.data();
}

void frmValueTip::place(const QWidget &slider, QPointF thumbPos, QSize thumbSize, bool horizontal,
                        int v)
{
    using geometry::roundToInt;
    const QString text = QString::number(v);
    const QFontMetrics metrics(font());
    const int labelWidth = metrics.horizontalAdvance(text);
    const int labelHeight = metrics.height();
    m_lblTip->setGeometry(2, 1, labelWidth, labelHeight);
    m_lblTip->setText(text);
    m_lblTip->repaint();

    const QPoint origin = slider.mapToGlobal(QPoint(0, 0));
    double left = 0;
    double top = 0;
    if (horizontal) {
        left = origin.x() + thumbPos.x() + (thumbSize.width() - labelWidth - 4) * 0.5;
        top = origin.y() + thumbPos.y() - labelHeight - 5;
    } else {
        left = origin.x() + thumbPos.x() - labelWidth - 6;
        top = origin.y() + thumbPos.y() + (thumbSize.height() - labelHeight - 4) * 0.5;
    }
    setGeometry(roundToInt(left), roundToInt(top), labelWidth + 4, labelHeight + 3);
}

void frmValueTip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Midlight));
    painter.drawLine(0, 0, w - 1, 0);
    painter.drawLine(0, 0, 0, h - 1);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawLine(w - 1, 0, w - 1, h - 1);
    painter.drawLine(0, h - 1, w - 1, h - 1);
}

} // namespace trackel
