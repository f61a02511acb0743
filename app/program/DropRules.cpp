#include "app/program/DropRules.h"

#include "base/TextUtil.h"

namespace melorit::program {

bool extensionListed(const QString &path, const QString &extensionList)
{
    const QString name = text::FileNameOf(path);
    const qsizetype dot = name.lastIndexOf(QChar(u'.'));
    if (dot < 0) {
        return false;
    }
    const QString comma(QChar(u','));
    const QString extension = name.mid(dot + 1).toUpper();
    return (comma + extensionList.toUpper() + comma).contains(comma + extension + comma);
}

DroppedFiles sortDroppedFiles(const QStringList &paths, const QString &songExtensions,
                              const QString &fontExtensions)
{
    DroppedFiles dropped;
    for (const QString &path : paths) {
        if (extensionListed(path, songExtensions)) {
            dropped.songs.append(path);
        }
        if (extensionListed(path, fontExtensions)) {
            dropped.soundFont = path;
        }
    }
    return dropped;
}

} // namespace melorit::program
