#include "slider/ucxSlider.h"

#include "slider/RailPainter.h"
#include "slider/SliderGeometry.h"
#include "slider/frmValueTip.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace trackel {

using geometry::offsetForValue;
using geometry::roundToInt;
using geometry::valueForOffset;

ucxSlider::ucxSlider(QWidget *parent) : QWidget(parent), m_thumb(builtInThumb())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    placeThumbAtStart();
    relayout();
}

ucxSlider::~ucxSlider()
{
    if (m_dragging) {
        frmValueTip::closeTip();
    }
}

// --- Properties -------------------------------------------------------------------------------

void ucxSlider::setValue(int v)
{
    m_value = v;
    if (v == m_lastValue) {
        return;
    }
    if (!m_dragging) {
        placeThumbForValue();
    }
    refresh();
    m_lastValue = v;
    Q_EMIT ValueChanged();
    if (v == m_max) {
        Q_EMIT ArrivedLast();
    }
    if (v == m_min) {
        Q_EMIT ArrivedFirst();
    }
}

void ucxSlider::setRailPicture(const QPixmap &picture)
{
    m_railPicture = picture;
    relayout();
}

void ucxSlider::setSliderIcon(const QPixmap &picture)
{
    // Without a picture the thumb would have no size and could not be grabbed.
    m_customThumb = !picture.isNull();
    m_thumb = m_customThumb ? picture : builtInThumb();
    relayout();
}

void ucxSlider::setRailStyle(RailStyleConstants style)
{
    m_railStyle = style;
    relayout();
}

void ucxSlider::setOrientation(OrientationConstants orientation)
{
    m_orientation = orientation;
    placeThumbAtStart();
    relayout();
}

bool ucxSlider::setMin(int min)
{
    if (min >= m_max) {
        m_lastError = ErrInvalidPropertyValue;
        return false;
    }
    m_lastError = 0;
    m_min = min;
    setValue(min);
    // The range changed: the thumb follows even when the value stayed the same.
    if (!m_dragging) {
        placeThumbForValue();
        update();
    }
    return true;
}

void ucxSlider::setMax(int max)
{
    m_max = max;
    if (!m_dragging) {
        placeThumbForValue();
        update();
    }
}

QColor ucxSlider::backcolor() const
{
    return m_backColor.isValid() ? m_backColor : palette().color(QPalette::Button);
}

void ucxSlider::setBackcolor(const QColor &colour)
{
    m_backColor = colour;
    update();
}

QRect ucxSlider::thumbRect() const
{
    return {QPoint(roundToInt(m_thumbPos.x()), roundToInt(m_thumbPos.y())), m_thumb.size()};
}

QSize ucxSlider::sizeHint() const
{
    if (m_railStyle == ByPicture && !m_railPicture.isNull()) {
        return minimumSize();
    }
    const QSize thumb = m_thumb.size();
    return isHorizontal() ? QSize(thumb.width() * 10, thumb.height())
                          : QSize(thumb.width(), thumb.height() * 10);
}

QSize ucxSlider::minimumSizeHint() const
{
    return minimumSize();
}

// --- Layout -----------------------------------------------------------------------------------

int ucxSlider::travel() const
{
    return isHorizontal() ? width() - m_thumb.width() : height() - m_thumb.height();
}

void ucxSlider::relayout()
{
    applySizeConstraints();
    updateGeometry();
    if (!m_dragging) {
        placeThumbForValue();
    }
    update();
}

QRect ucxSlider::railRect() const
{
    return geometry::railRect(isHorizontal(), size(), m_thumb.size());
}

// A picture rail sets the whole size; otherwise the size across the rail is the thumb's and
// the length is free, but never shorter than the thumb.
void ucxSlider::applySizeConstraints()
{
    const QSize thumb = m_thumb.size();
    if (m_railStyle == ByPicture && !m_railPicture.isNull()) {
        const QSize rail = m_railPicture.size();
        setFixedSize(isHorizontal()
                         ? QSize(rail.width() + 4, std::max(rail.height(), thumb.height()))
                         : QSize(std::max(rail.width(), thumb.width()), rail.height() + 4));
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        return;
    }
    setMinimumSize(thumb);
    if (isHorizontal()) {
        setMaximumSize(QWIDGETSIZE_MAX, thumb.height());
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setMaximumSize(thumb.width(), QWIDGETSIZE_MAX);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
}

void ucxSlider::placeThumbAtStart()
{
    if (isHorizontal()) {
        m_thumbPos = QPointF(0, 0);
    } else {
        m_thumbPos = QPointF(0, height() - m_thumb.height());
    }
}

// Puts the thumb where the value belongs, the minimum at the left or at the bottom. When the
// range is 0 there is no such place and the thumb stays, kept inside the control. Across the
// rail the thumb is centred (which is 0 unless a picture rail is thicker than the thumb).
void ucxSlider::placeThumbForValue()
{
    const int length = std::max(travel(), 0);
    const auto offset = offsetForValue(m_value, m_min, range(), length);
    if (isHorizontal()) {
        const double x =
            offset ? *offset : std::clamp(m_thumbPos.x(), 0.0, static_cast<double>(length));
        m_thumbPos = QPointF(x, std::max(height() - m_thumb.height(), 0) * 0.5);
    } else {
        const double y = offset ? length - *offset
                                : std::clamp(m_thumbPos.y(), 0.0, static_cast<double>(length));
        m_thumbPos = QPointF(std::max(width() - m_thumb.width(), 0) * 0.5, y);
    }
}

void ucxSlider::resizeEvent(QResizeEvent *)
{
    if (!m_dragging) {
        placeThumbForValue();
    }
    update();
}

// --- Painting ---------------------------------------------------------------------------------

void ucxSlider::refresh()
{
    update();
    if (m_dragging && m_showTip) {
        frmValueTip::showOrMove(*this, thumbRect().topLeft(), m_thumb.size(), isHorizontal(),
                                m_value);
    }
}

void ucxSlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), backcolor());
    paintRail(painter);
    painter.drawPixmap(thumbRect().topLeft(), m_thumb);
}

void ucxSlider::paintRail(QPainter &painter)
{
    int edge = 0;
    switch (m_railStyle) {
    case Sunken:
        edge = EdgeSunken;
        break;
    case Raised:
        edge = EdgeRaised;
        break;
    case SunkenSoft:
        edge = BdrSunkenOuter;
        break;
    case RaisedSoft:
        edge = BdrRaisedInner;
        break;
    case ByPicture:
        if (!m_railPicture.isNull()) {
            const QSize picture = m_railPicture.size();
            const QPoint at = isHorizontal()
                                  ? QPoint(2, roundToInt((height() - picture.height()) / 2.0))
                                  : QPoint(roundToInt((width() - picture.width()) / 2.0), 2);
            painter.drawPixmap(at, m_railPicture);
            return;
        }
        break;
    }
    drawEdge(painter, railRect(), edge, palette());
}

// --- Pointer ----------------------------------------------------------------------------------

short ucxSlider::shiftState(Qt::KeyboardModifiers modifiers)
{
    short shift = 0;
    if (modifiers & Qt::ShiftModifier) {
        shift |= ShiftMask;
    }
    if (modifiers & Qt::ControlModifier) {
        shift |= CtrlMask;
    }
    if (modifiers & Qt::AltModifier) {
        shift |= AltMask;
    }
    return shift;
}

void ucxSlider::mousePressEvent(QMouseEvent *event)
{
    // Taken in every case, so that the release comes here too.
    event->accept();
    if (!m_enabled || event->button() != Qt::LeftButton) {
        return;
    }
    m_dragging = true;
    const QPointF at = event->position();
    const QSizeF thumb = m_thumb.size();
    const bool onThumb = at.x() >= m_thumbPos.x() && at.x() < m_thumbPos.x() + thumb.width() &&
                         at.y() >= m_thumbPos.y() && at.y() < m_thumbPos.y() + thumb.height();
    if (onThumb) {
        m_grab = at - m_thumbPos;
    } else {
        m_grab = QPointF(thumb.width() * 0.5, thumb.height() * 0.5);
        dragTo(at);
    }
    if (m_showTip) {
        frmValueTip::showOrMove(*this, thumbRect().topLeft(), m_thumb.size(), isHorizontal(),
                                m_value);
    }
    Q_EMIT MouseDown(shiftState(event->modifiers()));
}

void ucxSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging) {
        dragTo(event->position());
    }
}

// Moves the thumb under the pointer, kept within the travel, then snaps it to the nearest
// value and takes that value. With no range or no travel nothing moves.
void ucxSlider::dragTo(QPointF pointer)
{
    const int length = travel();
    if (range() == 0 || length <= 0) {
        return;
    }
    const double along = isHorizontal() ? pointer.x() - m_grab.x() : pointer.y() - m_grab.y();
    const double position = std::clamp(along, 0.0, static_cast<double>(length));
    const double fromMinimum = isHorizontal() ? position : length - position;
    const auto v = valueForOffset(fromMinimum, length, m_min, range());
    const auto snapped = offsetForValue(*v, m_min, range(), length);
    if (isHorizontal()) {
        m_thumbPos.setX(*snapped);
    } else {
        m_thumbPos.setY(length - *snapped);
    }
    refresh();
    setValue(*v);
}

void ucxSlider::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    const bool inside = at.x() >= 0 && at.x() < width() && at.y() >= 0 && at.y() < height();
    const bool wasDragging = m_dragging;
    // The drag is over before the host hears of it, so that a Value the host sets in its
    // MouseUp handler moves the thumb and a dialog it opens has no tip over it.
    m_dragging = false;
    frmValueTip::closeTip();
    placeThumbForValue();
    update();
    if (event->button() == Qt::LeftButton && inside) {
        Q_EMIT click();
    }
    if (wasDragging) {
        Q_EMIT MouseUp(shiftState(event->modifiers()));
    }
}

// A slider hidden in the middle of a drag never sees the release: the drag ends here, with
// the MouseUp the host waits for.
void ucxSlider::hideEvent(QHideEvent *)
{
    if (!m_dragging) {
        return;
    }
    m_dragging = false;
    frmValueTip::closeTip();
    Q_EMIT MouseUp(0);
}

} // namespace trackel
