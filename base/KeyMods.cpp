#include "base/KeyMods.h"

namespace melorit {

namespace {

constexpr int kShiftBit = 1;
constexpr int kCtrlBit = 2;
constexpr int kAltBit = 4;

KeyMods g_keyMods;

} // namespace

KeyMods KeyMods::fromShift(int shift)
{
    return {(shift & kCtrlBit) != 0, (shift & kShiftBit) != 0, (shift & kAltBit) != 0};
}

int shiftArgument(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        shift |= kShiftBit;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        shift |= kCtrlBit;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        shift |= kAltBit;
    }
    return shift;
}

const KeyMods &keyMods()
{
    return g_keyMods;
}

void refreshKeyMods(int shift)
{
    g_keyMods = KeyMods::fromShift(shift);
}

} // namespace melorit
