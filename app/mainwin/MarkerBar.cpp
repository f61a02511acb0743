#include "app/mainwin/MarkerBar.h"

#include "skins/SkinPalette.h"

#include <QPainter>

#include <algorithm>

namespace melorit::mainwin {

namespace {

// The rail's drawn edge reaches 2 pixels beyond the thumb's centre at
// either end of its travel: the markers lie on the centre's path.
constexpr int kRailOverhang = 2;
constexpr int kTickWidth = 2;
constexpr int kBandHeight = 3;

} // namespace

MarkerBar::MarkerBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MarkerBar"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void MarkerBar::setMarks(QRect rail, std::optional<double> start, std::optional<double> end)
{
    m_rail = rail;
    m_start = start;
    m_end = end;
    setVisible(start || end);
    update();
}

int MarkerBar::xOf(double fraction) const
{
    const int left = m_rail.left() + kRailOverhang;
    const int right = m_rail.right() - kRailOverhang;
    return left + static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * (right - left)));
}

std::optional<int> MarkerBar::startX() const
{
    return m_start ? std::optional<int>(xOf(*m_start)) : std::nullopt;
}

std::optional<int> MarkerBar::endX() const
{
    return m_end ? std::optional<int>(xOf(*m_end)) : std::nullopt;
}

void MarkerBar::paintEvent(QPaintEvent *)
{
    using namespace skins::palette;
    QPainter painter(this);
    const int from = xOf(m_start.value_or(0.0));
    const int to = xOf(m_end.value_or(1.0));
    QColor band(kGo);
    band.setAlphaF(0.6f);
    painter.fillRect(QRect(from, m_rail.bottom() + 3, std::max(to - from, 0), kBandHeight), band);
    const int top = m_rail.top() - 4;
    const int height = m_rail.height() + 4 + 3 + kBandHeight + 1;
    if (m_start) {
        painter.fillRect(QRect(from - kTickWidth / 2, top, kTickWidth, height), QColor(kGo));
    }
    if (m_end) {
        painter.fillRect(QRect(to - kTickWidth / 2, top, kTickWidth, height), QColor(kStop));
    }
}

} // namespace melorit::mainwin
