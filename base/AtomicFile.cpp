#include "base/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace melorit {
namespace {

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

QString writeTarget(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.symLinkTarget();
        return target.isEmpty() ? path : target;
    }
    return path;
}

// The temporary files of writers killed before their rename
// ("name.partial-Ab12Cd" beside "name"). Only those a minute old go: a
// younger one may belong to a writer still at work in another process.
void removeAbandonedTemporaries(const QString &target)
{
    // Once per target and run: they come from writers killed before this run
    // (or in another process), and a song's settings, saved on every mixer
    // change, may sit among thousands of songs whose folder is not worth
    // listing each time.
    static std::mutex mutex;
    static std::set<QString> swept;
    {
        const std::lock_guard lock(mutex);
        if (!swept.insert(target).second) {
            return;
        }
    }
    const QFileInfo info(target);
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName()) + QStringLiteral("\\.partial-[A-Za-z0-9]{6}")));
    const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QDir folder = info.dir();
    for (const QFileInfo &file :
         folder.entryInfoList({info.fileName() + QStringLiteral(".partial-??????")}, QDir::Files)) {
        if (temporary.match(file.fileName()).hasMatch() && file.lastModified() < old) {
            QFile::remove(file.filePath());
        }
    }
}

} // namespace

// No fsync: settings are written on every change, and a program crash
// cannot tear the file; ext4 orders a replacing rename after the data.
bool writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(writeTarget(path));
    // A file marked read-only is kept, as the user asked (renaming over it
    // would work, even for root, since only the folder's mode counts).
    struct stat current {};
    if (::stat(target.constData(), &current) == 0 &&
        ((current.st_mode & 0222) == 0 || ::access(target.constData(), W_OK) != 0)) {
        errno = EACCES;
        return false;
    }
    QByteArray temp = target + ".partial-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return false;
    }
    struct stat old {};
    const mode_t mode = ::stat(target.constData(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes);
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
    } else {
        removeAbandonedTemporaries(QFile::decodeName(target));
    }
    return ok;
}

} // namespace melorit
