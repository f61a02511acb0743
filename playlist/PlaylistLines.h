#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace melorit::playlist {

// The lines of the playlist window's list: one per song, a prefix and the
// song's display name. The line that carries the current-song mark starts
// with "-> ", every other with four spaces. Names are computed once per
// song, so a list of ten thousand songs scrolls and repaints at once.
class PlaylistLines : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr QStringView kUnmarked = u"    ";
    static constexpr QStringView kMarked = u"-> ";

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // The text of a 1-based line; "" outside the list.
    QString lineText(int line) const;
    int count() const { return static_cast<int>(m_names.size()); }

    // PlayListAdd: appends an unmarked line for the song.
    void append(const QString &path);
    // All lines anew from the songs, unmarked.
    void reset(const QStringList &paths);

    // PlayListSelect: takes the mark off its line, then puts it on the given
    // 1-based line when there is one (0 only removes it).
    void select(int line);
    // The 1-based line with the mark, 0 for none (MarkedLine).
    int markedLine() const { return m_marked; }

private:
    void lineChanged(int line);

    QStringList m_names;
    int m_marked = 0;
};

} // namespace melorit::playlist
