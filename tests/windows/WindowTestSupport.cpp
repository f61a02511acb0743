#include "WindowTestSupport.h"

#include "base/ProgramPaths.h"

#include "tests/support/WidgetTestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

namespace melorit::windows::test {
namespace {

[[maybe_unused]] const auto *const environment =
    melorit::testing::addWidgetTestEnvironment("windows_tests");

QString shippedLanguageFile(const char *name)
{
    return QStringLiteral(MELORIT_SOURCE_DIR "/resources/lang/") + QString::fromUtf8(name);
}

} // namespace

ProgramFolder::ProgramFolder()
{
    EXPECT_TRUE(m_dir.isValid());
    EXPECT_TRUE(QFile::copy(shippedLanguageFile("fr.lng"), french()));
    EXPECT_TRUE(QFile::copy(shippedLanguageFile("en.lng"), english()));
    paths::setProgramFolder(m_dir.path());
    paths::setConfigFile(file(QStringLiteral("Melorit.ini")));
}

ProgramFolder::~ProgramFolder()
{
    paths::setProgramFolder({});
    paths::setConfigFile({});
}

QString ProgramFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(QDir(m_dir.path()).filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
}

} // namespace melorit::windows::test
