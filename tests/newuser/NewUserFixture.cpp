#include "NewUserFixture.h"

#include "base/ProgramPaths.h"

#include "tests/support/WidgetTestEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QTest>

namespace melorit::newuser::test {
namespace {

[[maybe_unused]] const auto *const environment =
    melorit::testing::addProgramTestEnvironment("newuser_tests");

} // namespace

void NewUserTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    const QString shipped = QStringLiteral(MELORIT_OUTPUT_DIR "/");
    for (const char *name : {"en.lng", "fr.lng", "melorit.dll", "au-clair-de-la-lune.kar"}) {
        ASSERT_TRUE(QFile::copy(shipped + QLatin1StringView(name), file(QString::fromLatin1(name))))
            << name;
    }
    paths::setProgramFolder(m_dir.path());
    paths::setConfigFile(file(QStringLiteral("Melorit.ini")));
}

void NewUserTest::TearDown()
{
    m_program.reset();
    paths::setProgramFolder({});
    paths::setConfigFile({});
}

bool NewUserTest::startProgram(const QStringList &songs)
{
    program::ProgramOptions options;
    options.mainWindow = [](engine::Player &player, const skins::SkinSet &skins,
                            mainwin::MainWindowHost &host) {
        return program::mainWindowParts(
            std::make_unique<mainwin::frmRovuRodu>(player, skins, host));
    };
    options.songs = songs;
    options.systemFonts = {QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2")};
    options.locale = m_locale;
    options.dialogs = &m_dialogs;
    m_program = std::make_unique<program::Program>(std::move(options));
    const bool started = m_program->start();
    settle();
    return started;
}

mainwin::frmRovuRodu *NewUserTest::mainWindow() const
{
    return dynamic_cast<mainwin::frmRovuRodu *>(m_program->mainWindow());
}

void NewUserTest::settle(int milliseconds)
{
    QTest::qWait(milliseconds);
}

} // namespace melorit::newuser::test
