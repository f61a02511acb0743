#include "app/ini/Ini.h"

#include "app/core/ProgramPaths.h"
#include "app/core/UserMessages.h"
#include "app/ini/IniDocument.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    if (!info.exists())
        return info.isSymLink() ? Load::Unusable : Load::Missing;
    if (!info.isFile() || info.size() > kMaxIniFileSize)
        return Load::Unusable;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return Load::Unusable;
    const QByteArray bytes = f.read(kMaxIniFileSize + 1);
    if (f.error() != QFileDevice::NoError || bytes.size() > kMaxIniFileSize)
        return Load::Unusable;
    auto parsed = ini::IniDocument::fromBytes(bytes);
    if (!parsed)
        return Load::Unusable;
    doc = std::move(*parsed);
    return Load::Ok;
}

QString withoutOuterQuotes(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        return value.mid(1, value.size() - 2);
    return value;
}

QString cutToLimit(const QString &value)
{
    if (value.size() <= kIniValueLimit)
        return value;
    qsizetype n = kIniValueLimit;
    if (value[n - 1].isHighSurrogate())
        --n; // never split a character in two
    return value.left(n);
}

QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// The file a write goes to: a link is followed so that it stays a link.
QString writeTarget(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.symLinkTarget();
        return target.isEmpty() ? path : target;
    }
    return path;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

// Writes a temporary file beside the target, then renames it over the
// target: readers see the old file or the new one, never half of one. No
// fsync: settings are written on every change and a program crash cannot
// tear the file; ext4 orders the rename after the data anyway.
bool saveAtomically(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    QByteArray temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    struct stat old {};
    const mode_t mode = ::stat(target.constData(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes);
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.constData(), target.constData()) == 0;
    if (!ok)
        ::unlink(temp.constData());
    return ok;
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
    if (loadDocument(resolve(file), doc) != Load::Ok)
        return {};
    const std::optional<QString> raw = doc.value(section, key);
    if (!raw)
        return {};
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
    const QString path = writeTarget(resolve(file));
    ini::IniDocument doc;
    if (loadDocument(path, doc) == Load::Unusable)
        return {}; // never replace what we cannot read back
    const QString line = oneLine(value);
    const QByteArray before = doc.toBytes();
    doc.setValue(oneLine(section), oneLine(key), line);
    const QByteArray after = doc.toBytes();
    if (after == before && QFileInfo::exists(path))
        return value;
    return saveAtomically(path, after) ? value : QString();
}

} // namespace melorit
