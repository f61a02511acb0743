#include "base/Ini.h"

#include "base/AtomicFile.h"
#include "base/IniDocument.h"
#include "base/ProgramPaths.h"
#include "base/UserMessages.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace melorit {
namespace {

// Settings files are a few kilobytes; anything this large is not one.
constexpr qint64 kMaxIniFileSize = 8 * 1024 * 1024;

QString resolve(const QString &file)
{
    return file.isEmpty() ? paths::configFile() : file;
}

enum class Load { Ok, Missing, Unusable };

// Reads the whole file; "Missing" when it does not exist, "Unusable" when it
// exists but is not a readable text file of sensible size.
Load loadDocument(const QString &path, ini::IniDocument &doc)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        return info.isSymLink() ? Load::Unusable : Load::Missing;
    }
    if (!info.isFile() || info.size() > kMaxIniFileSize) {
        return Load::Unusable;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return Load::Unusable;
    }
    // Room for what the file holds, not for the largest file taken.
    const QByteArray bytes = f.read(std::min(info.size(), kMaxIniFileSize) + 1);
    if (f.error() != QFileDevice::NoError || bytes.size() > kMaxIniFileSize) {
        return Load::Unusable;
    }
    auto parsed = ini::IniDocument::fromBytes(bytes);
    if (!parsed) {
        return Load::Unusable;
    }
    doc = std::move(*parsed);
    return Load::Ok;
}

QString withoutOuterQuotes(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}

QString cutToLimit(const QString &value)
{
    if (value.size() <= kIniValueLimit) {
        return value;
    }
    qsizetype n = kIniValueLimit;
    if (value[n - 1].isHighSurrogate()) {
        --n; // never split a character in two
    }
    return value.left(n);
}

QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

} // namespace

QString ReadIni(const QString &section, const QString &key, const QString &file)
{
    if (section.isEmpty() || key.isEmpty()) {
        showMessage(QStringLiteral("Section Or Key To Read Not Specified !!!"),
                    QStringLiteral("INI"), MessageIcon::Exclamation);
        return {};
    }
    ini::IniDocument doc;
    if (loadDocument(resolve(file), doc) != Load::Ok) {
        return {};
    }
    const std::optional<QString> raw = doc.value(section, key);
    if (!raw) {
        return {};
    }
    return cutToLimit(withoutOuterQuotes(*raw));
}

QString WriteIni(const QString &section, const QString &key, const QString &value,
                 const QString &file)
{
    if (section.isEmpty() || key.isEmpty()) {
        showMessage(QStringLiteral("Section Or Key To Write Not Specified !!!"),
                    QStringLiteral("INI"), MessageIcon::Exclamation);
        return {};
    }
    const QString path = resolve(file);
    ini::IniDocument doc;
    if (loadDocument(path, doc) == Load::Unusable) {
        return {}; // never replace what we cannot read back
    }
    const QString line = oneLine(value);
    const QByteArray before = doc.toBytes();
    doc.setValue(oneLine(section), oneLine(key), line);
    const QByteArray after = doc.toBytes();
    if (after == before && QFileInfo::exists(path)) {
        return value;
    }
    return writeFileAtomically(path, after) ? value : QString();
}

} // namespace melorit
