#pragma once

#include "songlist/ListFile.h"
#include "songlist/VbRandom.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

namespace melorit::songlist {

// The songs the player works through (`SongList`, 1-based) and the current
// index (`CurrentSong`, 0 = none; above the count once the list has been
// played through). The mark is the current-song mark of the playlist window;
// it follows `CurrentSong` except while an edit clears it. Each entry may
// name its singer; the name stays with the entry through every edit.
class SongList : public QObject {
    Q_OBJECT
public:
    // Shuffles follow a random series per run; tests pass a seed to repeat one.
    explicit SongList(QObject *parent = nullptr);
    SongList(std::uint32_t shuffleSeed, QObject *parent = nullptr);

    int count() const { return static_cast<int>(m_songs.size()); }
    const QStringList &songs() const { return m_songs; }
    // 1-based; "" outside the list.
    QString song(int index) const;
    // Who sings the entry, 1-based; "" for nobody named or outside the list.
    QString singer(int index) const;
    // Names the singer of an entry (cleaned to one line; "" for nobody).
    void setSinger(int index, const QString &name);
    QList<ListEntry> entries() const;

    int CurrentSong() const { return m_current; }
    void setCurrentSong(int index);
    int mark() const { return m_mark; }
    // Moves the mark to `CurrentSong` (PlayListSelect).
    void selectCurrent();

    // The shared add operation.
    void addSong(const QString &path, const QString &singer = {});

    // Appends chosen songs; with playNow the first of them becomes current,
    // otherwise the first song of the list does when none is current.
    void addSongs(const QStringList &paths, bool playNow);

    // Appends the entries of list files in order; false (and no change for
    // that file) when one cannot be read.
    bool loadLists(const QStringList &listFiles);
    bool saveList(const QString &listFile) const;

    // Removes the entries at the given 1-based rows (Action_Moins).
    void removeRows(QList<int> rows);
    // Removes everything (Action_Poubelle).
    void clear();
    // Exchanges each position i with a random position j, itself included
    // (Action_Shuffle); the current song keeps its mark.
    void shuffle();

Q_SIGNALS:
    // A song was appended at the end (PlayListAdd).
    void songAdded(const QString &path);
    // The singer of a 1-based entry changed.
    void singerChanged(int index);
    // Rows were removed, exchanged or cleared: views rebuild.
    void listChanged();
    // The current-song mark moved (0 = none).
    void markMoved(int mark);
    // The list or the current index changed: the main window refreshes its title.
    void titleChanged();

private:
    void makeFirstCurrentIfNone();
    void exchange(int i, int j);

    QStringList m_songs;
    QStringList m_singers; // one per song
    int m_current = 0;
    int m_mark = 0;
    VbRandom m_random;
};

} // namespace melorit::songlist
