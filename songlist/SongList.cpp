#include "songlist/SongList.h"

#include "songlist/ListFile.h"

#include <QRandomGenerator>

#include <algorithm>

namespace melorit::songlist {

SongList::SongList(QObject *parent) : SongList(QRandomGenerator::global()->generate(), parent)
{
}

SongList::SongList(std::uint32_t shuffleSeed, QObject *parent)
    : QObject(parent), m_random(shuffleSeed)
{
}

QString SongList::song(int index) const
{
    return index >= 1 && index <= count() ? m_songs[index - 1] : QString();
}

QString SongList::singer(int index) const
{
    return index >= 1 && index <= count() ? m_singers[index - 1] : QString();
}

void SongList::setSinger(int index, const QString &name)
{
    const QString cleaned = cleanSingerName(name);
    if (index < 1 || index > count() || m_singers[index - 1] == cleaned) {
        return;
    }
    m_singers[index - 1] = cleaned;
    Q_EMIT singerChanged(index);
}

QList<ListEntry> SongList::entries() const
{
    QList<ListEntry> all;
    all.reserve(m_songs.size());
    for (qsizetype i = 0; i < m_songs.size(); ++i) {
        all.append({m_songs[i], m_singers[i]});
    }
    return all;
}

void SongList::setCurrentSong(int index)
{
    if (m_current == index) {
        return;
    }
    m_current = index;
    Q_EMIT titleChanged();
}

void SongList::selectCurrent()
{
    m_mark = m_current >= 1 && m_current <= count() ? m_current : 0;
    Q_EMIT markMoved(m_mark);
}

void SongList::addSong(const QString &path, const QString &singer)
{
    m_songs.append(path);
    m_singers.append(cleanSingerName(singer));
    Q_EMIT songAdded(path);
}

void SongList::makeFirstCurrentIfNone()
{
    if (count() > 0 && m_current < 1) {
        m_current = 1;
        selectCurrent();
    }
}

void SongList::addSongs(const QStringList &paths, bool playNow)
{
    const int before = count();
    for (const QString &path : paths) {
        addSong(path);
    }
    if (playNow && before + 1 <= count()) {
        m_current = before + 1;
        selectCurrent();
    } else if (!playNow) {
        makeFirstCurrentIfNone();
    }
    Q_EMIT titleChanged();
}

bool SongList::loadLists(const QStringList &listFiles)
{
    bool allRead = true;
    for (const QString &file : listFiles) {
        const auto entries = readListEntries(file);
        if (!entries) {
            allRead = false;
            continue;
        }
        for (const ListEntry &entry : *entries) {
            addSong(entry.path, entry.singer);
        }
    }
    makeFirstCurrentIfNone();
    Q_EMIT titleChanged();
    return allRead;
}

bool SongList::saveList(const QString &listFile) const
{
    return writeListFile(entries(), listFile);
}

void SongList::removeRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        const int row = *it;
        if (row < 1 || row > count()) {
            continue;
        }
        if (m_mark == row) {
            m_mark = 0;
            if (row == count()) {
                m_current = 0;
            }
        }
        if (m_mark > row) {
            --m_mark;
        }
        if (m_current > row) {
            --m_current;
        }
        m_songs.removeAt(row - 1);
        m_singers.removeAt(row - 1);
    }
    m_current = std::min(m_current, count());
    Q_EMIT listChanged();
    selectCurrent();
    Q_EMIT titleChanged();
}

void SongList::clear()
{
    m_songs.clear();
    m_singers.clear();
    m_current = 0;
    Q_EMIT listChanged();
    selectCurrent();
    Q_EMIT titleChanged();
}

void SongList::exchange(int i, int j)
{
    m_songs.swapItemsAt(i - 1, j - 1);
    m_singers.swapItemsAt(i - 1, j - 1);
    if (m_mark == i) {
        m_mark = j;
    } else if (m_mark == j) {
        m_mark = i;
    }
    if (m_current == i) {
        m_current = j;
    } else if (m_current == j) {
        m_current = i;
    }
}

void SongList::shuffle()
{
    const int n = count();
    for (int i = 1; i <= n; ++i) {
        exchange(i, static_cast<int>(n * m_random.next()) + 1);
    }
    Q_EMIT listChanged();
    Q_EMIT markMoved(m_mark);
    Q_EMIT titleChanged();
}

} // namespace melorit::songlist
