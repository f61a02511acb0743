#include "app/program/CommandLine.h"

#include <gtest/gtest.h>

using melorit::program::songArguments;
using melorit::program::splitCommandLine;

namespace {

QStringList list(std::initializer_list<const char16_t *> items)
{
    QStringList out;
    for (const char16_t *item : items) {
        out.append(QString::fromUtf16(item));
    }
    return out;
}

} // namespace

TEST(CommandLineText, QuotedPathsSeparatedByOneSpaceGiveTwoSongs)
{
    EXPECT_EQ(splitCommandLine(QStringLiteral("\"/m/a song.kar\" \"/m/b.mid\"")),
              list({u"/m/a song.kar", u"/m/b.mid"}));
}

TEST(CommandLineText, UnquotedPathsAreSplitAtEverySpace)
{
    EXPECT_EQ(splitCommandLine(QStringLiteral("/m/a.kar /m/b.mid")),
              list({u"/m/a.kar", u"/m/b.mid"}));
    // Without quotes a path with a space becomes two entries.
    EXPECT_EQ(splitCommandLine(QStringLiteral("/m/a song.kar")), list({u"/m/a", u"song.kar"}));
}

TEST(CommandLineText, OneQuotedPathKeepsItsSpaces)
{
    EXPECT_EQ(splitCommandLine(QStringLiteral("\"/m/my song.kar\"")), list({u"/m/my song.kar"}));
}

TEST(CommandLineText, EmptyPiecesNameNoSong)
{
    EXPECT_TRUE(splitCommandLine(QString()).isEmpty());
    EXPECT_EQ(splitCommandLine(QStringLiteral("a.mid  b.mid ")), list({u"a.mid", u"b.mid"}));
    EXPECT_EQ(splitCommandLine(QStringLiteral("\"a.mid\" \"\" \"b.mid\"")),
              list({u"a.mid", u"b.mid"}));
}

TEST(CommandLineArguments, EachArgumentIsOnePathSpacesIncluded)
{
    EXPECT_EQ(songArguments(list({u"/m/my song.kar", u"/m/b.mid"})),
              list({u"/m/my song.kar", u"/m/b.mid"}));
    EXPECT_TRUE(songArguments(list({u"", u"  "})).isEmpty());
}

TEST(CommandLineArguments, AnArgumentHoldingAQuotedLineIsSplitByTheRule)
{
    EXPECT_EQ(songArguments(list({u"\"/m/a b.kar\" \"/m/c.mid\"", u"/m/d.mid"})),
              list({u"/m/a b.kar", u"/m/c.mid", u"/m/d.mid"}));
}

TEST(CommandLineArguments, LyricsFullScreenIsAnOptionOnlyBeforeTheDoubleDash)
{
    using melorit::program::startArguments;
    const auto start = startArguments(
        list({u"a.kar", u"--lyrics-fullscreen", u"--", u"--", u"--lyrics-fullscreen"}));
    EXPECT_TRUE(start.lyricsFullScreen);
    EXPECT_EQ(start.songs, list({u"a.kar", u"--", u"--lyrics-fullscreen"}));
    const auto plain = startArguments(list({u"--", u"--lyrics-fullscreen"}));
    EXPECT_FALSE(plain.lyricsFullScreen) << "after --, a song of that name";
    EXPECT_EQ(plain.songs, list({u"--lyrics-fullscreen"}));
}
