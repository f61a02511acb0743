// A singer's scores from takes of the demo song: its melody rendered alone,
// the same a semitone sharp and an octave up, silence, and sine waves off
// the notes by a few cents.
#include "scoring/TakeScoring.h"
#include "scoring/TakeFile.h"
#include "tests/scoring/TakeFixture.h"

namespace melorit::scoring::test {
namespace {

int songScore(const MelodyTarget &target, const std::vector<float> &take, int tolerance = 50)
{
    return scoreTake(target, take, tolerance).songScore().value_or(-1);
}

TEST_F(ScoringTest, TheMelodyAloneScoresHighAndOffKeyTakesDoNot)
{
    const MelodyTarget target = targetOf(m_song);
    ASSERT_EQ(target.problem(), MelodyTarget::Problem::None);
    EXPECT_EQ(target.notes().size(), 44u);

    const std::vector<float> take = renderMelodyTake(m_song, m_config);
    EXPECT_GE(songScore(target, take), 90);
    // Rendered one semitone up, then an octave up, scored in the song's key.
    setMst(QStringLiteral("Transpose"), QStringLiteral("1"));
    const std::vector<float> sharp = renderMelodyTake(m_song, m_config);
    setMst(QStringLiteral("Transpose"), QStringLiteral("12"));
    const std::vector<float> octave = renderMelodyTake(m_song, m_config);
    EXPECT_LE(songScore(target, sharp), 20);
    EXPECT_GE(songScore(target, octave), 85);

    EXPECT_EQ(songScore(target, std::vector<float>(take.size(), 0.0f)), 0);
}

TEST_F(ScoringTest, ASineThirtyCentsOffScoresHighAtTheDefaultTolerance)
{
    const MelodyTarget target = targetOf(m_song);
    EXPECT_GE(songScore(target, sineTake(target, 30)), 90);
    // Sixty cents off is outside the default tolerance, inside a wider one.
    EXPECT_LE(songScore(target, sineTake(target, 60)), 10);
    EXPECT_GE(songScore(target, sineTake(target, 60), 80), 90);
}

// The song's tempo and transposition are what the singer hears.
TEST_F(ScoringTest, TheTakeFollowsTheSongsTempoAndTransposition)
{
    setMst(QStringLiteral("Tempo"), QStringLiteral("20"));
    setMst(QStringLiteral("Transpose"), QStringLiteral("-3"));
    const MelodyTarget target = targetOf(m_song);
    EXPECT_DOUBLE_EQ(target.options().tempoRatio, 0.8);
    EXPECT_EQ(target.options().transpose, -3);
    const std::vector<float> take = renderMelodyTake(m_song, m_config);
    EXPECT_GE(songScore(target, take), 90);
    // The same take against the song as written: out of time and key.
    setMst(QStringLiteral("Tempo"), QStringLiteral("0"));
    setMst(QStringLiteral("Transpose"), QStringLiteral("0"));
    EXPECT_LE(songScore(targetOf(m_song), take), 30);
}

// Lines and notes the take does not reach have no score and count nowhere.
TEST_F(ScoringTest, AShortTakeScoresOnlyWhatItReaches)
{
    const MelodyTarget target = targetOf(m_song);
    std::vector<float> take = sineTake(target, 0);
    const TargetLine &fifth = target.lines()[4];
    take.resize(static_cast<std::size_t>(target.secondsAt(fifth.tick) * Take::kRate));
    const ScoreCard card = scoreTake(target, take, 50);
    EXPECT_GE(card.lineScore(1).value_or(0), 95);
    EXPECT_FALSE(card.lineScore(6).has_value());
    EXPECT_GE(card.songScore().value_or(0), 95);
    EXPECT_EQ(card.notesSung(), fifth.firstNote);
}

// Takes of other rates and channel counts are converted, not refused, and
// score as the original does.
TEST_F(ScoringTest, TakesOfOtherRatesAndChannelsScoreAlike)
{
    const MelodyTarget target = targetOf(m_song);
    const std::vector<float> take = sineTake(target, 20);
    const int reference = songScore(target, take);
    for (const auto &[rate, channels] : {std::pair{48000, 2}, std::pair{22050, 1}}) {
        const QString file = path(QStringLiteral("take-%1-%2.wav").arg(rate).arg(channels));
        ASSERT_TRUE(writeTake(file, take, rate, channels));
        const TakeResult read = readTake(file);
        ASSERT_TRUE(read.ok) << read.error.toStdString();
        EXPECT_TRUE(read.take.converted());
        EXPECT_EQ(read.take.fileRate, rate);
        EXPECT_EQ(read.take.fileChannels, channels);
        EXPECT_NEAR(read.take.seconds(), static_cast<double>(take.size()) / Take::kRate, 0.01);
        EXPECT_NEAR(songScore(target, read.take.samples), reference, 3) << rate;
    }
}

} // namespace
} // namespace melorit::scoring::test
