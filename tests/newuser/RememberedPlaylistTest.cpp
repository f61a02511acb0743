// The playlist and its current song outlive the program: the next start
// shows them again, ready to play, without playing on its own.
#include "NewUserFixture.h"

#include "songlist/ListFile.h"
#include "songlist/SongList.h"

#include <QFile>

namespace melorit::newuser::test {
namespace {

class RememberedPlaylistTest : public NewUserTest {
protected:
    QString copyOfDemo(const QString &name)
    {
        const QString path = file(name);
        EXPECT_TRUE(QFile::copy(demoSong(), path));
        return path;
    }
    songlist::SongList &songs() const { return player().playlist(); }
    void restart(const QStringList &songs = {})
    {
        m_program->QuitProgram();
        m_program.reset();
        ASSERT_TRUE(startProgram(songs));
    }
};

TEST_F(RememberedPlaylistTest, TheNextStartShowsTheListAndItsCurrentSongWithoutPlaying)
{
    const QString second = copyOfDemo(QStringLiteral("second song.kar"));
    ASSERT_TRUE(startProgram({demoSong()}));
    ASSERT_NE(player().stream(), nullptr);
    songs().addSong(second);
    songs().setSinger(2, QStringLiteral("Anna"));
    player().Action_Next();
    settle();
    ASSERT_EQ(songs().CurrentSong(), 2);

    restart();
    EXPECT_EQ(songs().songs(), (QStringList{demoSong(), second}));
    EXPECT_EQ(songs().singer(2), u"Anna");
    EXPECT_EQ(songs().CurrentSong(), 2);
    EXPECT_EQ(songs().mark(), 2);
    EXPECT_EQ(player().SongPath(), second);
    EXPECT_TRUE(mainWindow()->windowTitle().contains(u"second song"))
        << mainWindow()->windowTitle().toStdString();
    EXPECT_EQ(player().stream(), nullptr);
    // Play takes it up.
    player().Action_Play();
    EXPECT_EQ(player().SongPath(), second);

    // A song given on the command line joins the list and plays at once.
    const QString third = copyOfDemo(QStringLiteral("third.kar"));
    restart({third});
    EXPECT_EQ(songs().count(), 3);
    EXPECT_EQ(songs().CurrentSong(), 3);
    EXPECT_NE(player().stream(), nullptr);

    // An emptied list stays empty.
    songs().clear();
    restart();
    EXPECT_EQ(songs().count(), 0);
    EXPECT_EQ(songs().CurrentSong(), 0);
}

} // namespace
} // namespace melorit::newuser::test
