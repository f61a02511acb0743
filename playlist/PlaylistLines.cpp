#include "playlist/PlaylistLines.h"

#include "skins/SkinPalette.h"
#include "songlist/ListFile.h"

#include <QColor>

namespace melorit::playlist {

int PlaylistLines::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int PlaylistLines::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant PlaylistLines::data(const QModelIndex &index, int role) const
{
    const int line = index.row() + 1;
    if (!index.isValid() || line > count()) {
        return {};
    }
    const bool singerCell = index.column() == kSingerColumn;
    if (role == Qt::DisplayRole || (role == Qt::EditRole && singerCell)) {
        return singerCell ? singer(line) : lineText(line);
    }
    if (role == Qt::ForegroundRole && line == m_marked) {
        return QColor(skins::palette::kSong);
    }
    return {};
}

Qt::ItemFlags PlaylistLines::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == kSingerColumn) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool PlaylistLines::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != kSingerColumn ||
        index.row() >= count()) {
        return false;
    }
    Q_EMIT singerEdited(index.row() + 1, value.toString());
    return true;
}

QVariant PlaylistLines::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumnCount) {
        return m_headers[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString PlaylistLines::lineText(int line) const
{
    if (line < 1 || line > count()) {
        return {};
    }
    return (line == m_marked ? kMarked : kUnmarked).toString() + m_names[line - 1];
}

QString PlaylistLines::singer(int line) const
{
    return line >= 1 && line <= count() ? m_singers[line - 1] : QString();
}

void PlaylistLines::append(const QString &path, const QString &singer)
{
    beginInsertRows({}, count(), count());
    m_names.append(songlist::SongDisplayName(path));
    m_singers.append(singer);
    endInsertRows();
}

void PlaylistLines::reset(const QStringList &paths, const QStringList &singers)
{
    beginResetModel();
    m_names.clear();
    m_names.reserve(paths.size());
    for (const QString &path : paths) {
        m_names.append(songlist::SongDisplayName(path));
    }
    m_singers = singers;
    m_singers.resize(m_names.size());
    m_marked = 0;
    endResetModel();
}

void PlaylistLines::setSinger(int line, const QString &singer)
{
    if (line < 1 || line > count()) {
        return;
    }
    m_singers[line - 1] = singer;
    const QModelIndex at = index(line - 1, kSingerColumn);
    Q_EMIT dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
}

void PlaylistLines::setHeaders(const QString &song, const QString &singer)
{
    m_headers = {song, singer};
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void PlaylistLines::select(int line)
{
    const int previous = m_marked;
    m_marked = 0;
    lineChanged(previous);
    if (line >= 1 && line <= count()) {
        m_marked = line;
        lineChanged(line);
    }
}

void PlaylistLines::lineChanged(int line)
{
    if (line < 1 || line > count()) {
        return;
    }
    Q_EMIT dataChanged(index(line - 1, kSongColumn), index(line - 1, kSingerColumn),
                       {Qt::DisplayRole, Qt::ForegroundRole});
}

} // namespace melorit::playlist
