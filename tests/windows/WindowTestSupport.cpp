#include "WindowTestSupport.h"

#include "app/core/ProgramPaths.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

namespace melorit::windows::test {
namespace {

// Widgets need an application object; it lives for the whole test run.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "windows_tests";
        static char *argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto *const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

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
