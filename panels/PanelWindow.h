#pragma once

#include "panels/KnobDrag.h"
#include "panels/PanelHost.h"
#include "panels/PanelMixView.h"

#include <QLatin1StringView>
#include <QWidget>

#include <map>

namespace melorit::panels {

class KnobPicture;

// What the two panels share: a secondary window that hides instead of
// closing, keeps its offset from the main window, and turns the pointer on
// its knobs into presses, drags and releases (the knob protocol). UI thread.
class PanelWindow : public QWidget, public ControllerDisplay {
    Q_OBJECT
public:
    PanelWindow(PanelHost host, QLatin1StringView section, QWidget *parent);
    ~PanelWindow() override;

    // The window moved: keeps its offset from the main window.
    void MemoPosition();
    // `Form_Unload`, at shutdown: from now on closing really closes.
    void Unload() { m_unloaded = true; }

    // The pointer protocol, as the knob pictures report it.
    void Potard_MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                          QPointF point);
    void Potard_MouseMove(int index, Qt::KeyboardModifiers modifiers, QPointF point);
    void Potard_MouseUp(int index);
    // Notches of the mouse wheel over a knob: each is one step, the smallest
    // a drag makes; the knob is taken over as by a click, and the value is
    // heard and kept at once.
    void Potard_Wheel(int index, int notches);

    KnobPicture *knob(int index) const;
    bool isDragging() const { return m_drag.dragging(); }

Q_SIGNALS:
    // The user closed the panel: it is hidden now.
    void hiddenByUser();

protected:
    // A knob picture of the given size at a point of the window.
    KnobPicture *addKnob(int index, QRect geometry);
    QString languageText(QLatin1StringView key) const;
    QString languageText(const QString &key) const;

    // The window's own rules.
    virtual int dragModeOf(int index) const = 0;
    virtual int valueAtPress(int index) const = 0;
    // `TestButton`: the value a drag starts from after a left press.
    virtual int pressLeft(int index) = 0;
    virtual void pressRight(int index) = 0;
    virtual int dragValue(int index, int start, double distance, const KeyMods &mods) const = 0;
    // `ControllerMove` after the value is known: send it and draw it.
    virtual void dragged(int index, int value) = 0;
    // `ControllerUp`: commit the value.
    virtual void released(int index, int value) = 0;
    // After any press or release, for what the window shows around the knob.
    virtual void afterPress(int index, Qt::MouseButton button);
    virtual void afterRelease();
    // Whether the wheel turns a control: every knob (not the displays and
    // buttons that step through presets or switch).
    virtual bool turnsWithWheel(int index) const;

    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

    PanelHost m_host;

private:
    QLatin1StringView m_section;
    KnobDrag m_drag;
    std::map<int, KnobPicture *> m_knobs;
    bool m_unloaded = false;
};

} // namespace melorit::panels
