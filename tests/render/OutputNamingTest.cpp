#include "export/OutputNaming.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace melorit::exporting {
namespace {

const QString kSong = QStringLiteral("/songs/pop/My Song.kar");

ExportSettings withScheme(const QString &folder, const QString &scheme, int encoding = 1)
{
    ExportSettings settings;
    settings.SaveFolder = folder;
    settings.SaveScheme = scheme;
    settings.Encoding = encoding;
    return settings;
}

SongTags artistTitle(const QString &artist, const QString &title)
{
    SongTags tags;
    tags.Artist = artist;
    tags.Title = title;
    return tags;
}

TEST(OutputNaming, WithoutSettingsTheSongsFolderAndNameAreUsed)
{
    const OutputPaths paths = BuildOutputPaths(kSong, ExportSettings{}, SongTags{});
    EXPECT_EQ(paths.Full, QStringLiteral("/songs/pop/My Song"));
    EXPECT_EQ(paths.OutputPath, QStringLiteral("/songs/pop/My Song.wav"));
    EXPECT_EQ(paths.LyricsFilePath, QStringLiteral("/songs/pop/My Song.kok"));
}

TEST(OutputNaming, ExtensionFollowsTheEncoding)
{
    EXPECT_EQ(BuildOutputPaths(kSong, withScheme({}, {}, 1), {}).OutputPath,
              QStringLiteral("/songs/pop/My Song.mp3"));
    EXPECT_EQ(BuildOutputPaths(kSong, withScheme({}, {}, 2), {}).OutputPath,
              QStringLiteral("/songs/pop/My Song.ogg"));
    // No encoder for other values: the path has no extension at all.
    EXPECT_EQ(BuildOutputPaths(kSong, withScheme({}, {}, 7), {}).OutputPath,
              QStringLiteral("/songs/pop/My Song"));
    EXPECT_EQ(BuildOutputPaths(kSong, withScheme({}, {}, 7), {}).LyricsFilePath,
              QStringLiteral("/songs/pop/My Song.kok"));
}

TEST(OutputNaming, SaveFolderGetsItsSeparatorAndReplacesTheSongsFolder)
{
    const OutputPaths paths = BuildOutputPaths(kSong, withScheme(QStringLiteral("/out"), {}), {});
    EXPECT_EQ(paths.OutputPath, QStringLiteral("/out/My Song.mp3"));
}

TEST(OutputNaming, NameWithoutExtensionKeepsDotsOfFolders)
{
    const OutputPaths paths =
        BuildOutputPaths(QStringLiteral("/a.b/c.d/song.v2.mid"), ExportSettings{}, {});
    EXPECT_EQ(paths.Full, QStringLiteral("/a.b/c.d/song.v2"));
    EXPECT_EQ(BuildOutputPaths(QStringLiteral("/a.b/noext"), ExportSettings{}, {}).Full,
              QStringLiteral("/a.b/noext"));
}

TEST(OutputNaming, SchemeWithArtistAndTitleMakesASubFolder)
{
    const OutputPaths paths =
        BuildOutputPaths(kSong, withScheme(QStringLiteral("/out/"), QStringLiteral("%A/%a - %T")),
                         artistTitle(QStringLiteral("Abba"), QStringLiteral("Waterloo")));
    EXPECT_EQ(paths.OutputPath, QStringLiteral("/out/Abba/Abba - Waterloo.mp3"));
    EXPECT_EQ(paths.LyricsFilePath, QStringLiteral("/out/Abba/Abba - Waterloo.kok"));
}

TEST(OutputNaming, EveryPlaceholderOccurrenceIsReplacedInBothCases)
{
    const OutputPaths paths =
        BuildOutputPaths(kSong, withScheme(QStringLiteral("/o"), QStringLiteral("%t %T %a %A")),
                         artistTitle(QStringLiteral("X"), QStringLiteral("Y")));
    EXPECT_EQ(paths.Full, QStringLiteral("/o/Y Y X X"));
}

TEST(OutputNaming, SpacesAreTrimmedAfterEachReplacement)
{
    // Artist empty, title set: "%A - %T" leaves "- Title" after trimming.
    const OutputPaths paths =
        BuildOutputPaths(kSong, withScheme(QStringLiteral("/o"), QStringLiteral("%A - %T ")),
                         artistTitle({}, QStringLiteral("Song")));
    EXPECT_EQ(paths.Full, QStringLiteral("/o/- Song"));
    // A title that ends with spaces is trimmed at the end of the name.
    EXPECT_EQ(BuildOutputPaths(kSong, withScheme(QStringLiteral("/o"), QStringLiteral("%A %T")),
                               artistTitle(QStringLiteral("A"), QStringLiteral("T  ")))
                  .Full,
              QStringLiteral("/o/A T"));
}

TEST(OutputNaming, BothTagsEmptyKeepsTheSchemeFolderWithEmptiedPlaceholders)
{
    const OutputPaths paths = BuildOutputPaths(
        kSong, withScheme(QStringLiteral("/out"), QStringLiteral("%A/%A - %T")), SongTags{});
    // "%A/" becomes "/", and the doubled separator is reduced to one.
    EXPECT_EQ(paths.OutputPath, QStringLiteral("/out/My Song.mp3"));

    const OutputPaths kept = BuildOutputPaths(
        kSong, withScheme(QStringLiteral("/out"), QStringLiteral("karaoke/%A %T")), SongTags{});
    EXPECT_EQ(kept.OutputPath, QStringLiteral("/out/karaoke/My Song.mp3"));
}

TEST(OutputNaming, DoubledSeparatorIsReducedOnceLeftToRight)
{
    const OutputPaths paths =
        BuildOutputPaths(kSong, withScheme(QStringLiteral("/out/"), QStringLiteral("/%T")),
                         artistTitle({}, QStringLiteral("T")));
    EXPECT_EQ(paths.Full, QStringLiteral("/out/T"));
    // Three in a row: one pass turns the first two into one.
    const OutputPaths three =
        BuildOutputPaths(kSong, withScheme(QStringLiteral("/out/"), QStringLiteral("//%T")),
                         artistTitle({}, QStringLiteral("T")));
    EXPECT_EQ(three.Full, QStringLiteral("/out//T"));
}

TEST(OutputNaming, TagsCannotMakeFoldersOrClimbOut)
{
    const OutputPaths slash =
        BuildOutputPaths(kSong, withScheme(QStringLiteral("/o"), QStringLiteral("%A - %T")),
                         artistTitle(QStringLiteral("AC/DC"), QStringLiteral("T.N.T.")));
    EXPECT_EQ(slash.Full, QStringLiteral("/o/AC_DC - T.N.T."));
    const OutputPaths dots =
        BuildOutputPaths(kSong, withScheme(QStringLiteral("/o/"), QStringLiteral("%A/%T")),
                         artistTitle(QStringLiteral(".."), QStringLiteral("x")));
    EXPECT_EQ(dots.Full, QStringLiteral("/o/__/x"));
}

TEST(OutputNaming, SchemeLeavingNoFileNameFallsBackToTheSongsName)
{
    const OutputPaths paths =
        BuildOutputPaths(kSong, withScheme(QStringLiteral("/o"), QStringLiteral("%A/%T")),
                         artistTitle(QStringLiteral("Artist"), QStringLiteral("   ")));
    EXPECT_EQ(paths.OutputPath, QStringLiteral("/o/Artist/My Song.mp3"));
}

TEST(OutputNaming, SongWithoutFolderStaysInTheCurrentFolder)
{
    EXPECT_EQ(BuildOutputPaths(QStringLiteral("song.mid"), ExportSettings{}, {}).OutputPath,
              QStringLiteral("song.wav"));
}

TEST(OutputNaming, NonAsciiNamesPassThrough)
{
    const OutputPaths paths = BuildOutputPaths(
        QStringLiteral("/k/\u00e8mpty.kar"), withScheme({}, QStringLiteral("%A - %T"), 2),
        artistTitle(QStringLiteral("Bj\u00f6rk"), QStringLiteral("J\u00f3ga")));
    EXPECT_EQ(paths.OutputPath, QStringLiteral("/k/Bj\u00f6rk - J\u00f3ga.ogg"));
}

TEST(OutputNaming, MissingFoldersAreCreatedWithTheirParents)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ExportSettings settings = withScheme(dir.path(), QStringLiteral("%A/deeper/%T"));
    const OutputPaths paths = BuildOutputPaths(
        kSong, settings, artistTitle(QStringLiteral("\u00c9dith"), QStringLiteral("Rien")));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/\u00c9dith")));
    EXPECT_TRUE(CreateOutputFolder(paths.Full));
    EXPECT_TRUE(QFileInfo(dir.path() + QStringLiteral("/\u00c9dith/deeper")).isDir());
    // Existing folders are fine.
    EXPECT_TRUE(CreateOutputFolder(paths.Full));
}

TEST(OutputNaming, FolderThatCannotBeCreatedIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(CreateOutputFolder(dir.filePath(QStringLiteral("file/sub/name"))));
}

} // namespace
} // namespace melorit::exporting
