#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace melorit::songlist {

class SongList;

// The playlist as the last run left it: its songs with their singers in a
// list file of the configuration folder ("Playlist.m3u", the format of any
// saved list) and the current song's number under "PlayList"/"Current" of the
// configuration. Every change is written on the next turn of the event loop
// (a list loaded song by song is written once), and `save` writes at once
// for the shutdown. UI thread.
class PlaylistMemory : public QObject {
    Q_OBJECT
public:
    // The list file in the configuration folder (beside Melorit.ini).
    static QString defaultFile();

    PlaylistMemory(SongList &songs, QString listFile);

    // Appends the remembered songs and makes the remembered current song
    // current again (marked, not played); true when a list was found.
    bool restore();
    // Writes from now on after every change.
    void keep();
    void save();

private:
    SongList &m_songs;
    QString m_file;
    QTimer m_pending;
};

} // namespace melorit::songlist
