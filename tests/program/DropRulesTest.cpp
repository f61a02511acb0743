#include "app/program/DropRules.h"

#include <gtest/gtest.h>

using namespace melorit::program;

TEST(DropRules, ExtensionsAreComparedWholeAndInAnyCase)
{
    const QString songs = QStringLiteral("MID,KAR");
    EXPECT_TRUE(extensionListed(QStringLiteral("/m/song.KAR"), songs));
    EXPECT_TRUE(extensionListed(QStringLiteral("/m/song.mid"), songs));
    EXPECT_TRUE(extensionListed(QStringLiteral("/m/song.kar"), QStringLiteral("mid,kar")));
    // "ID" is part of "MID" but not an entry of the list.
    EXPECT_FALSE(extensionListed(QStringLiteral("/m/song.ID"), songs));
    EXPECT_FALSE(extensionListed(QStringLiteral("/m/song.MI"), songs));
    EXPECT_FALSE(extensionListed(QStringLiteral("/m/song.MID,KAR"), QStringLiteral("MID")));
}

TEST(DropRules, ANameWithoutDotHasNoExtension)
{
    EXPECT_FALSE(extensionListed(QStringLiteral("/m/MID"), QStringLiteral("MID")));
    EXPECT_FALSE(extensionListed(QStringLiteral("/m/songs.mid/readme"), QStringLiteral("MID")));
    EXPECT_FALSE(extensionListed(QStringLiteral("/m/song"), QStringLiteral("MID,")));
}

TEST(DropRules, SongsAreKeptInOrderAndTheLastSoundFontWins)
{
    const DroppedFiles dropped =
        sortDroppedFiles({QStringLiteral("/m/song.KAR"), QStringLiteral("/m/bank.sf2"),
                          QStringLiteral("/m/notes.txt"), QStringLiteral("/m/b.mid"),
                          QStringLiteral("/m/other.SF2")},
                         QStringLiteral("MID,KAR"), QStringLiteral("SF2"));
    EXPECT_EQ(dropped.songs,
              QStringList({QStringLiteral("/m/song.KAR"), QStringLiteral("/m/b.mid")}));
    EXPECT_EQ(dropped.soundFont, QStringLiteral("/m/other.SF2"));
}

TEST(DropRules, WithoutListsNothingIsTaken)
{
    const DroppedFiles dropped = sortDroppedFiles({QStringLiteral("/m/song.mid")}, {}, {});
    EXPECT_TRUE(dropped.songs.isEmpty());
    EXPECT_TRUE(dropped.soundFont.isEmpty());
}
