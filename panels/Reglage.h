#pragma once

#include "panels/ChannelControls.h"
#include "panels/PanelWindow.h"

#include <array>

class QLabel;

namespace melorit::panels {

// The channel settings panel: for each of the 16 channels the volume, pan,
// reverb send, chorus send, program, bank and drum mode in effect, each
// drawn from the skin with its override mark, taken over, stepped, dragged
// and given back with the mouse. The title shows a control's text while it
// is clicked or dragged. UI thread.
class Reglage : public PanelWindow {
    Q_OBJECT
public:
    explicit Reglage(PanelHost host, QWidget *parent = nullptr);

    void LoadLanguage();
    // `DrawKnob`: the control shows a value (the title shows its text too
    // when `showInTitle`). A drum-mode control redraws its channel's bank
    // and program displays, which depend on it.
    void DrawKnob(int index, int value, bool showInTitle = false);
    // Every control drawn again with the value in effect and its mark (a new
    // SoundFont changes the tips).
    void redrawAll();
    // The preset name of a bank and program (-1: the channel's own).
    QString TipPreset(int channel, int bank = -1, int program = -1) const;

    // The window's normal title (the language caption).
    const QString &caption() const { return m_caption; }
    // The value a control was last drawn with.
    int shownValue(int index) const;
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
    void afterPress(int index, Qt::MouseButton button) override;
    void afterRelease() override;
    bool turnsWithWheel(int index) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();
    // Draws one control without its partners; false when there is none.
    bool drawOne(int index, int value, bool showInTitle);
    QRect rowBand(int row) const;

    ChannelControls m_controls;
    QString m_caption;
    std::array<int, kChannelControlCount> m_shown{};
    std::array<QLabel *, 7> m_rowLabels{};
    std::array<QLabel *, 16> m_channelLabels{};
};

} // namespace melorit::panels
