// The controls as a new user tries them: the mouse wheel over every knob,
// fader and the tempo read-out, the transposition written beside its knob,
// the tempo read-out saying how it changes.
#include "NewUserFixture.h"

#include "app/mainwin/MixPicture.h"
#include "engine/ControllerTable.h"
#include "engine/MixTarget.h"
#include "panels/KnobPicture.h"
#include "panels/Reglage.h"
#include "panels/Reverb.h"

#include <QApplication>
#include <QLabel>
#include <QWheelEvent>

namespace melorit::newuser::test {
namespace {

// Turns the wheel over a widget by whole notches (positive: away from the user).
void turnWheel(QWidget *widget, int notches)
{
    ASSERT_NE(widget, nullptr);
    const QPointF middle = QRectF(widget->rect()).center();
    QWheelEvent event(middle, widget->mapToGlobal(middle), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

TEST_F(NewUserTest, TheWheelMovesEveryControlByOneStep)
{
    ASSERT_TRUE(startProgram({demoSong()}));
    engine::Mixer &mixer = player().mixer();
    mainwin::frmRovuRodu &main = *mainWindow();
    turnWheel(main.potard(engine::kTransposeControl), 2);
    EXPECT_EQ(mixer.state().TransposeSemis, 2);
    EXPECT_EQ(main.label(QStringLiteral("LabelTranspose"))->text(), u"+2");
    turnWheel(main.potard(engine::kTransposeControl), -3);
    EXPECT_EQ(main.label(QStringLiteral("LabelTranspose"))->text(), u"-1");
    turnWheel(main.potard(engine::kTempoControl), -1);
    EXPECT_EQ(mixer.TempoShift(), -10);
    turnWheel(main.potard(engine::kGainControl), 1);
    EXPECT_EQ(mixer.state().MasterGain, 1);
    turnWheel(main.potard(3), -1);
    EXPECT_EQ(mixer.state().ChannelVolume[3], 95);

    // The panels' knobs: taken over at the song's value, then one step.
    m_program->Action_Reglage();
    m_program->Action_Reverb();
    settle();
    const engine::ControllerTable &table = mixer.controllers();
    const int pan = engine::kRowPan + 1;
    const int songPan = table.effective(pan);
    turnWheel(m_program->channelPanel()->knob(pan), 1);
    EXPECT_EQ(table.CtrlOverride(pan), songPan + 1);
    const int reverbLevel = engine::kRowGlobal + 4;
    turnWheel(m_program->effectsPanel()->knob(reverbLevel), -2);
    EXPECT_EQ(table.CtrlOverride(reverbLevel), 900 - 2 * 5); // 1000 over 200 steps
    // A program display steps through presets by clicks, not by the wheel.
    const int program = engine::kRowProgram + 1;
    turnWheel(m_program->channelPanel()->knob(program), 1);
    EXPECT_FALSE(table.hasOverride(program));

    // Every step is kept with the song.
    m_program->QuitProgram();
    m_program.reset();
    ASSERT_TRUE(startProgram());
    player().Action_Play();
    EXPECT_EQ(player().mixer().state().TransposeSemis, -1);
    EXPECT_EQ(player().mixer().state().ChannelVolume[3], 95);
    EXPECT_EQ(player().mixer().controllers().CtrlOverride(reverbLevel), 890);
}

TEST_F(NewUserTest, TheTransposeIsShownBesideItsKnobAndTheTempoSaysHowItChanges)
{
    ASSERT_TRUE(startProgram());
    mainwin::frmRovuRodu &main = *mainWindow();
    const QLabel *transpose = main.label(QStringLiteral("LabelTranspose"));
    ASSERT_NE(transpose, nullptr);
    EXPECT_TRUE(transpose->isVisible());
    EXPECT_EQ(transpose->text(), u"0");
    // Beside the knob, within the window.
    const QRect knob = main.potard(engine::kTransposeControl)->geometry();
    EXPECT_LT((transpose->geometry().center() - knob.center()).manhattanLength(), knob.width());
    EXPECT_TRUE(main.rect().contains(transpose->geometry()));
    EXPECT_TRUE(main.potard(engine::kTempoControl)->toolTip().contains(u"wheel"));
}

} // namespace
} // namespace melorit::newuser::test
