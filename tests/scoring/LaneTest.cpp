// What the pitch lane shows, and the heard-position history live frames are
// placed with.
#include "scoring/LaneLayout.h"
#include "scoring/SongClock.h"
#include "tests/scoring/TakeFixture.h"

namespace melorit::scoring::test {
namespace {

TEST(SongClock, GivesTheTickHeardAtAPastMoment)
{
    SongClock clock;
    EXPECT_FALSE(clock.tickAt(0).has_value());
    clock.record(1'000'000'000, 100);
    clock.record(1'010'000'000, 110);
    EXPECT_FALSE(clock.tickAt(999'000'000).has_value()) << "before the song was heard";
    EXPECT_DOUBLE_EQ(*clock.tickAt(1'005'000'000), 105);
    EXPECT_DOUBLE_EQ(*clock.tickAt(2'000'000'000), 110) << "the last tick after the last poll";
    clock.clear();
    EXPECT_FALSE(clock.tickAt(1'005'000'000).has_value()) << "a jump forgets the past";
}

TEST_F(ScoringTest, TheLaneFoldsTheVoiceAndShadesNotesByWhatIsKnown)
{
    EXPECT_FLOAT_EQ(LaneLayout::foldedKey(71.8f, 60), 59.8f);
    EXPECT_FLOAT_EQ(LaneLayout::foldedKey(42.0f, 60), 66.0f);

    const MelodyTarget target = targetOf(m_song);
    ScoreCard card(target, 50);
    const TargetNote &first = target.notes()[0];
    const double after = first.endTick + 1;
    EXPECT_EQ(LaneLayout::shade(card, 0, first.startTick - 1, 0), NoteShade::Ahead);
    // Passed, but the singer's frames have not come that far yet.
    EXPECT_EQ(LaneLayout::shade(card, 0, after, first.startTick), NoteShade::Current);
    EXPECT_EQ(LaneLayout::shade(card, 0, after, after), NoteShade::Unsung);
    const double middle = (first.startTick + first.endTick) / 2;
    card.add(middle, PitchFrame{0, static_cast<float>(first.key), 1.0f, true});
    EXPECT_EQ(LaneLayout::shade(card, 0, after, after), NoteShade::Good);

    const LaneLayout layout(target, 0, target.secondsAt(middle), 600, 100);
    EXPECT_DOUBLE_EQ(layout.x(layout.nowSeconds()), 200.0);
    EXPECT_LT(layout.y(first.key + 1), layout.y(first.key)) << "higher keys higher up";
}

} // namespace
} // namespace melorit::scoring::test
