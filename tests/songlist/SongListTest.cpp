#include "songlist/SongList.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace melorit::songlist;

namespace {

QStringList names(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i) {
        out.append(QStringLiteral("/s/%1.kar").arg(i));
    }
    return out;
}

} // namespace

TEST(SongList, AddingMakesTheFirstSongCurrent)
{
    SongList list;
    QSignalSpy added(&list, &SongList::songAdded);
    list.addSongs(names(2), false);
    EXPECT_EQ(added.count(), 2);
    EXPECT_EQ(list.CurrentSong(), 1);
    EXPECT_EQ(list.mark(), 1);
    list.addSongs(names(3), true);
    EXPECT_EQ(list.count(), 5);
    EXPECT_EQ(list.CurrentSong(), 3) << "play now starts the first added song";
    list.addSongs({}, true);
    EXPECT_EQ(list.CurrentSong(), 3);
    EXPECT_EQ(list.song(0), QString());
    EXPECT_EQ(list.song(6), QString());
}

TEST(SongList, RemovingAboveTheCurrentSongKeepsIt)
{
    SongList list;
    list.addSongs(names(5), false);
    list.setCurrentSong(4);
    list.selectCurrent();
    list.removeRows({1, 2});
    EXPECT_EQ(list.CurrentSong(), 2);
    EXPECT_EQ(list.song(2), u"/s/4.kar");
    EXPECT_EQ(list.mark(), 2);
}

TEST(SongList, RemovingTheMarkedLastLineLeavesNoCurrentSong)
{
    SongList list;
    list.addSongs(names(3), false);
    list.setCurrentSong(3);
    list.selectCurrent();
    list.removeRows({3});
    EXPECT_EQ(list.CurrentSong(), 0);
    EXPECT_EQ(list.mark(), 0);
}

TEST(SongList, RemovingTheMarkedMiddleLineMovesToTheNextSong)
{
    SongList list;
    list.addSongs(names(3), false);
    list.setCurrentSong(2);
    list.selectCurrent();
    list.removeRows({2, 2, 9});
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.CurrentSong(), 2);
    EXPECT_EQ(list.song(2), u"/s/3.kar");
}

TEST(SongList, ClearForgetsEverything)
{
    SongList list;
    list.addSongs(names(3), false);
    QSignalSpy mark(&list, &SongList::markMoved);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.CurrentSong(), 0);
    ASSERT_EQ(mark.count(), 1);
    EXPECT_EQ(mark.at(0).at(0).toInt(), 0);
}

TEST(SongList, ShuffleKeepsTheCurrentSongCurrent)
{
    SongList list(VbRandom::kUnseeded); // a fixed series: the order surely changes
    list.addSongs(names(8), false);
    list.setCurrentSong(5);
    list.selectCurrent();
    list.shuffle();
    EXPECT_EQ(list.song(list.CurrentSong()), u"/s/5.kar");
    EXPECT_EQ(list.mark(), list.CurrentSong());
    QStringList sorted = list.songs();
    sorted.sort();
    QStringList expected = names(8);
    expected.sort();
    EXPECT_EQ(sorted, expected);
    EXPECT_NE(list.songs(), names(8));
}

TEST(SongList, ShuffleRepeatsForTheSameSeed)
{
    SongList a(VbRandom::kUnseeded);
    SongList b(VbRandom::kUnseeded);
    a.addSongs(names(6), false);
    b.addSongs(names(6), false);
    a.shuffle();
    b.shuffle();
    EXPECT_EQ(a.songs(), b.songs());
    a.shuffle();
    EXPECT_NE(a.songs(), b.songs()) << "the series goes on between shuffles";
    SongList c(12345);
    c.addSongs(names(6), false);
    c.shuffle();
    EXPECT_NE(c.songs(), b.songs()) << "another seed, another order";
}

TEST(SongList, ShufflingOneEntryChangesNothing)
{
    SongList list;
    list.addSongs(names(1), false);
    list.shuffle();
    EXPECT_EQ(list.songs(), names(1));
    EXPECT_EQ(list.CurrentSong(), 1);
}

TEST(SongList, SingersStayWithTheirEntries)
{
    SongList list(VbRandom::kUnseeded);
    list.addSongs(names(6), false);
    for (int i = 1; i <= 6; ++i) {
        list.setSinger(i, QStringLiteral("singer %1").arg(i));
    }
    QSignalSpy changed(&list, &SongList::singerChanged);
    list.setSinger(2, QStringLiteral("  singer 2 "));
    EXPECT_EQ(changed.count(), 0) << "the same name once cleaned";
    list.setSinger(7, QStringLiteral("nobody"));
    EXPECT_EQ(changed.count(), 0);
    list.shuffle();
    list.removeRows({1, 4});
    for (int i = 1; i <= list.count(); ++i) {
        const QString number = QFileInfo(list.song(i)).baseName();
        EXPECT_EQ(list.singer(i), QStringLiteral("singer ") + number) << i;
    }
    list.clear();
    list.addSong(QStringLiteral("/s/x.kar"));
    EXPECT_EQ(list.singer(1), QString());
}

TEST(SongList, SingersSurviveSavingAndLoadingBothListTypes)
{
    QTemporaryDir dir;
    SongList list;
    list.addSongs({dir.filePath(QStringLiteral("a.kar")), QStringLiteral("/elsewhere/b.mid"),
                   dir.filePath(QStringLiteral("c.kar"))},
                  false);
    list.setSinger(1, QStringLiteral("Anna"));
    list.setSinger(3, QStringLiteral("Ben & Chloé"));
    for (const char *name : {"party.m3u", "party.mpl"}) {
        const QString file = dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(list.saveList(file));
        SongList loaded;
        ASSERT_TRUE(loaded.loadLists({file}));
        EXPECT_EQ(loaded.entries(), list.entries()) << name;
    }
}

TEST(VbRandom, KnownSeries)
{
    // The first values of the unseeded series.
    VbRandom r;
    EXPECT_NEAR(r.next(), 0.7055475, 1e-7);
    EXPECT_NEAR(r.next(), 0.533424, 1e-6);
    EXPECT_NEAR(r.next(), 0.5795186, 1e-7);
}
