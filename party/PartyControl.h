#pragma once

#include "party/LyricsLook.h"
#include "party/PartyCards.h"
#include "party/PartyHost.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QScreen;

namespace melorit::lyrics {
class OGLWin;
} // namespace melorit::lyrics

namespace melorit::party {

class FullScreenLyrics;
class PartyOverlay;

// The party screen over the lyrics window: the lyrics full screen on the
// chosen screen (kept in "Lyrics"/"FullScreen" when the user toggles it),
// the look chosen in the options (font, colours), the text fitted to the
// screen's width while full screen, and the cards. UI thread.
class PartyControl : public QObject {
    Q_OBJECT
public:
    explicit PartyControl(PartyHost host, QObject *parent = nullptr);
    ~PartyControl() override;

    // Takes the lyrics window in hand (nullptr: there is none). A stored
    // full screen applies when the window shows.
    void attach(lyrics::OGLWin *window);

    bool fullScreen() const;
    // Full screen or back, without storing it (the command line's
    // --lyrics-fullscreen, the options dialog's check box stores it itself).
    void setFullScreen(bool on);
    // The look, the chosen screen and "FullScreen" read again.
    void reloadSettings();
    // Before the window is unloaded: back to its own place and size, which
    // it stores; "FullScreen" stays as it is.
    void unload();

    // The screen the full-screen lyrics go to now.
    QScreen *chosenScreen() const;
    FullScreenLyrics *fullScreenLyrics() const { return m_fullScreen.get(); }
    const PartyOverlay *overlay() const { return m_overlay.get(); }
    const LyricsLook &look() const { return m_look; }

Q_SIGNALS:
    // Before the window goes full screen and after it is back: the program
    // no longer moves it along with the main window meanwhile.
    void fullScreenChanged(bool on);
    // The user toggled full screen on the lyrics window; "FullScreen" is
    // stored.
    void fullScreenStored(bool on);

private:
    CardState cardState(bool playing, std::int64_t tick) const;
    SongCard songCard(int current) const;
    void applyLook();
    void repaint();
    void followSongs();
    void followScreens();

    PartyHost m_host;
    QPointer<lyrics::OGLWin> m_window;
    std::unique_ptr<PartyOverlay> m_overlay;
    std::unique_ptr<FullScreenLyrics> m_fullScreen;
    LyricsLook m_look;
    // The window is full screen whenever it shows.
    bool m_wanted = false;
};

} // namespace melorit::party
