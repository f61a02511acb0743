#include "songlist/ListFile.h"

#include "base/AtomicFile.h"
#include "base/CodePages.h"
#include "base/TextUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace melorit::songlist {
namespace {

// List files are small; anything beyond this is not a list.
constexpr qint64 kMaxListFileSize = 64 * 1024 * 1024;

// Entries written on Windows: every backslash becomes "/", a drive letter is dropped
// ("C:\Karaoke\a.kar" is "/Karaoke/a.kar", where a copied collection is
// usually mounted or linked), "\\server\share" becomes "//server/share".
QString posixEntry(QString entry)
{
    entry.replace(u'\\', u'/');
    if (entry.size() >= 2 && entry[1] == u':' && entry[0].isLetter()) {
        entry.remove(0, 2);
    }
    return entry;
}

// A song under the list's folder is written relative to it only when that
// entry reads back as the same song: one taken for a comment ("#1 hit.kar"),
// losing its outer spaces or changed by the Windows rules is written whole.
bool readsBackRelative(const QString &entry)
{
    return !entry.isEmpty() && !entry.startsWith(u'#') && !entry.startsWith(u'\uFEFF') &&
           entry == entry.trimmed() && posixEntry(entry) == entry && !entry.startsWith(u'/');
}

bool fitsWindows1252(const QString &text)
{
    return codepages::decodeWindows1252(codepages::encodeWindows1252(text)) == text;
}

} // namespace

bool isSongEntry(const QString &line)
{
    const QString tail = line.right(4).toUpper();
    return tail == u".MID" || tail == u".KAR" || tail == u"MIDI";
}

QString cleanSingerName(const QString &name)
{
    // Control characters (line ends, tabs) and line separators would break
    // the comment or hide in it.
    static const QRegularExpression breaks(QStringLiteral("[\\p{Cc}\\p{Zl}\\p{Zp}]+"));
    return QString(name).replace(breaks, QStringLiteral(" ")).simplified();
}

QList<ListEntry> parseListEntries(const QByteArray &bytes, const QString &listFile)
{
    const QString folder = text::FolderOf(listFile);
    const QString content = codepages::decodeUtf8OrWindows1252(bytes);
    QList<ListEntry> entries;
    // The singer named by the last singer comment, for the next entry.
    QString singer;
    // Lines end in CR LF, LF, or a lone CR (lists saved on old Macs).
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    for (QString line : content.split(lineEnd)) {
        line = line.trimmed();
        if (line.startsWith(u'\uFEFF')) {
            line = line.mid(1).trimmed();
        }
        if (line.startsWith(kSingerComment, Qt::CaseInsensitive)) {
            singer = cleanSingerName(line.mid(kSingerComment.size()));
            continue;
        }
        if (line.startsWith(u'#') || !isSongEntry(line)) {
            continue;
        }
        const QString entry = posixEntry(line);
        entries.append({entry.startsWith(u'/') ? entry : folder + entry, singer});
        singer.clear();
    }
    return entries;
}

QStringList parseListFile(const QByteArray &bytes, const QString &listFile)
{
    return pathsOf(parseListEntries(bytes, listFile));
}

QByteArray formatListFile(const QList<ListEntry> &entries, const QString &listFile)
{
    // Paths are case-sensitive here, so the folder test is too.
    const QString folder = text::FolderOf(listFile);
    QString content;
    for (const ListEntry &entry : entries) {
        const QString singer = cleanSingerName(entry.singer);
        if (!singer.isEmpty()) {
            content += kSingerComment.toString() + singer + QStringLiteral("\r\n");
        }
        const QString &song = entry.path;
        const bool inFolder = !folder.isEmpty() && song.startsWith(folder) &&
                              readsBackRelative(song.mid(folder.size()));
        content += (inFolder ? song.mid(folder.size()) : song) + QStringLiteral("\r\n");
    }
    // Windows-1252 only when the reader takes the bytes back as that: some
    // Windows-1252 texts ("Ã©") are also valid UTF-8 and would change.
    if (fitsWindows1252(content)) {
        const QByteArray legacy = codepages::encodeWindows1252(content);
        if (codepages::decodeUtf8OrWindows1252(legacy) == content) {
            return legacy;
        }
    }
    return content.toUtf8();
}

QByteArray formatListFile(const QStringList &songs, const QString &listFile)
{
    return formatListFile(entriesOf(songs), listFile);
}

std::optional<QList<ListEntry>> readListEntries(const QString &listFile)
{
    QFile f(listFile);
    if (!QFileInfo(listFile).isFile() || !f.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // Room for what the file holds, not for the largest list taken.
    const QByteArray bytes = f.read(std::min(f.size(), kMaxListFileSize) + 1);
    if (f.error() != QFileDevice::NoError || bytes.size() > kMaxListFileSize) {
        return std::nullopt;
    }
    return parseListEntries(bytes, listFile);
}

std::optional<QStringList> readListFile(const QString &listFile)
{
    const auto entries = readListEntries(listFile);
    if (!entries) {
        return std::nullopt;
    }
    return pathsOf(*entries);
}

bool writeListFile(const QList<ListEntry> &entries, const QString &listFile)
{
    return writeFileAtomically(listFile, formatListFile(entries, listFile));
}

bool writeListFile(const QStringList &songs, const QString &listFile)
{
    return writeListFile(entriesOf(songs), listFile);
}

QList<ListEntry> entriesOf(const QStringList &songs)
{
    QList<ListEntry> entries;
    entries.reserve(songs.size());
    for (const QString &song : songs) {
        entries.append({song, {}});
    }
    return entries;
}

QStringList pathsOf(const QList<ListEntry> &entries)
{
    QStringList paths;
    paths.reserve(entries.size());
    for (const ListEntry &entry : entries) {
        paths.append(entry.path);
    }
    return paths;
}

QString SongDisplayName(const QString &path)
{
    const QString name = text::StripExtension(text::FileNameOf(path));
    QString shown;
    shown.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c == u'_') {
            shown += u' ';
        } else if (c == u'%') {
            const QString hex = name.mid(i + 1, 2).toUpper();
            bool ok = false;
            const int code = hex.toInt(&ok, 16);
            if (hex.size() == 2 && hex >= u"20" && hex <= u"7F" && ok) {
                shown += QChar(char16_t(code));
                i += 2;
            } else {
                shown += u' ';
            }
        } else {
            shown += c;
        }
    }
    return shown;
}

} // namespace melorit::songlist
