#include "party/FullScreenLyrics.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

namespace melorit::party {

FullScreenLyrics::FullScreenLyrics(QWidget *window, std::function<QScreen *()> screen,
                                   QObject *parent)
    : QObject(parent), m_window(window), m_screen(std::move(screen))
{
    m_hidePointer.setSingleShot(true);
    m_hidePointer.setInterval(kHidePointerMs);
    connect(&m_hidePointer, &QTimer::timeout, this, &FullScreenLyrics::hidePointer);
    if (m_window) {
        watch(m_window);
    }
}

// Keys reach the window, the pointer and double clicks the widget under it:
// the window and everything in it are watched, also what comes later (a
// pitch lane).
void FullScreenLyrics::watch(QObject *object)
{
    object->installEventFilter(this);
    if (auto *widget = qobject_cast<QWidget *>(object)) {
        widget->setMouseTracking(true);
    }
    for (QObject *child : object->children()) {
        if (child->isWidgetType()) {
            watch(child);
        }
    }
}

void FullScreenLyrics::enter()
{
    if (!m_window) {
        return;
    }
    if (!m_on) {
        m_normalScreen = m_window->screen();
        m_normalGeometry = m_window->geometry();
    }
    m_on = true;
    Q_EMIT fullScreenChanged(true);
    placeOn(m_screen ? m_screen() : nullptr);
    m_hidePointer.start();
}

void FullScreenLyrics::placeOn(QScreen *screen)
{
    if (screen) {
        moveTo(screen, screen->geometry());
    }
    if (m_window->isVisible()) {
        m_window->showFullScreen();
        m_window->raise();
        m_window->activateWindow();
    } else {
        m_window->setWindowState(m_window->windowState() | Qt::WindowFullScreen);
    }
}

// A screen of the same desktop only takes a new place. Another X screen
// re-creates the native window, which then comes back hidden and forgets
// its place: the window moves while hidden and shows again.
void FullScreenLyrics::moveTo(QScreen *screen, const QRect &geometry)
{
    QScreen *current = m_window->screen();
    if (screen && current != screen && !current->virtualSiblings().contains(screen)) {
        const bool shown = m_window->isVisible();
        m_window->hide();
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowFullScreen);
        m_window->setScreen(screen);
        m_window->setGeometry(geometry);
        if (shown) {
            m_window->show();
        }
    }
    m_window->setGeometry(geometry);
}

void FullScreenLyrics::followScreenChoice()
{
    QScreen *screen = m_screen ? m_screen() : nullptr;
    if (m_on && m_window && screen && screen != m_window->screen()) {
        placeOn(screen);
    }
}

void FullScreenLyrics::leave()
{
    if (!m_on || !m_window) {
        return;
    }
    m_on = false;
    m_hidePointer.stop();
    showPointer();
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowFullScreen);
    moveTo(m_normalScreen, m_normalGeometry);
    Q_EMIT fullScreenChanged(false);
}

void FullScreenLyrics::userToggle()
{
    if (m_on) {
        leave();
    } else {
        enter();
    }
    Q_EMIT toggledByUser(m_on);
}

bool FullScreenLyrics::pointerHidden() const
{
    return m_window && m_window->cursor().shape() == Qt::BlankCursor;
}

void FullScreenLyrics::hidePointer()
{
    if (m_on && m_window) {
        m_window->setCursor(Qt::BlankCursor);
    }
}

void FullScreenLyrics::showPointer()
{
    if (m_window && pointerHidden()) {
        m_window->unsetCursor();
    }
}

bool FullScreenLyrics::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType()) {
            watch(child);
        }
        break;
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F11 && !key->isAutoRepeat()) {
            userToggle();
            return true;
        }
        if (key->key() == Qt::Key_Escape && m_on) {
            userToggle();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        userToggle();
        return true;
    case QEvent::MouseMove:
        if (m_on) {
            showPointer();
            m_hidePointer.start();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace melorit::party
