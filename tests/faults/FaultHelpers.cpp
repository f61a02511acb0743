#include "tests/faults/FaultHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace melorit::faults {

int runInChild(const std::function<int()> &body, off_t fileSizeLimit)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        if (fileSizeLimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(fileSizeLimit),
                               static_cast<rlim_t>(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

int runAsOtherUser(const std::function<int()> &body)
{
    return runInChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            return 90;
        }
        return body();
    });
}

QByteArray stderrOf(const std::function<void()> &body)
{
    std::fflush(stderr);
    char name[] = "/tmp/melorit-stderr-XXXXXX";
    const int capture = mkstemp(name);
    if (capture < 0) {
        return "cannot capture";
    }
    unlink(name);
    const int saved = dup(2);
    dup2(capture, 2);
    body();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    QByteArray text;
    lseek(capture, 0, SEEK_SET);
    char buffer[4096];
    for (ssize_t n; (n = read(capture, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, n);
    }
    close(capture);
    return text;
}

QString freshFolder()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> folders;
    folders.push_back(std::make_unique<QTemporaryDir>());
    QFile::setPermissions(folders.back()->path(), QFileDevice::Permissions(0x7777));
    return folders.back()->path();
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace melorit::faults
