#include "app/core/Language.h"

#include "app/core/ProgramPaths.h"
#include "app/ini/Ini.h"

namespace melorit {
namespace {

const QString kFallbackFile = QStringLiteral("melorit.dll");

QString languageFileOf(const QString &code)
{
    return paths::programFile(code + QStringLiteral(".lng"));
}

} // namespace

bool isLanguageFile(const QString &file)
{
    return !ReadIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), file).isEmpty();
}

LanguageChoice chooseLanguageFile(const QString &configuredCode)
{
    LanguageChoice choice;
    if (configuredCode.isEmpty()) {
        choice.firstRun = true;
        choice.file = paths::programFile(kFallbackFile);
    } else {
        const QString candidates[] = {languageFileOf(configuredCode),
                                      languageFileOf(QStringLiteral("fr")),
                                      paths::programFile(kFallbackFile)};
        for (const QString &file : candidates) {
            choice.file = file;
            if (isLanguageFile(file))
                break;
        }
    }
    choice.code = ReadIni(QStringLiteral("MELORIT"), QStringLiteral("Lng"), choice.file);
    choice.found = !choice.code.isEmpty() || choice.firstRun;
    return choice;
}

QString languageText(const QString &file, const QString &section, const QString &key)
{
    return ReadIni(section, key, file);
}

QString indexedKey(const QString &stem, int index)
{
    return stem + u'(' + QString::number(index) + u')';
}

} // namespace melorit
