#include "app/instance/InfoOptions.h"

#include <gtest/gtest.h>

using namespace melorit::instance;

TEST(InfoOptions, HelpAndVersionInEitherSpelling)
{
    EXPECT_EQ(parseInfoOptions({QStringLiteral("--help")}), InfoRequest::Help);
    EXPECT_EQ(parseInfoOptions({QStringLiteral("-h")}), InfoRequest::Help);
    EXPECT_EQ(parseInfoOptions({QStringLiteral("--version")}), InfoRequest::Version);
    EXPECT_EQ(parseInfoOptions({QStringLiteral("-v")}), InfoRequest::Version);
    // The first one asked for wins, wherever it stands among the songs.
    EXPECT_EQ(parseInfoOptions(
                  {QStringLiteral("a.kar"), QStringLiteral("--version"), QStringLiteral("--help")}),
              InfoRequest::Version);
}

TEST(InfoOptions, SongsAndQtOptionsAreLeftForTheProgram)
{
    EXPECT_EQ(parseInfoOptions({}), InfoRequest::None);
    EXPECT_EQ(parseInfoOptions({QStringLiteral("song.kar"), QStringLiteral("--help.kar")}),
              InfoRequest::None);
    EXPECT_EQ(parseInfoOptions({QStringLiteral("-platform"), QStringLiteral("offscreen")}),
              InfoRequest::None);
    // After "--" a song may be called "--help".
    EXPECT_EQ(parseInfoOptions({QStringLiteral("--"), QStringLiteral("--help")}),
              InfoRequest::None);
    EXPECT_FALSE(handleInfoOptions(QStringList{QStringLiteral("song.kar")}).has_value());
}

TEST(InfoOptions, TextsNameTheVersionAndTheHandOff)
{
    EXPECT_TRUE(versionText().startsWith(QStringLiteral("Melorit " MELORIT_TEST_VERSION " (Qt ")))
        << versionText().toStdString();
    const QString help = helpText();
    EXPECT_TRUE(help.startsWith(QStringLiteral("usage: melorit ")));
    for (const char *word : {"--help", "--version", "local socket", "playlist", "melorit-cli"}) {
        EXPECT_TRUE(help.contains(QString::fromLatin1(word))) << word;
    }
}

TEST(InfoOptions, HandledRequestsEndWithStatusZero)
{
    char program[] = "melorit";
    char version[] = "--version";
    char *argv[] = {program, version, nullptr};
    testing::internal::CaptureStdout();
    const std::optional<int> status = handleInfoOptions(2, argv);
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(QString::fromStdString(printed), versionText() + u'\n');
}
