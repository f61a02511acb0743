// Saves the party screen as the room sees it: the program started with
// --lyrics-fullscreen, two singers queued, the demo song just begun (its
// title card with the singer, the countdown to the first line), then near
// its end (the next singer announced under the last line), and the options
// dialog's party page.
//   XVFB_SCREEN=1920x1080x24 tests/lyricswin/xvfb-wrap.sh
//       <build>/bin/party-screenshot docs/party-screen.png docs/party-next.png
//       docs/options-party-en.png
#include "PartyFixture.h"

#include "engine/Player.h"
#include "party/PartyPage.h"
#include "songlist/SongList.h"
#include "tools/OptionsDlg.h"

#include <QFileInfo>
#include <QTabWidget>

#include <cstdio>

namespace melorit::party::test {
namespace {

QString g_titleShot;
QString g_nextShot;
QString g_optionsShot;

class PartyScreenshot : public PartyTest {
protected:
    // At a point of the song (slider value of 485), held by a pause.
    void saveAt(int position, const QString &path)
    {
        player().sldPosition_MouseUp(position, 485);
        settle(150);
        player().Action_Pause();
        settle(400);
        ASSERT_TRUE(frame().save(path)) << path.toStdString();
        player().Action_Pause(); // on again
    }
};

TEST_F(PartyScreenshot, Save)
{
    ASSERT_TRUE(startProgram({}, true));
    songlist::SongList &songs = player().playlist();
    songs.addSong(demoSong(), QStringLiteral("Anna"));
    songs.addSong(demoSong(), QStringLiteral("Ben"));
    songs.addSongs({}, false);
    player().Action_Play();
    settle(300);
    saveAt(35, g_titleShot); // 3.4 s: the title card, the countdown running
    saveAt(470, g_nextShot); // 3.5 s after the last word
    player().Action_Stop();
    if (!g_optionsShot.isEmpty()) {
        m_program->Action_Setup();
        tools::OptionsDlg *options = m_program->optionsDialog();
        options->SSTab1()->setCurrentWidget(options->partyPage());
        settle(300);
        ASSERT_TRUE(options->grab().save(g_optionsShot));
    }
}

} // namespace
} // namespace melorit::party::test

// The program changes the working folder: the pictures' paths are made
// absolute first.
QString absolute(const char *path)
{
    return QFileInfo(QString::fromLocal8Bit(path)).absoluteFilePath();
}

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: party-screenshot <title.png> <next.png> [options.png]\n");
        return 2;
    }
    melorit::party::test::g_titleShot = absolute(argv[1]);
    melorit::party::test::g_nextShot = absolute(argv[2]);
    if (argc > 3) {
        melorit::party::test::g_optionsShot = absolute(argv[3]);
    }
    return RUN_ALL_TESTS();
}
