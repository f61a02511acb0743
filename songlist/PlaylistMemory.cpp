#include "songlist/PlaylistMemory.h"

#include "base/Ini.h"
#include "base/ProgramPaths.h"
#include "songlist/ListFile.h"
#include "songlist/SongList.h"

#include <QFileInfo>

namespace melorit::songlist {
namespace {

const QString kSection = QStringLiteral("PlayList");
const QString kCurrentKey = QStringLiteral("Current");

} // namespace

QString PlaylistMemory::defaultFile()
{
    return QFileInfo(paths::configFile()).absolutePath() + QStringLiteral("/Playlist.m3u");
}

PlaylistMemory::PlaylistMemory(SongList &songs, QString listFile)
    : m_songs(songs), m_file(std::move(listFile))
{
    m_pending.setSingleShot(true);
    m_pending.setInterval(0);
    connect(&m_pending, &QTimer::timeout, this, &PlaylistMemory::save);
}

bool PlaylistMemory::restore()
{
    const std::optional<QList<ListEntry>> entries = readListEntries(m_file);
    if (!entries) {
        return false;
    }
    const int first = m_songs.count();
    for (const ListEntry &entry : *entries) {
        m_songs.addSong(entry.path, entry.singer);
    }
    // A number beyond the list (played through, or a list edited by hand)
    // leaves none current.
    const int current = ReadIni(kSection, kCurrentKey).toInt();
    if (current >= 1 && current <= entries->size()) {
        m_songs.setCurrentSong(first + current);
        m_songs.selectCurrent();
    }
    return true;
}

void PlaylistMemory::keep()
{
    const auto later = [this] { m_pending.start(); };
    connect(&m_songs, &SongList::songAdded, this, later);
    connect(&m_songs, &SongList::singerChanged, this, later);
    connect(&m_songs, &SongList::listChanged, this, later);
    connect(&m_songs, &SongList::titleChanged, this, later);
}

void PlaylistMemory::save()
{
    m_pending.stop();
    // A folder that cannot be written keeps the previous list: the next run
    // starts from it, as it would without this one.
    writeListFile(m_songs.entries(), m_file);
    const int current = m_songs.CurrentSong();
    WriteIni(kSection, kCurrentKey,
             QString::number(current >= 1 && current <= m_songs.count() ? current : 0));
}

} // namespace melorit::songlist
