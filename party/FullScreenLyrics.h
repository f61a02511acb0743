#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <functional>

class QScreen;
class QWidget;

namespace melorit::party {

// Puts a window full screen on a chosen screen and back to its own place:
// F11 or a double click toggles, Escape leaves. Over the full-screen window
// the mouse pointer hides once it has stood still for two seconds. The
// window itself is not changed otherwise: this object watches its events.
// UI thread.
class FullScreenLyrics : public QObject {
    Q_OBJECT
public:
    static constexpr int kHidePointerMs = 2000;

    // `screen` names the screen to go to, asked each time.
    FullScreenLyrics(QWidget *window, std::function<QScreen *()> screen, QObject *parent = nullptr);

    bool isFullScreen() const { return m_on; }
    // Full screen on the chosen screen. A hidden window goes there when it
    // shows.
    void enter();
    // Back to the place and size the window had.
    void leave();
    // Already full screen: over to the chosen screen, if it is another.
    void followScreenChoice();
    void setHidePointerDelay(int milliseconds) { m_hidePointer.setInterval(milliseconds); }
    bool pointerHidden() const;

Q_SIGNALS:
    // Before the window goes full screen, and after it is back.
    void fullScreenChanged(bool on);
    // The user toggled with F11, a double click or Escape.
    void toggledByUser(bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QObject *object);
    void userToggle();
    void placeOn(QScreen *screen);
    void moveTo(QScreen *screen, const QRect &geometry);
    void hidePointer();
    void showPointer();

    QPointer<QWidget> m_window;
    std::function<QScreen *()> m_screen;
    QPointer<QScreen> m_normalScreen;
    QRect m_normalGeometry;
    QTimer m_hidePointer;
    bool m_on = false;
};

} // namespace melorit::party
