// Pausing the demo song with Space and going on with Space or Play: the
// position, the lyrics' highlight, the meters and the scope hold while it is
// paused and go on from there; Stop still rewinds, Play while playing starts
// again.
#include "NewUserFixture.h"

#include "app/mainwin/ScopeBox.h"
#include "audio/MidiStream.h"
#include "lyrics/LyricsScene.h"
#include "lyrics/LyricsWindowControl.h"
#include "lyrics/OGLWin.h"
#include "skins/FramePicture.h"
#include "skins/PictureButton.h"

#include <QLabel>
#include <QTest>

namespace melorit::newuser::test {
namespace {

constexpr int kPlay = 35;
constexpr int kStop = 33;
constexpr int kPaused = 2;

// What the windows show of the song at one moment.
struct Shown {
    std::uint64_t tick = 0;
    QString clock;
    float flash = 0;
    skins::Frame meter;
    std::vector<QPointF> scope;
};

class PauseTest : public NewUserTest {
protected:
    Shown shown() const
    {
        Shown s;
        s.tick = player().stream() ? player().stream()->position(audio::PosUnit::Ticks) : 0;
        s.clock = mainWindow()->lblTitle()->text();
        s.flash = m_program->lyricsControl()->window()->scene().FlashLeft();
        s.meter = mainWindow()->ledMeter(0)->frame();
        s.scope = mainWindow()->scopeBox(0)->trace();
        return s;
    }
    void space() { QTest::keyClick(mainWindow(), Qt::Key_Space); }
    void click(int button) { QTest::mouseClick(mainWindow()->picSM(button), Qt::LeftButton); }
};

TEST_F(PauseTest, SpacePausesWhereTheSongIsAndPlayGoesOnFromThere)
{
    ASSERT_TRUE(startProgram({demoSong()}));
    m_program->Action_Lyrics();
    // Just before the first syllable (tick 3840 of 36480), as the position
    // bar takes the user there; then it is sung, it flashes, the meters move.
    ASSERT_NE(player().stream(), nullptr);
    player().sldPosition_MouseUp(1000, 10000);
    settle(600);

    space();
    settle(150); // a clock tick and a few lyrics frames after the pause
    ASSERT_TRUE(player().paused());
    EXPECT_EQ(mainWindow()->buttonState(kPlay), kPaused);
    const Shown held = shown();
    EXPECT_GT(held.tick, 0u);
    EXPECT_GT(held.flash, 0.0f);
    EXPECT_FALSE(held.scope.empty());
    settle(600);
    const Shown later = shown();
    EXPECT_EQ(later.tick, held.tick);
    EXPECT_EQ(later.clock, held.clock);
    EXPECT_EQ(later.flash, held.flash);
    EXPECT_EQ(later.meter, held.meter);
    EXPECT_EQ(later.scope, held.scope);

    click(kPlay);
    EXPECT_FALSE(player().paused());
    EXPECT_EQ(mainWindow()->buttonState(kPlay), 1);
    settle(400);
    const std::uint64_t resumed = shown().tick;
    EXPECT_GT(resumed, held.tick);
    // 96 beats a minute of 480 ticks: 0.4 s is about 307 ticks, not a restart.
    EXPECT_LT(resumed, held.tick + 600);
    EXPECT_NE(shown().flash, held.flash) << "the lyrics go on";

    space();
    ASSERT_TRUE(player().paused());
    space();
    EXPECT_FALSE(player().paused()) << "Space again goes on";
}

TEST_F(PauseTest, StopRewindsAndPlayWhilePlayingStartsAgain)
{
    ASSERT_TRUE(startProgram({demoSong()}));
    settle(1500);
    click(kPlay);
    settle(200);
    ASSERT_NE(player().stream(), nullptr);
    EXPECT_LT(shown().tick, 480u) << "Play while playing starts the song again";

    space();
    ASSERT_TRUE(player().paused());
    click(kStop);
    EXPECT_FALSE(player().paused());
    EXPECT_EQ(player().stream(), nullptr);
    EXPECT_EQ(mainWindow()->buttonState(kPlay), 0);
    click(kPlay);
    settle(200);
    ASSERT_NE(player().stream(), nullptr);
    EXPECT_LT(shown().tick, 480u);
}

} // namespace
} // namespace melorit::newuser::test
