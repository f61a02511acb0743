#include "songlist/ListFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace melorit::songlist;

TEST(ListFile, ExtendedM3uYieldsOnlySongLines)
{
    const QByteArray text = "#EXTM3U\r\n#EXTINF:123,Artist - Title\r\n  song.kar  \r\n"
                            "cover.jpg\r\n\r\n#x.mid\r\nother.MID\n";
    EXPECT_EQ(parseListFile(text, QStringLiteral("/lists/a.m3u")),
              (QStringList{QStringLiteral("/lists/song.kar"), QStringLiteral("/lists/other.MID")}));
}

TEST(ListFile, EveryLineEndingSeparatesEntries)
{
    const QByteArray oldMac = "a.kar\rb.mid\r#c.kar\rd.kar";
    EXPECT_EQ(parseListFile(oldMac, QStringLiteral("/l/x.m3u")),
              (QStringList{QStringLiteral("/l/a.kar"), QStringLiteral("/l/b.mid"),
                           QStringLiteral("/l/d.kar")}));
    const QByteArray mixed = "a.kar\r\nb.mid\nc.kar\r\r\nd.kar\n\re.kar";
    EXPECT_EQ(parseListFile(mixed, QStringLiteral("/l/x.m3u")).size(), 5);
}

TEST(ListFile, EntriesResolveAgainstTheListFolder)
{
    const QByteArray text = "song.kar\r\nsub\\deep.mid\r\n/music/song.kar\r\n"
                            "\\\\server\\share\\s.mid\r\nD:\\x\\song.mid\r\n";
    EXPECT_EQ(parseListFile(text, QStringLiteral("/home/me/lists/a.m3u")),
              (QStringList{QStringLiteral("/home/me/lists/song.kar"),
                           QStringLiteral("/home/me/lists/sub/deep.mid"),
                           QStringLiteral("/music/song.kar"),
                           QStringLiteral("//server/share/s.mid"), QStringLiteral("/x/song.mid")}));
}

TEST(ListFile, OnlySongEndingsAreEntries)
{
    EXPECT_TRUE(isSongEntry(QStringLiteral("a.midi")));
    EXPECT_TRUE(isSongEntry(QStringLiteral("a.Kar")));
    EXPECT_FALSE(isSongEntry(QStringLiteral("a.rmi")));
    EXPECT_FALSE(isSongEntry(QStringLiteral("mid")));
}

TEST(ListFile, SavedPathsAreRelativeToTheListFolder)
{
    const QStringList songs{QStringLiteral("/lists/a/b.mid"), QStringLiteral("/music/c.mid"),
                            QStringLiteral("/LISTS/d.mid"), QStringLiteral("/lists/e.kar")};
    EXPECT_EQ(formatListFile(songs, QStringLiteral("/lists/b.mpl")),
              QByteArray("a/b.mid\r\n/music/c.mid\r\n/LISTS/d.mid\r\ne.kar\r\n"));
}

TEST(ListFile, EncodingKeepsOldListsReadableAndLosesNothing)
{
    const QStringList accented{QStringLiteral("/m/Frère.kar")};
    EXPECT_EQ(formatListFile(accented, QStringLiteral("/l/a.m3u")),
              QByteArray("/m/Fr\xE8re.kar\r\n"));
    const QStringList japanese{QStringLiteral("/m/歌.kar")};
    const QByteArray utf8 = formatListFile(japanese, QStringLiteral("/l/a.m3u"));
    EXPECT_EQ(parseListFile(utf8, QStringLiteral("/l/a.m3u")), japanese);
    EXPECT_EQ(parseListFile("Fr\xE8re.kar", QStringLiteral("/m/a.m3u")), accented);
}

TEST(ListFile, RoundTripThroughDisk)
{
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("b.m3u"));
    const QStringList songs{dir.filePath(QStringLiteral("x/one.kar")),
                            QStringLiteral("/elsewhere/two.mid")};
    ASSERT_TRUE(writeListFile(songs, list));
    EXPECT_EQ(readListFile(list), songs);
    EXPECT_FALSE(readListFile(dir.filePath(QStringLiteral("missing.m3u"))).has_value());
    EXPECT_FALSE(readListFile(dir.path()).has_value());
    EXPECT_FALSE(writeListFile(songs, dir.filePath(QStringLiteral("no/such/folder.m3u"))));
}

TEST(ListFile, DisplayNames)
{
    EXPECT_EQ(SongDisplayName(QStringLiteral("/s/My_Song.kar")), u"My Song");
    EXPECT_EQ(SongDisplayName(QStringLiteral("/s/Rock%20%26%20Roll.mid")), u"Rock & Roll");
    EXPECT_EQ(SongDisplayName(QStringLiteral("/s/a%7e.mid")), u"a~");
    EXPECT_EQ(SongDisplayName(QStringLiteral("/s/100%.mid")), u"100 ");
    EXPECT_EQ(SongDisplayName(QStringLiteral("/s/a%0Ab.mid")), u"a 0Ab");
    EXPECT_EQ(SongDisplayName(QStringLiteral("/s/a%80.mid")), u"a 80");
    EXPECT_EQ(SongDisplayName(QStringLiteral("/s/v1.2.kar")), u"v1.2");
    EXPECT_EQ(SongDisplayName(QStringLiteral("noext")), u"noext");
}
