// The start-up sequence and the shutdown, with the real windows and player.
#include "ProgramFixture.h"

#include "audio/Device.h"
#include "base/Ini.h"
#include "base/TerminationSignals.h"
#include "lyrics/LyricsWindowControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include <csignal>

namespace melorit::program::test {
namespace {

// Without a stored position the main window opens with its four windows
// around it, the whole group in the middle of the screen (the secondary
// windows' frames, unknown before they are shown, may leave it a title bar
// off vertically).
void expectCentred(const Program &program)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QRect group = program.mainWindow()->geometry();
    for (int i = 0; i < kSecondaryWindowCount; ++i) {
        if (const QWidget *window = program.secondaryWindow(static_cast<SecondaryWindow>(i))) {
            group |= window->geometry();
        }
    }
    EXPECT_TRUE(screen.contains(program.mainWindow()->geometry()));
    EXPECT_NEAR(group.left() - screen.left(), screen.right() - group.right(), 1);
    EXPECT_NEAR(group.top() - screen.top(), screen.bottom() - group.bottom(), 30);
}

TEST_F(ProgramTest, FirstRunShowsTheOptionsWithTheMeloritDllTextsAndCentres)
{
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(u8(m_program->languageFile()), u8(file(QStringLiteral("melorit.dll"))));
    EXPECT_EQ(u8(m_program->languageCode()), "fr");
    ASSERT_NE(m_program->optionsDialog(), nullptr);
    EXPECT_TRUE(m_program->optionsDialog()->isVisible());
    EXPECT_TRUE(m_program->mainWindow()->isVisible());
    expectCentred(*m_program);
    // The melody muting is on unless the configuration says "0".
    EXPECT_TRUE(m_program->autoMute());
    EXPECT_TRUE(m_program->player()->mixer().state().AutoMute);
}

TEST_F(ProgramTest, AMissingLanguageFileFallsBackToFrenchWithoutAWord)
{
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("de"));
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("AutoMute"), QStringLiteral("0"));
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(u8(m_program->languageFile()), u8(file(QStringLiteral("fr.lng"))));
    EXPECT_EQ(u8(m_program->languageCode()), "fr");
    EXPECT_FALSE(messageSaid(QStringLiteral("Missing")));
    // Not a first run: no options dialog.
    EXPECT_EQ(m_program->optionsDialog(), nullptr);
    EXPECT_FALSE(m_program->autoMute());
    EXPECT_FALSE(m_program->player()->mixer().state().AutoMute);
}

TEST_F(ProgramTest, WithoutTheFrenchFileMeloritDllServes)
{
    ASSERT_TRUE(QFile::remove(file(QStringLiteral("fr.lng"))));
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("de"));
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(u8(m_program->languageFile()), u8(file(QStringLiteral("melorit.dll"))));
    EXPECT_FALSE(messageSaid(QStringLiteral("Missing")));
}

TEST_F(ProgramTest, WithoutAnyLanguageFileTheProgramSaysMissingAndEnds)
{
    ASSERT_TRUE(QFile::remove(file(QStringLiteral("fr.lng"))));
    ASSERT_TRUE(QFile::remove(file(QStringLiteral("melorit.dll"))));
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("de"));
    EXPECT_FALSE(startProgram());
    ASSERT_EQ(m_messages.messages.size(), 1U);
    const UserMessage &message = m_messages.messages.front();
    EXPECT_EQ(u8(message.text), u8(QStringLiteral("Missing ") +
                                   QDir::toNativeSeparators(file(QStringLiteral("melorit.dll")))));
    EXPECT_EQ(u8(message.title), "Error");
    EXPECT_EQ(message.icon, MessageIcon::Critical);
    EXPECT_TRUE(m_program->hasQuit());
    EXPECT_EQ(m_program->exitCode(), 1);
    EXPECT_EQ(m_program->mainWindow(), nullptr);
}

TEST_F(ProgramTest, AStoredPositionOnTheScreenPlacesTheMainWindow)
{
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("fr"));
    WriteIni(QStringLiteral("Main"), QStringLiteral("X"), QStringLiteral("1500"));
    WriteIni(QStringLiteral("Main"), QStringLiteral("Y"), QStringLiteral("750"));
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(m_program->mainWindow()->pos(), QPoint(100, 50));
}

TEST_F(ProgramTest, APositionOfMinusOneOrBeyondTheScreenCentres)
{
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("fr"));
    WriteIni(QStringLiteral("Main"), QStringLiteral("X"), QStringLiteral("-1"));
    WriteIni(QStringLiteral("Main"), QStringLiteral("Y"), QStringLiteral("750"));
    ASSERT_TRUE(startProgram());
    expectCentred(*m_program);
    m_program.reset();

    const int beyond = QGuiApplication::primaryScreen()->geometry().right() * 15 + 15;
    WriteIni(QStringLiteral("Main"), QStringLiteral("X"), QString::number(beyond));
    ASSERT_TRUE(startProgram());
    expectCentred(*m_program);
}

TEST_F(ProgramTest, ASongOnTheCommandLineStartsPlaying)
{
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("fr"));
    const QString song = writeSong(QStringLiteral("chanson à deux.mid"));
    ASSERT_TRUE(startProgram({song}));
    engine::Player &player = *m_program->player();
    ASSERT_EQ(player.playlist().count(), 1);
    EXPECT_EQ(player.playlist().CurrentSong(), 1);
    EXPECT_EQ(u8(player.SongPath()), u8(song));
    ASSERT_NE(player.stream(), nullptr);
    EXPECT_TRUE(player.ListenMode());
    EXPECT_TRUE(player.playsThroughDevice());
    EXPECT_TRUE(player.font() != nullptr);
}

TEST_F(ProgramTest, WithoutSongsNothingPlays)
{
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("fr"));
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(m_program->player()->stream(), nullptr);
    EXPECT_EQ(m_program->player()->playlist().CurrentSong(), 0);
    // The SoundFont was found without asking.
    EXPECT_EQ(m_dialogs.chooserCalls, 0);
    const std::optional<tools::LoadedFont> font = m_program->loadedFont();
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(u8(font->path), "/usr/share/sounds/sf2/TimGM6mb.sf2");
    EXPECT_EQ(font->presetCount, m_program->player()->font()->presetCount());
    EXPECT_GT(font->presetCount, 128) << "melodic presets and drum kits";
}

TEST_F(ProgramTest, WithoutASoundDeviceTheStatusAreaSaysSoOnceWithoutAMessage)
{
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("en"));
    ASSERT_FALSE(audio::isInitialised());
    const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "melorit-no-such-driver");
    const bool started = startProgram();
    qputenv("SDL_AUDIODRIVER", driver);
    ASSERT_TRUE(started);
    EXPECT_EQ(mainWindow()->statuses,
              std::vector<QString>{QStringLiteral("No sound device: playing silently")});
    // No box about it (the offscreen display's missing OpenGL has one).
    EXPECT_FALSE(messageSaid(QStringLiteral("sound device")));
    EXPECT_TRUE(m_dialogs.messages.empty());

    // A chosen silent driver is no surprise: nothing is said.
    m_program->QuitProgram();
    ASSERT_FALSE(audio::isInitialised());
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(mainWindow()->statuses.empty());
}

TEST_F(ProgramTest, QuitProgramStopsTheSongFreesTheDeviceAndUnloadsEveryWindow)
{
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("fr"));
    WriteIni(QStringLiteral("Reglage"), QStringLiteral("Show"), QStringLiteral("1"));
    ASSERT_TRUE(startProgram({writeSong(QStringLiteral("s.mid"))}));
    m_program->Action_Help();
    m_program->Action_Setup();
    ASSERT_NE(m_program->player()->stream(), nullptr);
    ASSERT_TRUE(audio::isInitialised());

    m_program->QuitProgram();
    EXPECT_TRUE(m_program->closingDown());
    EXPECT_EQ(m_program->player()->stream(), nullptr);
    EXPECT_FALSE(audio::isInitialised());
    EXPECT_EQ(m_program->channelPanel(), nullptr);
    EXPECT_EQ(m_program->effectsPanel(), nullptr);
    EXPECT_EQ(m_program->playlistWindow(), nullptr);
    EXPECT_EQ(m_program->aboutBox(), nullptr);
    EXPECT_EQ(m_program->optionsDialog(), nullptr);
    EXPECT_FALSE(m_program->lyricsControl()->windowExists());
    EXPECT_FALSE(m_program->mainWindow()->isVisible());
    EXPECT_EQ(m_program->exitCode(), 0);
    // A second call (the main window's close after the shutdown) does nothing.
    m_program->QuitProgram();
    EXPECT_TRUE(m_program->hasQuit());
}

TEST_F(ProgramTest, ClosingTheMainWindowRunsTheShutdown)
{
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("fr"));
    ASSERT_TRUE(startProgram());
    m_program->mainWindow()->close();
    EXPECT_TRUE(m_program->hasQuit());
    EXPECT_FALSE(m_program->mainWindow()->isVisible());
    EXPECT_EQ(m_program->playlistWindow(), nullptr);
}

TEST_F(ProgramTest, ASignalWhilePlayingRunsTheShutdown)
{
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("en"));
    signals::catchTermination(); // as main() does, before the sound device starts
    ASSERT_TRUE(startProgram({writeSong(QStringLiteral("a.mid"), 64)}));
    m_program->quitOnTerminationSignals();
    ASSERT_TRUE(audio::isInitialised());
    ASSERT_NE(m_program->player()->stream(), nullptr);
    std::raise(SIGTERM);
    QElapsedTimer waited;
    waited.start();
    while (!m_program->hasQuit() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_TRUE(m_program->hasQuit());
    EXPECT_EQ(m_program->player()->stream(), nullptr);
    EXPECT_FALSE(audio::isInitialised());
    EXPECT_EQ(m_program->playlistWindow(), nullptr);
}

} // namespace
} // namespace melorit::program::test
