// melorit-cli score: the report of a take, and what it says of bad input.
#include "base/Ini.h"
#include "engine/SongSettings.h"
#include "scoring/ScoreKeys.h"
#include "tests/cli/CliRun.h"
#include "tests/scoring/TakeFixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace melorit::scoring::test {
namespace {

using testing::runCli;

TEST_F(ScoringTest, TheCommandReportsEachLineAndTheSong)
{
    const QString mst = engine::mst::SongSettingsFile(m_song);
    WriteIni(keys::kSection, keys::kBestKey, QStringLiteral("77"), mst);
    const QString take = path(QStringLiteral("take.wav"));
    ASSERT_TRUE(writeTake(take, sineTake(targetOf(m_song), 20), 48000, 2));

    const testing::CliRun json =
        runCli({QStringLiteral("score"), QStringLiteral("--json"), m_song, take});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    EXPECT_TRUE(json.err.contains(u"48000 Hz, 2 channel(s), converted to 44100 Hz mono"));
    const QJsonObject report = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_GE(report[u"score"].toInt(), 90);
    EXPECT_EQ(report[u"best"].toInt(), 77);
    EXPECT_EQ(report[u"notes"].toArray().size(), 44);
    const QJsonArray lines = report[u"lines"].toArray();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0].toObject()[u"text"].toString(), u"Au clair de la lune,");
    EXPECT_GE(lines[7].toObject()[u"score"].toInt(), 90);
    // Shown, never changed by the command line.
    EXPECT_EQ(ReadIni(keys::kSection, keys::kBestKey, mst), u"77");

    const testing::CliRun text = runCli({QStringLiteral("score"), m_song, take});
    ASSERT_EQ(text.status, 0);
    EXPECT_TRUE(text.out.contains(QStringLiteral("  Score:     %1").arg(report[u"score"].toInt())));
    EXPECT_TRUE(text.out.contains(u"Au clair de la lune,"));
}

TEST_F(ScoringTest, TheCommandSaysWhyItCannotScore)
{
    const QString take = path(QStringLiteral("take.wav"));
    ASSERT_TRUE(writeTake(take, std::vector<float>(44100, 0.0f), 44100, 1));
    // Lyrics but no channel that follows them.
    const QString unsung = path(QStringLiteral("unsung.kar"));
    ASSERT_TRUE(testing::songWith({{0, "\\la"}, {480, " la"}}).writeTo(unsung.toStdString()));
    const testing::CliRun noMelody = runCli({QStringLiteral("score"), unsung, take});
    EXPECT_EQ(noMelody.status, 1);
    EXPECT_TRUE(noMelody.err.contains(u"no melody channel was found"))
        << noMelody.err.toStdString();

    const testing::CliRun notWav = runCli({QStringLiteral("score"), m_song, m_song});
    EXPECT_EQ(notWav.status, 1);
    EXPECT_TRUE(notWav.err.contains(u"the take is not a WAV file"));

    // A second of silence: the song goes on after it.
    const testing::CliRun shortTake = runCli({QStringLiteral("score"), m_song, take});
    EXPECT_EQ(shortTake.status, 0);
    EXPECT_TRUE(shortTake.err.contains(u"the notes after it are not scored"));
    EXPECT_EQ(runCli({QStringLiteral("score"), QStringLiteral("--tolerance"), QStringLiteral("5"),
                      m_song, take})
                  .status,
              2);
}

} // namespace
} // namespace melorit::scoring::test
