// The main window's commands: the picture buttons, F1, the close box and
// files dropped on the window.
#include "app/mainwin/frmRovuRodu.h"

#include "engine/Player.h"
#include "skins/ButtonFrames.h"
#include "skins/PictureButton.h"
#include "skins/Skins.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QTimer>

namespace melorit::mainwin {

namespace {
constexpr int kMinimiseButton = 50;
// What a conversion refuses: previous, next, play, record, open.
constexpr int kLockedButtons[] = {32, 34, 35, 36, 37};
} // namespace

void frmRovuRodu::statusShown(const QString &text)
{
    m_statusText = text;
    // A path keeps its two ends: the folder's start and the file's name.
    m_lblStatus->setText(
        m_lblStatus->fontMetrics().elidedText(text, Qt::ElideMiddle, m_lblStatus->width()));
    m_lblStatus->setToolTip(text);
    if (text.isEmpty()) {
        m_statusTimer->stop();
    } else {
        m_statusTimer->start();
    }
}

void frmRovuRodu::transportLocked(bool locked)
{
    for (const int button : kLockedButtons) {
        m_picSM[static_cast<std::size_t>(button)]->setDimmed(locked);
    }
}

void frmRovuRodu::picSM_pressed(int index, Qt::MouseButton button)
{
    if (index < skins::kFirstCommandButton) {
        m_player.mixer().PicSM_MouseDown(button == Qt::RightButton    ? engine::MouseButton::Right
                                         : button == Qt::MiddleButton ? engine::MouseButton::Middle
                                                                      : engine::MouseButton::Left);
        return;
    }
    if (button != Qt::LeftButton) {
        return;
    }
    // The pressed picture while the button is held; the resting state stays
    // recorded for the release.
    if (const auto frame = skins::mainButtonFrame(index, 1)) {
        m_picSM[static_cast<std::size_t>(index)]->setPicture(skins::framePixmap(m_skins, *frame));
    }
}

void frmRovuRodu::picSM_released(int index, Qt::MouseButton button, bool inside)
{
    if (index < skins::kFirstCommandButton) {
        if (inside) {
            m_player.mixer().PicSM_Click(index);
        }
        return;
    }
    if (button != Qt::LeftButton) {
        return;
    }
    DrawSM(index, buttonState(index));
    if (inside) {
        runCommand(index);
    }
}

void frmRovuRodu::runCommand(int index)
{
    switch (index) {
    case 32:
        m_player.Action_Prev();
        break;
    case 33:
        m_player.Action_Stop();
        break;
    case 34:
        m_player.Action_Next();
        break;
    case 35:
        m_player.Action_Play();
        break;
    case 36:
        m_player.Action_Record();
        break;
    case 37:
        m_host.Action_Open();
        break;
    case 38:
        m_host.Action_Help();
        break;
    case 39:
        Action_Punch();
        break;
    case 40:
        m_host.Action_Reglage();
        break;
    case 41:
        m_host.Action_Reverb();
        break;
    case 42:
        m_player.Action_Repeat();
        break;
    case 43:
        m_host.Action_Setup();
        break;
    case 44:
        Action_PunchIn();
        break;
    case 45:
        Action_PunchOut();
        break;
    case 46:
        m_host.Action_Lyrics();
        break;
    case 47:
        m_host.Action_Playlist();
        break;
    case 48:
        m_player.ChangeSF2();
        break;
    case 49:
        m_host.QuitProgram();
        break;
    case kMinimiseButton:
        showMinimized();
        break;
    default:
        break;
    }
}

void frmRovuRodu::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && !event->isAutoRepeat()) {
        m_host.Action_Help();
        return;
    }
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        m_player.Action_Pause();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void frmRovuRodu::closeEvent(QCloseEvent *event)
{
    // Closing the window (the system's close, Alt+F4) is quitting the program;
    // the program closes it itself while it shuts down.
    if (m_host.closingDown()) {
        stopClock();
        event->accept();
        return;
    }
    event->ignore();
    m_host.QuitProgram();
}

void frmRovuRodu::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void frmRovuRodu::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile());
        }
    }
    if (paths.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    m_host.GereDrop(paths);
}

} // namespace melorit::mainwin
