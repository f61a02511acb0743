#pragma once

#include "playlist/FileChooser.h"
#include "playlist/PlaylistLines.h"

#include <QWidget>

#include <array>
#include <memory>

class QTreeView;

namespace melorit::skins {
class PictureButton;
class SkinSet;
} // namespace melorit::skins

namespace melorit::songlist {
class SongList;
} // namespace melorit::songlist

namespace melorit::playlist {

class PlaylistHost;

// The playlist window: the songs of the playlist, one line each with the
// current-song mark and the singer's name (edited in place), and seven skin
// buttons for the playlist commands. It
// is a secondary window of the main window: closing it hides it (unless the
// program is shutting down) and its offset from the main window is kept.
// UI thread.
class PlaylistWindow : public QWidget {
    Q_OBJECT
public:
    // The window shows `songs` and follows its changes. Without a chooser
    // the desktop's file dialogs are used.
    PlaylistWindow(songlist::SongList &songs, PlaylistHost &host, const skins::SkinSet &skins,
                   FileChooser *chooser = nullptr, QWidget *parent = nullptr);
    ~PlaylistWindow() override;

    // --- the list
    // Appends the line of a song (unmarked).
    void PlayListAdd(const QString &path);
    // Moves the current-song mark to a 1-based line; 0 only removes it.
    void PlayListSelect(int line);
    int MarkedLine() const { return m_lines.markedLine(); }
    const PlaylistLines &lines() const { return m_lines; }
    QTreeView *PlayListe() const { return m_list; }

    // --- the buttons 48 to 54
    skins::PictureButton *PicSM(int index) const;
    // Shows a button in a state: 0 up, 1 down; for the repeat button 54 the
    // repeat mode (0 off, 2 this song, 1 or 3 the whole list).
    void DrawSM(int button, int state);
    // Every button up.
    void DispMiscButtons();

    // Caption, button tips and file dialog texts from the language file.
    void LoadLanguage();
    // The window moved: keeps its offset from the main window.
    void MemoPosition();

    // --- the commands
    void Action_LoadList();
    void Action_SaveList();
    // Adds songs chosen by the user; with playNow the first of them becomes
    // the current song. False when the user chose nothing.
    bool Action_Plus(bool playNow);
    void Action_Moins();
    void Action_Poubelle();
    void Action_Shuffle();
    void Action_PlayIt();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildList();
    void buildButtons();
    void followSongs();
    void rebuildLines();
    void songAdded(const QString &path);
    void showState(int button, int state);
    void buttonPressed(int index);
    void buttonReleased(int index, Qt::MouseButton button, bool inside,
                        Qt::KeyboardModifiers modifiers);
    void runButton(int index, Qt::KeyboardModifiers modifiers);
    QList<int> selectedLines() const;
    QString listFilter(const QString &languageFilter) const;
    void rememberFolder(QString &folder, QLatin1StringView section, const QString &file);

    songlist::SongList &m_songs;
    PlaylistHost &m_host;
    const skins::SkinSet &m_skins;
    std::unique_ptr<FileChooser> m_ownChooser;
    FileChooser *m_chooser;
    PlaylistLines m_lines;
    QTreeView *m_list = nullptr;
    std::array<skins::PictureButton *, 7> m_buttons{};
    // The repeat mode the repeat button was last drawn with by DrawSM: a
    // release outside the pressed button shows it again.
    int m_repeatState = 0;

    // Texts of the file dialogs, kept by LoadLanguage.
    QString m_loadFilter, m_loadTitle, m_saveFilter, m_saveTitle, m_songFilter, m_songTitle;
    QString m_extensions; // "mid,kar": lower case, from "Main"/"Extmid"
    QString m_listFolder; // ListFolder ("Lst"/"Path")
    QString m_songFolder; // SongFolder ("Mid"/"Path")
};

} // namespace melorit::playlist
