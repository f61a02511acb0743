#include "lyrics/LyricsWindowControl.h"

#include "lyrics/OGLWin.h"

namespace melorit::lyrics {

LyricsWindowControl::LyricsWindowControl(LyricsWindowHost host, QObject *parent)
    : QObject(parent), m_host(std::move(host))
{
}

LyricsWindowControl::~LyricsWindowControl()
{
    delete m_window.data();
}

OGLWin *LyricsWindowControl::window()
{
    if (m_window || m_failed) {
        return m_window.data();
    }
    auto *window = new OGLWin(m_host);
    if (!window->openGLReady()) {
        delete window;
        m_failed = true;
        return nullptr;
    }
    m_window = window;
    connect(window, &OGLWin::hiddenByUser, this, [this] { m_shown = false; });
    connect(window, &OGLWin::openGLFailed, this, &LyricsWindowControl::giveUp,
            Qt::QueuedConnection);
    return window;
}

void LyricsWindowControl::giveUp()
{
    m_failed = true;
    m_shown = false;
    if (m_host.drawLyricsButton) {
        m_host.drawLyricsButton(false);
    }
    if (m_window) {
        m_window->hide();
        m_window->deleteLater();
    }
    m_window = nullptr;
}

void LyricsWindowControl::LyricsShow(bool show)
{
    m_shown = show;
    if (m_host.drawLyricsButton) {
        m_host.drawLyricsButton(show);
    }
    OGLWin *w = window();
    if (!w) {
        return;
    }
    if (show) {
        w->show();
    } else {
        w->hide();
    }
}

void LyricsWindowControl::EffaceLyrics()
{
    if (OGLWin *w = window()) {
        w->EffaceLyrics();
    }
}

void LyricsWindowControl::DisplayLyrics(int markIndex)
{
    if (OGLWin *w = window()) {
        w->DisplayLyrics(markIndex);
    }
}

void LyricsWindowControl::unload()
{
    if (!m_window) {
        return;
    }
    m_window->Unload();
    delete m_window.data();
    m_window = nullptr;
}

} // namespace melorit::lyrics
