// The playlist commands of the playlist window's buttons.
#include "playlist/PlaylistWindow.h"

#include "base/Ini.h"
#include "base/Language.h"
#include "base/TextUtil.h"
#include "base/UserMessages.h"
#include "playlist/PlaylistHost.h"
#include "playlist/PlaylistWindowKeys.h"
#include "songlist/SongList.h"

#include <QDir>
#include <QItemSelectionModel>
#include <QTreeView>

#include <algorithm>

namespace melorit::playlist {
namespace {

const QString kErrorTitle = QStringLiteral("Erreur");

void reportUnreadableList(const QString &file)
{
    showMessage(QStringLiteral("Impossible de lire la liste ") + QDir::toNativeSeparators(file),
                kErrorTitle, MessageIcon::Critical);
}

void reportUnwritableList(const QString &file)
{
    showMessage(QStringLiteral("Impossible d'enregistrer la liste ") +
                    QDir::toNativeSeparators(file),
                kErrorTitle, MessageIcon::Critical);
}

// "%2" of the song filter: "mid,kar" gives "*.mid;*.kar".
QString songPatterns(const QString &extensions)
{
    QString patterns = extensions;
    return QStringLiteral("*.") + patterns.replace(u',', QStringLiteral(";*."));
}

} // namespace

QString PlaylistWindow::listFilter(const QString &languageFilter) const
{
    return fileDialogFilter(text::fillPlaceholders(languageFilter, QStringLiteral(".mpl"),
                                                   QStringLiteral("*.mpl"), QStringLiteral(".m3u"),
                                                   QStringLiteral("*.m3u")));
}

void PlaylistWindow::rememberFolder(QString &folder, QLatin1StringView section, const QString &file)
{
    folder = text::FolderOf(file);
    WriteIni(section, keys::kFolderKey, folder);
}

void PlaylistWindow::Action_LoadList()
{
    const QStringList files =
        m_chooser->chooseFilesToOpen({m_loadTitle, m_listFolder, listFilter(m_loadFilter)});
    if (files.isEmpty()) {
        return;
    }
    rememberFolder(m_listFolder, keys::kListFolderSection, files.first());
    // Each list is read in turn; one that cannot be read is reported and the
    // others still come in.
    for (const QString &file : files) {
        if (!m_songs.loadLists({file})) {
            reportUnreadableList(file);
        }
    }
}

void PlaylistWindow::Action_SaveList()
{
    const QString file =
        m_chooser->chooseFileToSave({m_saveTitle, m_listFolder, listFilter(m_saveFilter)});
    if (file.isEmpty()) {
        return;
    }
    rememberFolder(m_listFolder, keys::kListFolderSection, file);
    if (!m_songs.saveList(file)) {
        reportUnwritableList(file);
    }
}

bool PlaylistWindow::Action_Plus(bool playNow)
{
    const QString filter = fileDialogFilter(
        text::fillPlaceholders(m_songFilter, m_extensions, songPatterns(m_extensions)));
    const QStringList files = m_chooser->chooseFilesToOpen({m_songTitle, m_songFolder, filter});
    if (files.isEmpty()) {
        return false;
    }
    m_songs.addSongs(files, playNow);
    rememberFolder(m_songFolder, keys::kSongFolderSection, files.first());
    return true;
}

QList<int> PlaylistWindow::selectedLines() const
{
    // A selected line has a selected cell in each column: each line once.
    QList<int> lines;
    for (const QModelIndex &index : m_list->selectionModel()->selectedIndexes()) {
        lines.append(index.row() + 1);
    }
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

void PlaylistWindow::Action_Moins()
{
    m_songs.removeRows(selectedLines());
}

void PlaylistWindow::Action_Poubelle()
{
    m_songs.clear();
}

void PlaylistWindow::Action_Shuffle()
{
    m_songs.shuffle();
}

void PlaylistWindow::Action_PlayIt()
{
    // The line with the focus, as a list's selected entry; with no line
    // there is nothing to play.
    const QModelIndex current = m_list->currentIndex();
    if (current.isValid()) {
        m_host.Action_PlaySelected(current.row() + 1);
    }
}

} // namespace melorit::playlist
