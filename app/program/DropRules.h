#pragma once

#include <QString>
#include <QStringList>

// Which dropped files are songs and which a SoundFont.
namespace melorit::program {

// True when the extension of the file name (the text after its last ".",
// any case) is one of the comma-separated list ("MID,KAR"). The commas take
// part in the test, so "ID" is not found in "MID". A name without a dot has
// no extension and is never accepted; a dot in a folder name does not count.
bool extensionListed(const QString &path, const QString &extensionList);

struct DroppedFiles {
    QStringList songs;
    // The last dropped SoundFont, "" when none was dropped.
    QString soundFont;
};

// Sorts dropped files in their order by the two lists; other files are left
// out.
DroppedFiles sortDroppedFiles(const QStringList &paths, const QString &songExtensions,
                              const QString &fontExtensions);

} // namespace melorit::program
