#include "ProgramFixture.h"

#include "base/Ini.h"
#include "base/ProgramPaths.h"
#include "tests/support/Bytes.h"
#include "tests/support/MidiFileBuilder.h"
#include "tests/support/WidgetTestEnvironment.h"

#include <QApplication>
#include <QFile>

namespace melorit::program::test {
namespace {

const QString kTimGM = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");

[[maybe_unused]] const auto *const environment =
    melorit::testing::addProgramTestEnvironment("program_tests");

QString shipped(const char *name)
{
    return QStringLiteral(MELORIT_SOURCE_DIR "/resources/lang/") + QString::fromUtf8(name);
}

} // namespace

void ProgramTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(QFile::copy(shipped("fr.lng"), file(QStringLiteral("fr.lng"))));
    ASSERT_TRUE(QFile::copy(shipped("en.lng"), file(QStringLiteral("en.lng"))));
    ASSERT_TRUE(QFile::copy(shipped("fr.lng"), file(QStringLiteral("melorit.dll"))));
    paths::setProgramFolder(m_dir.path());
    paths::setConfigFile(config());
}

void ProgramTest::TearDown()
{
    m_program.reset();
    paths::setProgramFolder({});
    paths::setConfigFile({});
}

QString ProgramTest::writeSong(const QString &name, int quarters) const
{
    fixtures::MidiFileBuilder song(1, 480);
    song.addTrack().tempo(500000);
    song.addTrack().programChange(0, 0).note(0, 69, 100, 0,
                                             static_cast<std::uint32_t>(quarters * 480));
    const QString path = file(name);
    EXPECT_TRUE(fixtures::writeFile(path.toStdString(), song.build()));
    return path;
}

Program &ProgramTest::makeProgram(const QStringList &songs)
{
    ProgramOptions options;
    options.mainWindow = [](engine::Player &, const skins::SkinSet &,
                            mainwin::MainWindowHost &host) {
        return mainWindowParts(std::make_unique<PlainMainWindow>(host));
    };
    options.songs = songs;
    options.systemFonts = {kTimGM};
    // No language of its own: the first run falls back to the French texts.
    options.locale = QStringLiteral("C");
    options.dialogs = &m_dialogs;
    options.renderDialogs = m_renderDialogs;
    options.chooser = m_chooser;
    m_program = std::make_unique<Program>(std::move(options));
    return *m_program;
}

bool ProgramTest::startProgram(const QStringList &songs)
{
    return makeProgram(songs).start();
}

PlainMainWindow *ProgramTest::mainWindow() const
{
    return dynamic_cast<PlainMainWindow *>(m_program->mainWindow());
}

bool ProgramTest::messageSaid(const QString &part) const
{
    for (const UserMessage &message : m_messages.messages) {
        if (message.text.contains(part)) {
            return true;
        }
    }
    return false;
}

} // namespace melorit::program::test
