// The secondary windows' lifecycle, drops and the options dialog's requests.
#include "ProgramFixture.h"

#include "base/Ini.h"
#include "base/Language.h"
#include "base/TextUtil.h"
#include "lyrics/LyricsWindowControl.h"

#include <QCoreApplication>
#include <QFile>

namespace melorit::program::test {
namespace {

const QString kShow = QStringLiteral("Show");

class ProgramWindowsTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("fr"));
    }
    static void setOffset(const char *section, int x, int y)
    {
        WriteIni(QString::fromLatin1(section), QStringLiteral("X"), QString::number(x));
        WriteIni(QString::fromLatin1(section), QStringLiteral("Y"), QString::number(y));
    }
    static QString stored(const char *section, const char *key)
    {
        return ReadIni(QString::fromLatin1(section), QString::fromLatin1(key));
    }
};

TEST_F(ProgramWindowsTest, MovingTheMainWindowMovesAllFourByTheirOffsetsVisibleOrNot)
{
    setOffset("Reglage", 150, 300);
    setOffset("Reverb", 300, -150);
    setOffset("Paroles", 0, 1500);
    setOffset("PlayList", 3000, 0);
    WriteIni(QStringLiteral("Reglage"), kShow, QStringLiteral("1"));
    ASSERT_TRUE(startProgram());
    const std::array<QPoint, kSecondaryWindowCount> pixels{QPoint(10, 20), QPoint(20, -10),
                                                           QPoint(0, 100), QPoint(200, 0)};
    for (int i = 0; i < kSecondaryWindowCount; ++i) {
        ASSERT_NE(m_program->secondaryWindow(static_cast<SecondaryWindow>(i)), nullptr) << i;
    }

    m_program->mainWindow()->move(200, 100);
    QCoreApplication::processEvents();
    for (int i = 0; i < kSecondaryWindowCount; ++i) {
        const auto which = static_cast<SecondaryWindow>(i);
        EXPECT_EQ(m_program->secondaryWindow(which)->pos(),
                  QPoint(200, 100) + pixels[static_cast<std::size_t>(i)])
            << i;
        EXPECT_EQ(m_program->offset(which), pixels[static_cast<std::size_t>(i)] * 15) << i;
    }
    EXPECT_FALSE(m_program->effectsPanel()->isVisible());
    EXPECT_EQ(u8(stored("Main", "X")), "3000");
    EXPECT_EQ(u8(stored("Main", "Y")), "1500");
    EXPECT_EQ(u8(stored("Reglage", "X")), "150");
    EXPECT_EQ(u8(stored("Reverb", "Y")), "-150");
    EXPECT_EQ(u8(stored("Paroles", "Y")), "1500");
    EXPECT_EQ(u8(stored("PlayList", "X")), "3000");
}

TEST_F(ProgramWindowsTest, AWindowMovedByTheUserKeepsItsNewOffset)
{
    ASSERT_TRUE(startProgram());
    m_program->mainWindow()->move(100, 100);
    m_program->Action_Reglage();
    m_program->channelPanel()->move(130, 145);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_program->offset(SecondaryWindow::Reglage), QPoint(450, 675));
    EXPECT_EQ(u8(stored("Reglage", "X")), "450");
    // The main window moves: the panel follows with its new offset.
    m_program->mainWindow()->move(50, 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_program->channelPanel()->pos(), QPoint(80, 105));
}

TEST_F(ProgramWindowsTest, ShowKeysDecideWhichWindowsOpenAndHowTheirButtonsAreDrawn)
{
    WriteIni(QStringLiteral("Reglage"), kShow, QStringLiteral("1"));
    WriteIni(QStringLiteral("Reverb"), kShow, QStringLiteral("yes"));
    WriteIni(QStringLiteral("PlayList"), kShow, QStringLiteral("1"));
    WriteIni(QStringLiteral("Lyrics"), kShow, QStringLiteral("0"));
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(m_program->channelPanel()->isVisible());
    EXPECT_FALSE(m_program->effectsPanel()->isVisible());
    EXPECT_TRUE(m_program->playlistWindow()->isVisible());
    EXPECT_FALSE(m_program->lyricsControl()->lyricsShown());
    EXPECT_EQ(mainWindow()->buttonState(kReglageButton), 1);
    EXPECT_EQ(mainWindow()->buttonState(kReverbButton), 0);
    EXPECT_EQ(mainWindow()->buttonState(kPlaylistButton), 1);
    EXPECT_EQ(mainWindow()->buttonState(kLyricsButton), 0);
}

TEST_F(ProgramWindowsTest, TheToggleButtonsShowAndHideAndRememberIt)
{
    ASSERT_TRUE(startProgram());
    m_program->Action_Reverb();
    EXPECT_TRUE(m_program->effectsPanel()->isVisible());
    EXPECT_EQ(u8(stored("Reverb", "Show")), "1");
    EXPECT_EQ(mainWindow()->buttonState(kReverbButton), 1);
    m_program->Action_Reverb();
    EXPECT_FALSE(m_program->effectsPanel()->isVisible());
    EXPECT_EQ(u8(stored("Reverb", "Show")), "0");
    EXPECT_EQ(mainWindow()->buttonState(kReverbButton), 0);

    m_program->Action_Lyrics();
    EXPECT_TRUE(m_program->lyricsControl()->lyricsShown());
    EXPECT_EQ(u8(stored("Lyrics", "Show")), "1");
    EXPECT_EQ(mainWindow()->buttonState(kLyricsButton), 1);
    m_program->Action_Playlist();
    EXPECT_TRUE(m_program->playlistWindow()->isVisible());
    EXPECT_EQ(mainWindow()->buttonState(kPlaylistButton), 1);
}

TEST_F(ProgramWindowsTest, ClosingAWindowHidesItWritesShowZeroAndDrawsItsButtonOff)
{
    WriteIni(QStringLiteral("Reglage"), kShow, QStringLiteral("1"));
    WriteIni(QStringLiteral("Reverb"), kShow, QStringLiteral("1"));
    WriteIni(QStringLiteral("PlayList"), kShow, QStringLiteral("1"));
    ASSERT_TRUE(startProgram());
    ASSERT_EQ(mainWindow()->buttonState(kReglageButton), 1);

    m_program->channelPanel()->close();
    m_program->effectsPanel()->close();
    m_program->playlistWindow()->close();
    // Hidden, not destroyed.
    ASSERT_NE(m_program->channelPanel(), nullptr);
    EXPECT_FALSE(m_program->channelPanel()->isVisible());
    EXPECT_FALSE(m_program->effectsPanel()->isVisible());
    EXPECT_FALSE(m_program->playlistWindow()->isVisible());
    EXPECT_EQ(u8(stored("Reglage", "Show")), "0");
    EXPECT_EQ(u8(stored("Reverb", "Show")), "0");
    EXPECT_EQ(u8(stored("PlayList", "Show")), "0");
    EXPECT_EQ(mainWindow()->buttonState(kReglageButton), 0);
    EXPECT_EQ(mainWindow()->buttonState(kReverbButton), 0);
    EXPECT_EQ(mainWindow()->buttonState(kPlaylistButton), 0);
}

TEST_F(ProgramWindowsTest, ClosingTheProgramWithWindowsOpenKeepsShowOne)
{
    WriteIni(QStringLiteral("Reglage"), kShow, QStringLiteral("1"));
    WriteIni(QStringLiteral("PlayList"), kShow, QStringLiteral("1"));
    ASSERT_TRUE(startProgram());
    m_program->Action_Lyrics();
    m_program->QuitProgram();
    EXPECT_EQ(u8(stored("Reglage", "Show")), "1");
    EXPECT_EQ(u8(stored("PlayList", "Show")), "1");
    EXPECT_EQ(u8(stored("Lyrics", "Show")), "1");
}

TEST_F(ProgramWindowsTest, DroppedSongsAreQueuedAndADroppedSoundFontLoadedWithoutPlaying)
{
    ASSERT_TRUE(startProgram());
    const QString song = writeSong(QStringLiteral("song.KAR"));
    const QString bank = file(QStringLiteral("bank.sf2"));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"), bank));
    const QString notes = file(QStringLiteral("notes.txt"));
    m_program->GereDrop(
        {song, bank, notes, file(QStringLiteral("x.ID")), file(QStringLiteral("MID"))});
    engine::Player &player = *m_program->player();
    EXPECT_EQ(player.playlist().songs(), QStringList({song}));
    EXPECT_EQ(player.playlist().CurrentSong(), 1);
    EXPECT_EQ(u8(player.SongPath()), u8(song));
    EXPECT_EQ(u8(player.FontPath()), u8(bank));
    EXPECT_EQ(u8(ReadIni(QStringLiteral("SF2"), QStringLiteral("Base"))), u8(bank));
    EXPECT_EQ(player.stream(), nullptr);
    EXPECT_EQ(m_program->playlistWindow()->lines().count(), 1);
}

TEST_F(ProgramWindowsTest, HelpAndSetupOpenTheirWindowsOnceAndBringThemToTheFront)
{
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(m_program->aboutBox(), nullptr);
    m_program->Action_Help();
    ASSERT_NE(m_program->aboutBox(), nullptr);
    EXPECT_TRUE(m_program->aboutBox()->isVisible());
    tools::frmAbout *first = m_program->aboutBox();
    m_program->Action_Help();
    EXPECT_EQ(m_program->aboutBox(), first);
    m_program->Action_Setup();
    ASSERT_NE(m_program->optionsDialog(), nullptr);
    EXPECT_TRUE(m_program->optionsDialog()->isVisible());
}

TEST_F(ProgramWindowsTest, ALanguageChangeReachesEveryWindowAndTheTitle)
{
    ASSERT_TRUE(startProgram());
    const QString english = file(QStringLiteral("en.lng"));
    const QString englishList =
        languageText(english, QStringLiteral("PlayList"), QStringLiteral("Caption"));
    ASSERT_NE(u8(englishList), u8(m_program->playlistWindow()->windowTitle()));
    m_program->reloadAllLanguages(english);
    EXPECT_EQ(u8(m_program->languageCode()),
              u8(ReadIni(QStringLiteral("MELORIT"), QStringLiteral("Lng"), english)));
    EXPECT_EQ(u8(m_program->playlistWindow()->windowTitle()), u8(englishList));
    EXPECT_EQ(u8(m_program->channelPanel()->caption()),
              u8(languageText(english, QStringLiteral("Reglage"), QStringLiteral("Caption"))));
    // The title comes from the new file.
    EXPECT_EQ(u8(m_program->mainWindow()->windowTitle()),
              u8(text::fillPlaceholders(
                  languageText(english, QStringLiteral("Main"), QStringLiteral("Main.Caption")),
                  languageText(english, QStringLiteral("Main"), QStringLiteral("Titre(0)")))));
    // Windows not opened yet are created for the change.
    EXPECT_NE(m_program->aboutBox(), nullptr);
    EXPECT_NE(m_program->optionsDialog(), nullptr);
}

TEST_F(ProgramWindowsTest, AutoMuteTakesEffectAtOnce)
{
    ASSERT_TRUE(startProgram());
    m_program->setAutoMute(false);
    EXPECT_FALSE(m_program->autoMute());
    EXPECT_FALSE(m_program->player()->mixer().state().AutoMute);
    m_program->setAutoMute(true);
    EXPECT_TRUE(m_program->player()->mixer().state().AutoMute);
}

} // namespace
} // namespace melorit::program::test
