#include "ExportDialogFixture.h"

#include "base/Ini.h"

namespace melorit::exporting::test {

void ExportDialogFixture::setWave(const QString &key, const QString &value) const
{
    WriteIni(QStringLiteral("Wave"), key, value, config());
}

void ExportDialogFixture::setLyrics(const QString &key, const QString &value) const
{
    WriteIni(QStringLiteral("Lyrics"), key, value, config());
}

void ExportDialogFixture::setTag(const QString &key, const QString &value) const
{
    WriteIni(QStringLiteral("Tags"), key, value, mst());
}

QString ExportDialogFixture::wave(const QString &key) const
{
    return ReadIni(QStringLiteral("Wave"), key, config());
}

QString ExportDialogFixture::lyrics(const QString &key) const
{
    return ReadIni(QStringLiteral("Lyrics"), key, config());
}

QString ExportDialogFixture::tag(const QString &key) const
{
    return ReadIni(QStringLiteral("Tags"), key, mst());
}

} // namespace melorit::exporting::test
