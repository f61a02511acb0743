#pragma once

#include "base/UserMessages.h"

#include "tests/support/RecordedMessages.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>
#include <vector>

// Shared by the window tests: a program folder of their own with the
// shipped language files and a configuration file, and the user messages
// the windows show.
namespace melorit::windows::test {

// Texts compared as UTF-8 strings, so that a failure shows them readably.
inline std::string u8(const QString &text)
{
    return text.toStdString();
}

// A temporary program folder holding "fr.lng" and "en.lng" and the
// configuration file; the program's paths point into it while it lives.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder &) = delete;
    ProgramFolder &operator=(const ProgramFolder &) = delete;

    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QString french() const { return file(QStringLiteral("fr.lng")); }
    QString english() const { return file(QStringLiteral("en.lng")); }
    // A file with the given bytes, in the folder unless the name is a full path.
    QString write(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};

using melorit::testing::RecordedMessages;

} // namespace melorit::windows::test
