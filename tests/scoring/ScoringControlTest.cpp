// The live scoring's control without a microphone: off until asked for, and
// what it says when a song or the sound system cannot be scored.
#include "scoring/ScoringControl.h"
#include "audio/Device.h"
#include "scoring/PitchLane.h"
#include "scoring/ScoreKeys.h"
#include "scoring/ScoreSettings.h"
#include "tests/cli/CliRun.h"
#include "tests/scoring/TakeFixture.h"
#include "tests/support/WidgetTestEnvironment.h"

#include <QCoreApplication>

namespace melorit::scoring::test {
namespace {

[[maybe_unused]] const auto *const environment =
    melorit::testing::addWidgetTestEnvironment("scoring_window_tests");

class ScoringControlTest : public ScoringTest {
protected:
    ScoringHost host(const QString &song)
    {
        ScoringHost h;
        h.target = [song] { return std::optional<MelodyTarget>(targetOf(song)); };
        h.heardTick = [] { return std::optional<double>(0.0); };
        h.configFile = m_config;
        h.languageFile = [] { return QStringLiteral(MELORIT_OUTPUT_DIR "/en.lng"); };
        h.warn = [this](const QString &text) { warnings << text; };
        return h;
    }
    void enable() const
    {
        ScoreSettings settings;
        settings.enabled = true;
        settings.write(m_config);
    }

    QStringList warnings;
};

TEST_F(ScoringControlTest, StaysOffUntilAskedForAndSaysWhyASongCannotBeScored)
{
    ScoringControl control(host(m_song));
    control.songStarting();
    EXPECT_FALSE(control.scoring());
    EXPECT_TRUE(control.lane()->isHidden());

    enable();
    const QString unsung = path(QStringLiteral("unsung.kar"));
    ASSERT_TRUE(testing::songWith({{0, "\\la"}, {480, " la"}}).writeTo(unsung.toStdString()));
    ScoringControl unsungControl(host(unsung));
    unsungControl.songStarting();
    EXPECT_FALSE(unsungControl.scoring());
    EXPECT_FALSE(unsungControl.lane()->isHidden());
    EXPECT_EQ(unsungControl.lane()->message(),
              u"This song has no melody channel: it cannot be scored.");
}

// Without a sound device the program plays on the silent driver, which has
// no microphone: the lane says so at every song, a message box only once.
TEST_F(ScoringControlTest, AMissingMicrophoneIsReportedOncePerRun)
{
    enable();
    ASSERT_TRUE(audio::Init(44100));
    ASSERT_TRUE(audio::isDummyDevice());
    ScoringControl control(host(m_song));
    control.songStarting();
    control.songStopped();
    control.songStarting();
    audio::Free();
    QCoreApplication::processEvents(); // the message box waits for the song to start
    EXPECT_FALSE(control.scoring());
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0], u"No microphone could be opened (default input): the song plays "
                           u"without scoring.");
    EXPECT_EQ(control.lane()->message(), warnings[0]);
}

} // namespace
} // namespace melorit::scoring::test
