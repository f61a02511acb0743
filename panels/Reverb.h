#pragma once

#include "panels/EffectControls.h"
#include "panels/PanelWindow.h"

#include <array>

class QLabel;

namespace melorit::panels {

// The effects panel: eleven knobs for the synthesizer's global reverb and
// chorus parameters in two frames, each with its name above and its value
// below, taken over, dragged (Ctrl finer, Shift coarser) and given back
// with the mouse. UI thread.
class Reverb : public PanelWindow {
    Q_OBJECT
public:
    explicit Reverb(PanelHost host, QWidget *parent = nullptr);

    void LoadLanguage();
    // `DrawKnob`: the knob and its value label show the value, limited to
    // the knob's range.
    void DrawKnob(int index, int value);
    // Every knob drawn again with the value in effect and its mark.
    void redrawAll();

    // The value label `lblCtlVal` of a knob (index 112-122) and the name
    // label `lblCtrl` (96-106).
    QLabel *valueLabel(int index) const;
    QLabel *nameLabel(int labelIndex) const;
    QLabel *frameCaption(bool chorus) const { return chorus ? m_chorusCaption : m_reverbCaption; }
    bool markOf(int index) const;

    void controllerKnobChanged(int index, int value) override;
    void controllerMarkChanged(int index, bool overridden) override;

protected:
    int dragModeOf(int index) const override;
    int valueAtPress(int index) const override;
    int pressLeft(int index) override;
    void pressRight(int index) override;
    int dragValue(int index, int start, double distance, const KeyMods &mods) const override;
    void dragged(int index, int value) override;
    void released(int index, int value) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();
    QRect frameRect(bool chorus) const;

    EffectControls m_controls;
    std::array<int, kEffectControlCount> m_shown{};
    std::array<QLabel *, kEffectControlCount> m_names{};
    std::array<QLabel *, kEffectControlCount> m_values{};
    QLabel *m_reverbCaption = nullptr;
    QLabel *m_chorusCaption = nullptr;
};

} // namespace melorit::panels
