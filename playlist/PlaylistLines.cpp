#include "playlist/PlaylistLines.h"

#include "skins/SkinPalette.h"
#include "songlist/ListFile.h"

#include <QColor>

namespace melorit::playlist {

int PlaylistLines::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant PlaylistLines::data(const QModelIndex &index, int role) const
{
    const int line = index.row() + 1;
    if (!index.isValid() || line > count()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return lineText(line);
    }
    if (role == Qt::ForegroundRole && line == m_marked) {
        return QColor(skins::palette::kSong);
    }
    return {};
}

QString PlaylistLines::lineText(int line) const
{
    if (line < 1 || line > count()) {
        return {};
    }
    return (line == m_marked ? kMarked : kUnmarked).toString() + m_names[line - 1];
}

void PlaylistLines::append(const QString &path)
{
    beginInsertRows({}, count(), count());
    m_names.append(songlist::SongDisplayName(path));
    endInsertRows();
}

void PlaylistLines::reset(const QStringList &paths)
{
    beginResetModel();
    m_names.clear();
    m_names.reserve(paths.size());
    for (const QString &path : paths) {
        m_names.append(songlist::SongDisplayName(path));
    }
    m_marked = 0;
    endResetModel();
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
    const QModelIndex at = index(line - 1);
    Q_EMIT dataChanged(at, at, {Qt::DisplayRole, Qt::ForegroundRole});
}

} // namespace melorit::playlist
