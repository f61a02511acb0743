#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace melorit::playlist {

// The lines of the playlist window's list: one per song, in two columns.
// The first holds a prefix and the song's display name: the line that
// carries the current-song mark starts with "-> ", every other with four
// spaces. The second holds the singer's name, edited in place. Names are
// computed once per song, so a list of ten thousand songs scrolls and
// repaints at once.
class PlaylistLines : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr QStringView kUnmarked = u"    ";
    static constexpr QStringView kMarked = u"-> ";
    enum Column { kSongColumn, kSingerColumn, kColumnCount };

    using QAbstractTableModel::index;
    using QAbstractTableModel::QAbstractTableModel;
    // The song cell of a 0-based row.
    QModelIndex index(int row) const { return index(row, kSongColumn); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // An edit of a singer's cell: singerEdited is asked for, the cell shows
    // the name once the song list has it.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text of a 1-based line; "" outside the list.
    QString lineText(int line) const;
    QString singer(int line) const;
    int count() const { return static_cast<int>(m_names.size()); }

    // PlayListAdd: appends an unmarked line for the song.
    void append(const QString &path, const QString &singer = {});
    // All lines anew from the songs and their singers, unmarked.
    void reset(const QStringList &paths, const QStringList &singers = {});
    // Shows the singer of a 1-based line.
    void setSinger(int line, const QString &singer);
    // The column captions.
    void setHeaders(const QString &song, const QString &singer);

    // PlayListSelect: takes the mark off its line, then puts it on the given
    // 1-based line when there is one (0 only removes it).
    void select(int line);
    // The 1-based line with the mark, 0 for none (MarkedLine).
    int markedLine() const { return m_marked; }

Q_SIGNALS:
    // The user typed a singer's name for a 1-based line.
    void singerEdited(int line, const QString &name);

private:
    void lineChanged(int line);

    QStringList m_names;
    QStringList m_singers;
    QStringList m_headers{QString(), QString()};
    int m_marked = 0;
};

} // namespace melorit::playlist
