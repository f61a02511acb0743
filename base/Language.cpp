#include "base/Language.h"

#include "base/Ini.h"
#include "base/ProgramPaths.h"

#include <QStringList>

namespace melorit {
namespace {

const QString kFallbackFile = QStringLiteral("melorit.dll");
const QString kFrenchCode = QStringLiteral("fr");

QString languageFileOf(const QString &code)
{
    return paths::programFile(code + QStringLiteral(".lng"));
}

// The code comes from the configuration file; it names a file of the program
// folder and nothing else.
bool isPlainCode(const QString &code)
{
    return !code.isEmpty() && !code.contains(u'/') && !code.contains(u'\\') &&
           !code.contains(QChar(0));
}

// The language files of a locale name, most specific first: "pt_BR" gives
// "pt_BR.lng" and "pt.lng"; "C" and "POSIX" give none.
QStringList localeFiles(const QString &localeName)
{
    QStringList files;
    const QString name = localeName.section(u'.', 0, 0).section(u'@', 0, 0);
    if (name == u"C" || name == u"POSIX" || !isPlainCode(name)) {
        return files;
    }
    files << languageFileOf(name);
    if (const qsizetype underscore = name.indexOf(u'_'); underscore > 0) {
        files << languageFileOf(name.left(underscore));
    }
    return files;
}

QStringList candidateFiles(const QString &configuredCode, const QString &localeName)
{
    const QString fallback = paths::programFile(kFallbackFile);
    const QString french = languageFileOf(kFrenchCode);
    if (configuredCode.isEmpty()) {
        return localeFiles(localeName) << fallback << french;
    }
    QStringList files;
    if (isPlainCode(configuredCode) && configuredCode != kFrenchCode) {
        files << languageFileOf(configuredCode);
    }
    files << french << fallback;
    return files;
}

// Items of a filter: "*.*" matches every file on every system only as "*".
QStringList filterPatterns(const QString &patterns)
{
    QStringList result;
    for (const QString &item : patterns.split(u';')) {
        const QString pattern = item.trimmed();
        if (pattern.isEmpty()) {
            continue;
        }
        result << (pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
    }
    return result;
}

QString filterEntry(QString description, const QString &patterns)
{
    const QStringList items = filterPatterns(patterns);
    if (items.isEmpty()) {
        return {};
    }
    description = description.trimmed();
    const QString shown = u'(' + patterns.trimmed() + u')';
    if (description.endsWith(shown, Qt::CaseInsensitive)) {
        description = description.chopped(shown.size()).trimmed();
    }
    const QString qtPatterns = u'(' + items.join(u' ') + u')';
    return description.isEmpty() ? qtPatterns : description + u' ' + qtPatterns;
}

} // namespace

QString configuredLanguageCode(const QString &configFile)
{
    return ReadIni(kConfigLanguageSection, kLanguageCodeKey, configFile);
}

QString languageFileCode(const QString &file)
{
    return ReadIni(kLanguageFileSection, kLanguageCodeKey, file);
}

QString languageFileName(const QString &file)
{
    const QString name = ReadIni(kLanguageFileSection, kLanguageNameKey, file);
    return name.isEmpty() ? languageFileCode(file) : name;
}

bool isLanguageFile(const QString &file)
{
    return !languageFileCode(file).isEmpty();
}

LanguageChoice chooseLanguageFile(const QString &configuredCode, const QString &localeName)
{
    LanguageChoice choice;
    choice.firstRun = configuredCode.isEmpty();
    for (const QString &file : candidateFiles(configuredCode, localeName)) {
        const QString code = languageFileCode(file);
        if (!code.isEmpty()) {
            choice.file = file;
            choice.code = code;
            choice.found = true;
            return choice;
        }
    }
    choice.file = paths::programFile(kFallbackFile);
    return choice;
}

QString languageText(const QString &file, const QString &section, const QString &key)
{
    return ReadIni(section, key, file);
}

QString fileDialogFilter(const QString &languageFilter)
{
    const QStringList parts = languageFilter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString entry = filterEntry(parts[i], parts[i + 1]);
        if (!entry.isEmpty()) {
            entries << entry;
        }
    }
    return entries.join(QStringLiteral(";;"));
}

QString indexedKey(const QString &stem, int index)
{
    return stem + u'(' + QString::number(index) + u')';
}

} // namespace melorit
