#pragma once

#include "engine/MixView.h"

// Routing the mixer's announcements: the controller knobs to the two panels
// (indices 0-111 to the channel panel, 112-122 to the effects panel), every
// other announcement to the main window's view. The mixer has one view; the
// player gives it this one. UI thread.
namespace melorit::panels {

// A window that shows controller knobs.
class ControllerDisplay {
public:
    virtual ~ControllerDisplay() = default;
    // `DrawKnob`: the knob shows this value.
    virtual void controllerKnobChanged(int index, int value) = 0;
    // The knob's override mark (its tag's second digit) is set or cleared.
    virtual void controllerMarkChanged(int index, bool overridden) = 0;
};

class PanelMixView final : public engine::MixView {
public:
    explicit PanelMixView(engine::MixView *mainView = nullptr) : m_main(mainView) {}

    void setMainView(engine::MixView *view) { m_main = view; }
    void setChannelPanel(ControllerDisplay *panel) { m_channels = panel; }
    void setEffectsPanel(ControllerDisplay *panel) { m_effects = panel; }

    void soloMuteButtonChanged(int button, int state) override;
    void mixerControlChanged(int control, int value, const QString &tip) override;
    void tempoReadoutChanged(const QString &text, int glyphRow) override;
    void gainCaptionChanged(const QString &caption) override;
    void controllerKnobChanged(int index, int value) override;
    void controllerMarkChanged(int index, bool overridden) override;
    void tempoRatioCommitted(double tempoRatio) override;

private:
    ControllerDisplay *panelOf(int index) const;

    engine::MixView *m_main;
    ControllerDisplay *m_channels = nullptr;
    ControllerDisplay *m_effects = nullptr;
};

} // namespace melorit::panels
