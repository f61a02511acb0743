#pragma once

#include "lyrics/LyricsScene.h"
#include "lyrics/LyricsWindowHost.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace melorit::lyrics {

class VueOpenGL;

// The lyrics window: solid 3-D lyrics of the playing song, redrawn every
// 10 ms, zoomed with the numeric keypad. Closing it hides it; it is only
// deleted at shutdown (after Unload) or when OpenGL cannot run. UI thread.
class OGLWin : public QWidget {
    Q_OBJECT
public:
    // Caption, colours and zoom, stored size, then the OpenGL check.
    explicit OGLWin(LyricsWindowHost host, QWidget *parent = nullptr);
    ~OGLWin() override;

    // False when OpenGL cannot run here (the user has been told): the owner
    // deletes the window and the program goes on without it.
    bool openGLReady() const { return m_ready; }

    void EffaceLyrics();
    void DisplayLyrics(int markIndex);
    void LoadLanguage();
    // The window moved: keeps its offset from the main window.
    void MemoPosition();
    // Before the window is deleted at shutdown: stores its size.
    void Unload();
    // One tick of the 10 ms timer.
    void Timer1_Timer();

    // Shows a strip under the lyrics (the pitch lane of a singer's scoring);
    // the window takes it over. Its owner shows and hides it.
    void setLane(QWidget *lane);

    LyricsScene &scene() { return m_scene; }
    VueOpenGL *view() const { return m_view; }

Q_SIGNALS:
    // The user closed the window: it is hidden now.
    void hiddenByUser();
    // The rendering context turned out unusable after all.
    void openGLFailed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    QString songSettingsFile() const;
    void applyStoredSize();

    LyricsWindowHost m_host;
    LyricsScene m_scene;
    VueOpenGL *m_view = nullptr;
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    bool m_ready = false;
    bool m_wasListening = false;
    bool m_unloaded = false;
};

// The virtual key code of a key press as the zoom keys know it (keypad 0 to
// 9: 96 to 105, keypad plus 107, keypad minus 109); -1 for other keys.
int zoomKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace melorit::lyrics
