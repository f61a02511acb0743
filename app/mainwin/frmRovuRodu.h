#pragma once

#include "app/mainwin/MainWindowHost.h"
#include "app/mainwin/Meters.h"
#include "engine/MixView.h"
#include "engine/PlayerView.h"

#include <QPoint>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QSocketNotifier;
class QTimer;

namespace trackel {
class ucxSlider;
} // namespace trackel

namespace melorit::engine {
class Player;
} // namespace melorit::engine

namespace melorit::skins {
class FramePicture;
class PictureButton;
class SkinSet;
} // namespace melorit::skins

namespace melorit::mainwin {

class MarkerBar;
class MixPicture;
class ScopeBox;

// The main window: a frameless, skinned window dragged by any point, with
// the command buttons 32-50, the mixer (16 channel strips with fader, solo,
// mute and activity lamp, the gain fader, the transposition knob, the tempo
// read-out), the position slider between the two marker buttons, the clock,
// the oscilloscope, the clipping lamp and the level meter.
//
// It draws what the player and the mixer announce (it is their view; the
// program wires it, through the panels' router for the mixer), sends the
// pointer to the mixer's rules, runs the transport and marker commands with
// the player, and asks the program for everything that reaches another
// window. UI thread.
class frmRovuRodu : public QWidget, public engine::PlayerView, public engine::MixView {
    Q_OBJECT
public:
    static constexpr int kClockInterval = 100; // ms
    static constexpr int kSliderMax = 10000;
    // How long a message stays in the status line.
    static constexpr int kStatusMillis = 6000;

    frmRovuRodu(engine::Player &player, const skins::SkinSet &skins, MainWindowHost &host,
                QWidget *parent = nullptr);
    ~frmRovuRodu() override;

    // Section "Main" of the language file: caption, tooltips, labels.
    void LoadLanguage();
    // Draws a picture button (0-50) in a state (see skins::mainButtonFrame).
    void DrawSM(int button, int state);
    // The command buttons 32-50 in state 0.
    void DispMiscButtons();
    // Draws every mixer control from the mixer's state.
    void showMixer();

    // `tmrRovuRodu`: the 100 ms clock.
    void startClock();
    void stopClock();
    bool clockRunning() const;
    bool batchTimerRunning() const;
    // One tick: syncs and watcher redraws, meters, slider, time, font status.
    void tmrRovuRodu_Timer();

    // The markers on the position bar; with relayout the slider is placed
    // again even when the marker buttons are already shown.
    void AfficherMarqueurs(bool relayout);
    // Marker commands (buttons 39, 44, 45).
    void Action_Punch();
    void Action_PunchIn();
    void Action_PunchOut();

    // --- engine::PlayerView
    void captionChanged(const QString &caption) override;
    void transportButtonChanged(int button, int state) override;
    void repeatModeChanged(int mode) override;
    void metersReleased() override;
    void timeLabelsShown(bool listening) override;
    void markersChanged(const engine::Markers &markers, double tempoRatio, bool relayout) override;
    void timeSliderReset(const QString &timeText) override;
    void batchTimerChanged(bool enabled) override;
    void statusShown(const QString &text) override;
    void transportLocked(bool locked) override;

    // --- engine::MixView
    void soloMuteButtonChanged(int button, int state) override;
    void mixerControlChanged(int control, int value, const QString &tip) override;
    void tempoReadoutChanged(const QString &text, int glyphRow) override;
    void gainCaptionChanged(const QString &caption) override;
    void controllerKnobChanged(int index, int value) override;
    void controllerMarkChanged(int index, bool overridden) override;
    void tempoRatioCommitted(double tempoRatio) override;

    // --- what the window shows, for the program and the tests
    skins::PictureButton *picSM(int index) const;
    int buttonState(int index) const;
    MixPicture *potard(int index) const;
    skins::FramePicture *picJ(int channel) const;
    skins::FramePicture *clipLed() const { return m_clipLed; }
    skins::FramePicture *ledMeter(int side) const { return m_ledMeter[side == 0 ? 0 : 1]; }
    ScopeBox *scopeBox(int side) const { return m_scope[side == 0 ? 0 : 1]; }
    trackel::ucxSlider *sldPosition() const { return m_slider; }
    MarkerBar *markerBar() const { return m_markerBar; }
    QLabel *lblTitle() const { return m_lblTitle; }
    QLabel *lblEncodage() const { return m_lblEncodage; }
    // The status line; its full text (the label may show it shortened).
    QLabel *lblStatus() const { return m_lblStatus; }
    const QString &statusText() const { return m_statusText; }
    QLabel *LabelGain() const { return m_labelGain; }
    QLabel *label(const QString &name) const;
    ChannelActivity &activity() { return *m_activity; }
    const LevelHold &levelHold() const { return m_hold; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildControls();
    void buildLabels();
    void showCaption(const QString &caption);
    QLabel *addLabel(const QString &name, const QRect &geometry, Qt::Alignment alignment);
    void picSM_pressed(int index, Qt::MouseButton button);
    void picSM_released(int index, Qt::MouseButton button, bool inside);
    void runCommand(int index);
    void potardDown(int index, Qt::MouseButton button, QPoint at);
    void potardMove(int index, QPoint at);
    void potardUp(int index);
    void sldPosition_MouseDown();
    void sldPosition_MouseUp();
    void askMarker(bool start);
    void showMarkersOnBar();
    void installNoteWatcher();

    // Meters, in the clock's order.
    void DrawScope();
    void DrawClipLed();
    void DrawVuMeters();
    void DrawMeters();

    engine::Player &m_player;
    const skins::SkinSet &m_skins;
    MainWindowHost &m_host;

    std::array<skins::PictureButton *, 51> m_picSM{};
    std::array<int, 51> m_buttonStates{};
    std::array<MixPicture *, 19> m_potard{};
    std::array<skins::FramePicture *, 16> m_picJ{};
    std::array<skins::FramePicture *, 2> m_ledMeter{};
    std::array<ScopeBox *, 2> m_scope{};
    skins::FramePicture *m_clipLed = nullptr;
    trackel::ucxSlider *m_slider = nullptr;
    MarkerBar *m_markerBar = nullptr;
    // The markers' places on the bar (0..1) and the song they were found for.
    struct BarMarks {
        QString song;
        std::optional<double> start;
        std::optional<double> end;
    } m_barMarks;
    QLabel *m_caption = nullptr;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblEncodage = nullptr;
    QLabel *m_labelGain = nullptr;
    QLabel *m_labelTranspose = nullptr;
    QLabel *m_lblStatus = nullptr;
    QString m_statusText;
    QTimer *m_statusTimer = nullptr;
    QTimer *m_clock = nullptr;
    QTimer *m_batchTimer = nullptr;
    QSocketNotifier *m_syncNotifier = nullptr;

    // Shared with the note watcher of the current stream, which may outlive
    // the window by a moment at shutdown.
    std::shared_ptr<ChannelActivity> m_activity;
    LevelHold m_hold;
    ClipLamp m_clip;

    std::optional<QPoint> m_dragOffset;
};

} // namespace melorit::mainwin
