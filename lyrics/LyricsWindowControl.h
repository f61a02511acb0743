#pragma once

#include "lyrics/LyricsWindowHost.h"

#include <QObject>
#include <QPointer>

namespace melorit::lyrics {

class OGLWin;

// The main window's hold on the lyrics window: creates it on first use,
// shows and hides it with the lyrics button, forwards the player's calls.
// When OpenGL cannot run here the window is given up once and for all, and
// the program goes on without lyrics display. UI thread.
class LyricsWindowControl : public QObject {
    Q_OBJECT
public:
    explicit LyricsWindowControl(LyricsWindowHost host, QObject *parent = nullptr);
    ~LyricsWindowControl() override;

    // The window, created first if needed; nullptr when OpenGL failed.
    OGLWin *window();
    bool windowExists() const { return !m_window.isNull(); }

    // Shows (true) or hides (false) the window and draws the lyrics button
    // on or off. The flag also clears when the user closes the window.
    void LyricsShow(bool show);
    bool lyricsShown() const { return m_shown; }

    // The player's calls: a new song or a jump, a lyric event reached.
    void EffaceLyrics();
    void DisplayLyrics(int markIndex);

    // Shutdown: the window stores its size and goes.
    void unload();

private:
    void giveUp();

    LyricsWindowHost m_host;
    QPointer<OGLWin> m_window;
    bool m_shown = false;
    bool m_failed = false;
};

} // namespace melorit::lyrics
