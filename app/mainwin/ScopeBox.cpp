#include "app/mainwin/ScopeBox.h"

#include "skins/SkinPalette.h"

#include <QPainter>
#include <QPainterPath>

namespace melorit::mainwin {

ScopeBox::ScopeBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_trace = {{0, 0}, {1, 0}};
}

void ScopeBox::setTrace(std::vector<QPointF> trace)
{
    m_trace = std::move(trace);
    update();
}

void ScopeBox::paintEvent(QPaintEvent *)
{
    using namespace skins::palette;
    QPainter painter(this);
    painter.fillRect(rect(), QColor(kDisplay));
    const QRectF area = QRectF(rect()).adjusted(1, 2, -1, -2);
    const double mid = area.center().y();
    painter.setPen(QPen(QColor(kTrack), 1));
    painter.drawLine(QPointF(area.left(), mid), QPointF(area.right(), mid));
    if (m_trace.size() >= 2) {
        QPainterPath path;
        const auto map = [&](const QPointF &p) {
            return QPointF(area.left() + p.x() * area.width(), mid - p.y() * area.height() / 2);
        };
        path.moveTo(map(m_trace.front()));
        for (std::size_t i = 1; i < m_trace.size(); ++i) {
            path.lineTo(map(m_trace[i]));
        }
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(kGo), 1));
        painter.drawPath(path);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(kOutline));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace melorit::mainwin
