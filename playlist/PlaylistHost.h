#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

namespace melorit::playlist {

// What the playlist window asks of the main window. The main window
// implements it; the tests record the calls. UI thread.
class PlaylistHost {
public:
    virtual ~PlaylistHost() = default;

    // The language file in use (full path).
    virtual QString languageFile() const = 0;

    // Plays the song on the given 1-based line of the list.
    virtual void Action_PlaySelected(int line) = 0;
    // The repeat command; it redraws the window's repeat button itself
    // (PlayList::DrawSM(54, mode)).
    virtual void Action_Repeat() = 0;
    // Files dropped onto the window: the main window's drop handling adds
    // them (songs) or loads them (SoundFonts).
    virtual void GereDrop(const QStringList &paths) = 0;

    // True from the moment the program shuts down: closing then really closes.
    virtual bool closingDown() const = 0;
    // The user closed the window, which is now hidden: the main window draws
    // its playlist button off.
    virtual void playlistHiddenByUser() = 0;

    // True while the main window moves its secondary windows along with
    // itself; their moves then keep their offsets.
    virtual bool movingSecondaryWindows() const = 0;
    // The main window's top-left corner (frame included), in pixels.
    virtual QPoint mainWindowPos() const = 0;
    // The window's new offset from the main window, in twips, for the main
    // window to move it along.
    virtual void setPlaylistOffset(QPoint offsetTwips) = 0;
};

} // namespace melorit::playlist
