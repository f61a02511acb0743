#include "export/OutputNaming.h"

#include "base/TextUtil.h"

#include <QDir>

namespace melorit::exporting {

namespace {

const QChar kSeparator = QDir::separator();

// Only spaces are trimmed, as the scheme's own rule says; tabs stay.
QString trimSpaces(const QString &value)
{
    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && value.at(begin) == u' ') {
        ++begin;
    }
    while (end > begin && value.at(end - 1) == u' ') {
        --end;
    }
    return value.mid(begin, end - begin);
}

// A tag names a file, never a folder: its separators would create folders
// the scheme did not ask for, and a tag of dots alone would climb out of
// the output folder ("..").
QString safeTagText(const QString &tag)
{
    QString result = tag;
    result.replace(kSeparator, u'_');
    result.replace(QChar(0), u'_');
    if (!result.isEmpty() && result.count(u'.') == result.size()) {
        result.fill(u'_');
    }
    return result;
}

QString fillScheme(QString name, const QString &artist, const QString &title)
{
    name = trimSpaces(name.replace(QStringLiteral("%A"), artist));
    name = trimSpaces(name.replace(QStringLiteral("%a"), artist));
    name = trimSpaces(name.replace(QStringLiteral("%T"), title));
    name = trimSpaces(name.replace(QStringLiteral("%t"), title));
    return name;
}

QString schemeName(const QString &scheme, const QString &songName, const SongTags &tags)
{
    if (!tags.Artist.isEmpty() || !tags.Title.isEmpty()) {
        return fillScheme(scheme, safeTagText(tags.Artist), safeTagText(tags.Title));
    }
    return fillScheme(text::FolderOf(scheme) + songName, {}, {});
}

} // namespace

QString extensionFor(int encoding)
{
    switch (encoding) {
    case 0:
        return QStringLiteral(".wav");
    case 1:
        return QStringLiteral(".mp3");
    case 2:
        return QStringLiteral(".ogg");
    case 3:
        return QStringLiteral(".mp4");
    default:
        return {};
    }
}

OutputPaths BuildOutputPaths(const QString &songPath, const ExportSettings &settings,
                             const SongTags &tags)
{
    QString folder = settings.SaveFolder.isEmpty() ? text::FolderOf(songPath) : settings.SaveFolder;
    // A song given without any folder stays in the current folder rather
    // than going to the root of the file system.
    if (!folder.isEmpty() && !folder.endsWith(kSeparator)) {
        folder += kSeparator;
    }

    const QString songName = text::StripExtension(text::FileNameOf(songPath));
    QString name = songName;
    if (!settings.SaveScheme.isEmpty()) {
        name = schemeName(settings.SaveScheme, songName, tags);
        // A scheme that leaves no file name (tags of spaces only) would
        // give a hidden file named after the extension.
        if (text::FileNameOf(name).isEmpty()) {
            name += songName;
        }
    }

    OutputPaths paths;
    paths.Full = folder + name;
    paths.Full.replace(QString(2, kSeparator), QString(kSeparator));
    paths.OutputPath = paths.Full + extensionFor(settings.Encoding);
    paths.LyricsFilePath = paths.Full + QStringLiteral(".kok");
    return paths;
}

bool CreateOutputFolder(const QString &fullPath)
{
    const QString folder = text::FolderOf(fullPath);
    if (folder.isEmpty()) {
        return true;
    }
    return QDir().mkpath(folder);
}

} // namespace melorit::exporting
