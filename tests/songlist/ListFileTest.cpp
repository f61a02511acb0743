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

TEST(ListFile, SingerCommentsNameTheNextEntryOnly)
{
    const QByteArray text = "#EXTM3U\r\n#SINGER: Anna \r\n#EXTINF:1,A\r\na.kar\r\nb.kar\r\n"
                            "#singer:Bob\r\n#SINGER:Chloé\r\nc.mid\r\n#SINGER:\r\nd.mid\r\n"
                            "#SINGER:Nobody after\r\n";
    const QList<ListEntry> entries = parseListEntries(text, QStringLiteral("/l/x.m3u"));
    EXPECT_EQ(entries, (QList<ListEntry>{{QStringLiteral("/l/a.kar"), QStringLiteral("Anna")},
                                         {QStringLiteral("/l/b.kar"), {}},
                                         {QStringLiteral("/l/c.mid"), QStringLiteral("Chloé")},
                                         {QStringLiteral("/l/d.mid"), {}}}));
    // A reader that knows nothing of singers takes them as comments.
    EXPECT_EQ(parseListFile(text, QStringLiteral("/l/x.m3u")),
              parseListFile("a.kar\r\nb.kar\r\nc.mid\r\nd.mid\r\n", QStringLiteral("/l/x.m3u")));
}

TEST(ListFile, SingersAreWrittenBeforeTheirEntriesAndReadBack)
{
    const QString list = QStringLiteral("/lists/party.mpl");
    const QList<ListEntry> entries{{QStringLiteral("/lists/a.kar"), QStringLiteral("Anna")},
                                   {QStringLiteral("/music/b.mid"), {}},
                                   {QStringLiteral("/lists/c.kar"), QStringLiteral("Zoë")}};
    const QByteArray written = formatListFile(entries, list);
    EXPECT_EQ(written,
              QByteArray("#SINGER:Anna\r\na.kar\r\n/music/b.mid\r\n#SINGER:Zo\xEB\r\nc.kar\r\n"));
    EXPECT_EQ(parseListEntries(written, list), entries);
    EXPECT_EQ(parseListFile(written, list), pathsOf(entries));

    const QList<ListEntry> japanese{{QStringLiteral("/lists/a.kar"), QStringLiteral("歌手")}};
    EXPECT_EQ(parseListEntries(formatListFile(japanese, list), list), japanese) << "UTF-8";
    // A name is one line: nothing it holds can start another entry.
    const QList<ListEntry> sneaky{
        {QStringLiteral("/lists/a.kar"), QStringLiteral(" Eve\r\nx.kar\t")}};
    EXPECT_EQ(formatListFile(sneaky, list), QByteArray("#SINGER:Eve x.kar\r\na.kar\r\n"));

    // Without singers the bytes are those of the songs alone.
    const QStringList songs{QStringLiteral("/lists/a.kar"), QStringLiteral("/music/b.mid")};
    EXPECT_EQ(formatListFile(entriesOf(songs), list), formatListFile(songs, list));
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
