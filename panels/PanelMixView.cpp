#include "panels/PanelMixView.h"

#include "engine/ControllerTable.h"

namespace melorit::panels {

ControllerDisplay *PanelMixView::panelOf(int index) const
{
    if (engine::isGlobalIndex(index)) {
        return m_effects;
    }
    return engine::isValidIndex(index) ? m_channels : nullptr;
}

void PanelMixView::soloMuteButtonChanged(int button, int state)
{
    if (m_main != nullptr) {
        m_main->soloMuteButtonChanged(button, state);
    }
}

void PanelMixView::mixerControlChanged(int control, int value, const QString &tip)
{
    if (m_main != nullptr) {
        m_main->mixerControlChanged(control, value, tip);
    }
}

void PanelMixView::tempoReadoutChanged(const QString &text, int glyphRow)
{
    if (m_main != nullptr) {
        m_main->tempoReadoutChanged(text, glyphRow);
    }
}

void PanelMixView::gainCaptionChanged(const QString &caption)
{
    if (m_main != nullptr) {
        m_main->gainCaptionChanged(caption);
    }
}

void PanelMixView::tempoRatioCommitted(double tempoRatio)
{
    if (m_main != nullptr) {
        m_main->tempoRatioCommitted(tempoRatio);
    }
}

// The main window may draw the knobs too (a summary); it hears of them after
// the panel that owns them.
void PanelMixView::controllerKnobChanged(int index, int value)
{
    if (ControllerDisplay *panel = panelOf(index)) {
        panel->controllerKnobChanged(index, value);
    }
    if (m_main != nullptr) {
        m_main->controllerKnobChanged(index, value);
    }
}

void PanelMixView::controllerMarkChanged(int index, bool overridden)
{
    if (ControllerDisplay *panel = panelOf(index)) {
        panel->controllerMarkChanged(index, overridden);
    }
    if (m_main != nullptr) {
        m_main->controllerMarkChanged(index, overridden);
    }
}

} // namespace melorit::panels
