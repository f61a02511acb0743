#pragma once

#include <Qt>

// The keyboard modifiers held during the last press or move over a knob,
// shared by every window (UI thread only).
namespace melorit {

struct KeyMods {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;

    // From a mouse event's shift argument: Shift = bit 1, Ctrl = bit 2, Alt = bit 4.
    static KeyMods fromShift(int shift);

    friend bool operator==(const KeyMods &, const KeyMods &) = default;
};

// The shift argument (bits as above) of a Qt event's modifiers.
int shiftArgument(Qt::KeyboardModifiers modifiers);

// The process-wide record, refreshed on every press and move over a panel knob.
const KeyMods &keyMods();
void refreshKeyMods(int shift);

} // namespace melorit
