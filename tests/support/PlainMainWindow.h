#pragma once

#include "app/mainwin/MainWindowHost.h"
#include "engine/MixView.h"
#include "engine/PlayerView.h"

#include <QWidget>

#include <map>
#include <vector>

namespace melorit::program {

// A main window without the mixer and the transport: it shows the caption,
// keeps the state each command button was last drawn in, follows moves and
// closes through the program. The program tests run the program with it, to
// test start-up, the secondary windows and shutdown apart from the skinned
// main window. UI thread.
class PlainMainWindow final : public QWidget, public engine::PlayerView, public engine::MixView {
    Q_OBJECT
public:
    explicit PlainMainWindow(mainwin::MainWindowHost &host, QWidget *parent = nullptr);

    void LoadLanguage();
    void DrawSM(int button, int state);
    void DispMiscButtons();
    void startClock() {}
    void stopClock() {}
    // The state a button was last drawn in; -1 when it never was.
    int buttonState(int button) const;
    int drawCount(int button) const;

    void captionChanged(const QString &caption) override;
    void statusShown(const QString &text) override { statuses.push_back(text); }
    // What the status area was given to show, in order.
    std::vector<QString> statuses;

    void soloMuteButtonChanged(int, int) override {}
    void mixerControlChanged(int, int, const QString &) override {}
    void tempoReadoutChanged(const QString &, int) override {}
    void gainCaptionChanged(const QString &) override {}
    void controllerKnobChanged(int, int) override {}
    void controllerMarkChanged(int, bool) override {}
    void tempoRatioCommitted(double) override {}

protected:
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    mainwin::MainWindowHost &m_host;
    std::map<int, int> m_states;
    std::map<int, int> m_draws;
};

} // namespace melorit::program
