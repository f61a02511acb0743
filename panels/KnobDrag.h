#pragma once

#include "base/KeyMods.h"

#include <QPointF>

#include <functional>
#include <optional>

// The pointer protocol of a knob, shared by the main window's mixer and the
// two panels: a press records the control and its value, each move turns the
// distance the pointer has travelled into a new value, the release commits
// it, the right button gives the control back (UI thread only).
namespace melorit::panels {

enum class MouseButton { Left, Right, Middle };

// How the distance of a drag is measured: the main window's faders follow
// the vertical distance only (up increases); every other knob adds the
// horizontal and the vertical distance, so right or up increases.
enum class DistanceRule { Vertical, Diagonal };

double dragDistance(DistanceRule rule, QPointF press, QPointF now);

struct KnobDragHooks {
    // The rule of a drag mode; every mode is Diagonal when not given.
    std::function<DistanceRule(int mode)> distanceRule;
    // `TestButton` for a left or middle press, after the press is recorded
    // and the modifiers refreshed: it may take the control over or step it,
    // and returns the value the drag starts from. When not given, the drag
    // starts from the value given to press().
    std::function<int(int index, int value)> leftPress;
    // `TestButton` for a right press: reset the control to its default or
    // give it back to the song. No drag follows a right press.
    std::function<void(int index)> rightPress;
    // The window's scaling: the value for a start value and a pointer
    // distance, rounded and limited as the control needs. When not given:
    // the start value plus the distance, rounded half to even.
    std::function<int(int mode, int startValue, double distance, const KeyMods &mods)> valueFor;
};

struct KnobCommit {
    int index = 0;
    int mode = 0;
    int value = 0;
};

class KnobDrag {
public:
    // `tracksKeyMods`: the panels refresh the shared modifier record on every
    // press and move; the main window does not.
    KnobDrag(KnobDragHooks hooks, bool tracksKeyMods);

    // A press on control `index`; `mode` 0 starts no drag.
    void press(int index, MouseButton button, int shift, QPointF point, int mode, int value);
    // A move over the control (the panels refresh the modifiers on every
    // one): the new value while a drag is under way (the window sends and
    // draws it), nothing otherwise.
    std::optional<int> move(int shift, QPointF point);
    // The release: the value to commit, a press without a move commits the
    // value at the press; nothing when no drag was under way. Ends the drag.
    std::optional<KnobCommit> release();
    void cancel() { m_mode = 0; }

    bool dragging() const { return m_mode != 0; }
    int index() const { return m_index; }
    int mode() const { return m_mode; }
    int startValue() const { return m_start; }
    int value() const { return m_value; }
    QPointF pressPoint() const { return m_press; }

private:
    KnobDragHooks m_hooks;
    bool m_tracksKeyMods;
    int m_index = -1;
    int m_mode = 0;
    int m_start = 0;
    int m_value = 0;
    QPointF m_press;
};

} // namespace melorit::panels
