#include "panels/KnobDrag.h"

#include "base/TextUtil.h"

#include <utility>

namespace melorit::panels {

double dragDistance(DistanceRule rule, QPointF press, QPointF now)
{
    const double up = press.y() - now.y();
    return rule == DistanceRule::Vertical ? up : (now.x() - press.x()) + up;
}

KnobDrag::KnobDrag(KnobDragHooks hooks, bool tracksKeyMods)
    : m_hooks(std::move(hooks)), m_tracksKeyMods(tracksKeyMods)
{
}

void KnobDrag::press(int index, MouseButton button, int shift, QPointF point, int mode, int value)
{
    m_index = index;
    m_press = point;
    m_mode = mode;
    m_start = value;
    m_value = value;
    if (m_tracksKeyMods) {
        refreshKeyMods(shift);
    }
    if (button == MouseButton::Right) {
        // A right press never drags: a drag from it would start from a value
        // the control may not have (a controller given back to the song).
        m_mode = 0;
        if (m_hooks.rightPress) {
            m_hooks.rightPress(index);
        }
        return;
    }
    if (m_hooks.leftPress) {
        m_start = m_hooks.leftPress(index, value);
        m_value = m_start;
    }
}

std::optional<int> KnobDrag::move(int shift, QPointF point)
{
    if (m_tracksKeyMods) {
        refreshKeyMods(shift);
    }
    if (m_mode == 0) {
        return std::nullopt;
    }
    const DistanceRule rule =
        m_hooks.distanceRule ? m_hooks.distanceRule(m_mode) : DistanceRule::Diagonal;
    const double distance = dragDistance(rule, m_press, point);
    m_value = m_hooks.valueFor ? m_hooks.valueFor(m_mode, m_start, distance, keyMods())
                               : m_start + text::toInt(distance);
    return m_value;
}

std::optional<KnobCommit> KnobDrag::release()
{
    if (m_mode == 0) {
        return std::nullopt;
    }
    const KnobCommit commit{m_index, m_mode, m_value};
    m_mode = 0;
    return commit;
}

} // namespace melorit::panels
