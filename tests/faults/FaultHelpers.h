#pragma once

// Running a piece of code in a child process whose files may not grow past a
// size (a full disk without mounting one), under another user (a folder root
// could still write to), and catching what is printed on standard error.

#include <QString>

#include <functional>
#include <sys/types.h>

namespace melorit::faults {

// Runs body in a forked child and gives its exit status (-1 when it did not
// exit normally). In the child, files may not grow past fileSizeLimit bytes
// (0: no limit) and SIGXFSZ is ignored, so a write past it fails with EFBIG as
// on a full disk.
int runInChild(const std::function<int()> &body, off_t fileSizeLimit = 0);

// Runs body in a forked child that is not root (root writes anywhere), the
// "nobody" user when the tests run as root.
int runAsOtherUser(const std::function<int()> &body);

// Everything written on file descriptor 2 while body runs.
QByteArray stderrOf(const std::function<void()> &body);

// A folder for the files a test writes, fresh for each call.
QString freshFolder();

QByteArray fileBytes(const QString &path);
bool putFile(const QString &path, const QByteArray &bytes);

} // namespace melorit::faults
