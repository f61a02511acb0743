#include "PartyFixture.h"

#include "app/mainwin/frmRovuRodu.h"
#include "base/Ini.h"
#include "base/ProgramPaths.h"
#include "lyrics/LyricsWindowControl.h"
#include "lyrics/VueOpenGL.h"

#include "tests/support/WidgetTestEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QTest>

namespace melorit::party::test {
namespace {

[[maybe_unused]] const auto *const environment =
    melorit::testing::addProgramTestEnvironment("party_tests");

} // namespace

void PartyTest::settle(int milliseconds)
{
    QTest::qWait(milliseconds);
}

void PartyTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    const QString shipped = QStringLiteral(MELORIT_OUTPUT_DIR "/");
    for (const char *name : {"en.lng", "fr.lng", "melorit.dll", "au-clair-de-la-lune.kar"}) {
        ASSERT_TRUE(QFile::copy(shipped + QLatin1StringView(name), file(QString::fromLatin1(name))))
            << name;
    }
    paths::setProgramFolder(m_dir.path());
    paths::setConfigFile(file(QStringLiteral("Melorit.ini")));
    // Not a first run: no options dialog in the way.
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("en"));
}

void PartyTest::TearDown()
{
    m_program.reset();
    paths::setProgramFolder({});
    paths::setConfigFile({});
}

void PartyTest::setting(const char *key, const QString &value)
{
    WriteIni(QStringLiteral("Lyrics"), QString::fromLatin1(key), value);
}

QString PartyTest::setting(const char *key) const
{
    return ReadIni(QStringLiteral("Lyrics"), QString::fromLatin1(key));
}

bool PartyTest::startProgram(const QStringList &songs, bool lyricsFullScreen)
{
    program::ProgramOptions options;
    options.mainWindow = [](engine::Player &player, const skins::SkinSet &skins,
                            mainwin::MainWindowHost &host) {
        return program::mainWindowParts(
            std::make_unique<mainwin::frmRovuRodu>(player, skins, host));
    };
    options.songs = songs;
    options.systemFonts = {QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2")};
    options.locale = QStringLiteral("en_US");
    options.dialogs = &m_dialogs;
    options.lyricsFullScreen = lyricsFullScreen;
    m_program = std::make_unique<program::Program>(std::move(options));
    const bool started = m_program->start();
    settle(300);
    return started;
}

lyrics::OGLWin *PartyTest::lyricsWindow() const
{
    lyrics::LyricsWindowControl *control = m_program->lyricsControl();
    return control ? control->window() : nullptr;
}

QImage PartyTest::frame() const
{
    return lyricsWindow()->view()->grabFramebuffer();
}

} // namespace melorit::party::test
