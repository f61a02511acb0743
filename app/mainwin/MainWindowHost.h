#pragma once

#include <QString>
#include <QStringList>

namespace melorit::mainwin {

// What the main window asks of the program around it: the commands that
// reach the secondary windows and dialogs, drops, moves and shutdown. The
// program implements it; the tests record the calls. UI thread.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;

    // The language file in use (full path).
    virtual QString languageFile() const = 0;
    // True from the moment the program shuts down.
    virtual bool closingDown() const = 0;

    // Button 37: stop, add songs through the playlist window's file dialog
    // (the first added becomes current), play.
    virtual void Action_Open() = 0;
    // Button 38 and F1: the about box.
    virtual void Action_Help() = 0;
    // Buttons 40, 41, 46, 47: show or hide a secondary window; the host
    // writes its "Show" key and has the main window redraw the button.
    virtual void Action_Reglage() = 0;
    virtual void Action_Reverb() = 0;
    virtual void Action_Lyrics() = 0;
    virtual void Action_Playlist() = 0;
    // Button 43: the options dialog.
    virtual void Action_Setup() = 0;
    // Button 49 and the window's close: the orderly shutdown.
    virtual void QuitProgram() = 0;

    // Files dropped on the main window (songs and SoundFonts by extension).
    virtual void GereDrop(const QStringList &paths) = 0;

    // The main window moved (MemoPosition): the secondary windows follow by
    // their offsets and the position is stored.
    virtual void mainWindowMoved() = 0;

    // The SoundFont status text, refreshed every fourth clock tick, for the
    // options dialog.
    virtual void fontStatusChanged(const QString &text) = 0;
};

} // namespace melorit::mainwin
