#include "panels/KnobTips.h"

namespace melorit::panels {

namespace {

constexpr int kPanCentre = 64;

} // namespace

QString panTip(int value)
{
    if (value < kPanCentre) {
        return QStringLiteral("G %1").arg(kPanCentre - value);
    }
    if (value > kPanCentre) {
        return QStringLiteral("D %1").arg(value - kPanCentre);
    }
    return QStringLiteral(" C ");
}

QString drumTip(int value)
{
    return value == 0 ? QStringLiteral("Melodic") : QStringLiteral("DrumSet");
}

} // namespace melorit::panels
