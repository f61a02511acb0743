// The channel settings panel on a playing song: taking over, stepping
// through the presets the SoundFont holds, drum mode, drags, giving back,
// the title, and the song's own changes.
#include "PanelFixture.h"

#include "engine/ControllerTable.h"
#include "panels/KnobPicture.h"
#include "skins/KnobFrames.h"

#include <QRegularExpression>

using namespace melorit;
using namespace melorit::engine;
using namespace melorit::panels;
using namespace melorit::panels::test;

namespace {

constexpr int kChannel0Program = kRowProgram + 0;
constexpr int kChannel0Bank = kRowBank + 0;
constexpr int kChannel0Volume = kRowVolume + 0;

} // namespace

TEST_F(PanelsTest, FirstClickTakesTheProgramOverSilentlyTheSecondStepsToTheNextPreset)
{
    play(0.2);
    m_target.sent.clear(); // the tempo watcher's
    const ControllerTable &table = m_mixer.controllers();
    ASSERT_EQ(table.CtrlDefault(kChannel0Program), 5);
    EXPECT_EQ(frameOf(kChannel0Program), skins::programFrame(5, false));
    EXPECT_EQ(m_reglage->knob(kChannel0Program)->toolTip(), u"Mid Sine");

    click(kChannel0Program);
    EXPECT_EQ(table.CtrlOverride(kChannel0Program), 5);
    EXPECT_TRUE(m_reglage->markOf(kChannel0Program));
    EXPECT_EQ(frameOf(kChannel0Program), skins::programFrame(5, true));
    EXPECT_TRUE(m_target.sent.empty()) << "taking over sends nothing";
    EXPECT_EQ(streamValue(0, MIDI_EVENT_PROGRAM), 5);
    EXPECT_EQ(storedCC(kChannel0Program), u"5");

    click(kChannel0Program); // programs 6 to 9 have no preset in bank 0
    EXPECT_EQ(table.CtrlOverride(kChannel0Program), 10);
    EXPECT_EQ(m_target.sent,
              (std::vector<SentEvent>{{0, MIDI_EVENT_BANK, 0}, {0, MIDI_EVENT_PROGRAM, 10}}));
    EXPECT_EQ(streamValue(0, MIDI_EVENT_PROGRAM), 10);
    EXPECT_EQ(frameOf(kChannel0Program), skins::programFrame(10, true));
    EXPECT_EQ(m_reglage->knob(kChannel0Program)->toolTip(), u"High Sine");
    EXPECT_EQ(storedCC(kChannel0Program), u"10");

    // What is heard follows: key 69 on "High Sine" sounds an octave up.
    EXPECT_NEAR(heardFrequency(), 880.0, 5.0);
}

TEST_F(PanelsTest, ShiftStepsBackAndWrapsFromProgramZeroTo127)
{
    play(0.2);
    click(kChannel0Program);                                    // takes 5 over
    click(kChannel0Program, Qt::LeftButton, Qt::ShiftModifier); // back to 0
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Program), 0);
    click(kChannel0Program, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Program), 127);
    EXPECT_EQ(streamValue(0, MIDI_EVENT_PROGRAM), 127);
    EXPECT_EQ(frameOf(kChannel0Program), skins::programFrame(127, true));
    EXPECT_EQ(m_reglage->knob(kChannel0Program)->toolTip(), u"Last Sine");
    // Forwards again, 127 wraps to 0.
    click(kChannel0Program);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Program), 0);
}

TEST_F(PanelsTest, BankClicksSkipBanksWithoutThePresetAndWrapAfterMaxBank)
{
    play(0.2);
    m_target.sent.clear(); // the tempo watcher's
    click(kChannel0Bank);  // takes bank 0 over
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Bank), 0);
    EXPECT_TRUE(m_target.sent.empty());
    click(kChannel0Bank); // bank 1 has program 5
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Bank), 1);
    EXPECT_EQ(m_target.sent,
              (std::vector<SentEvent>{{0, MIDI_EVENT_BANK, 1}, {0, MIDI_EVENT_PROGRAM, 5}}));
    EXPECT_EQ(frameOf(kChannel0Bank), skins::bankFrame(1, true));
    EXPECT_EQ(m_reglage->knob(kChannel0Bank)->toolTip(), u"Fourth Sine");
    EXPECT_EQ(storedCC(kChannel0Bank), u"1");
    EXPECT_NEAR(heardFrequency(), 329.6, 3.0);

    click(kChannel0Bank); // banks 2 and 3 have no program 5: round to 0
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Bank), 0);
    // The program was not taken over, so it stayed where the song has it.
    EXPECT_FALSE(m_mixer.controllers().hasOverride(kChannel0Program));
    EXPECT_EQ(streamValue(0, MIDI_EVENT_PROGRAM), 5);
}

TEST_F(PanelsTest, StepsMoveAnOverriddenPartnerAndStoreIt)
{
    play(0.2);
    click(kChannel0Program); // 5
    click(kChannel0Bank);    // 0, taken over
    click(kChannel0Bank);    // bank 1 with program 5
    click(kChannel0Bank);    // 2, 3 lack 5; wrap: program 6, banks 0-3 lack 6 ... to (0, 10)
    const ControllerTable &table = m_mixer.controllers();
    EXPECT_EQ(table.CtrlOverride(kChannel0Bank), 0);
    EXPECT_EQ(table.CtrlOverride(kChannel0Program), 10);
    EXPECT_EQ(storedCC(kChannel0Program), u"10");
    EXPECT_EQ(frameOf(kChannel0Program), skins::programFrame(10, true));
    EXPECT_EQ(streamValue(0, MIDI_EVENT_PROGRAM), 10);

    // A program step at a wrap moves the overridden bank: from (0, 127)
    // onwards, (1, 0) to (1, 4) are missing, (1, 5) exists.
    click(kChannel0Program); // 11 to 126 are missing in bank 0
    ASSERT_EQ(table.CtrlOverride(kChannel0Program), 127);
    click(kChannel0Program);
    EXPECT_EQ(table.CtrlOverride(kChannel0Bank), 1);
    EXPECT_EQ(table.CtrlOverride(kChannel0Program), 5);
    EXPECT_EQ(storedCC(kChannel0Bank), u"1");
    EXPECT_EQ(frameOf(kChannel0Bank), skins::bankFrame(1, true));
    EXPECT_EQ(m_reglage->knob(kChannel0Bank)->toolTip(), u"Fourth Sine");
}

TEST_F(PanelsTest, DrumModeOnChannel3ShowsTheKitFrameAndSearchesBank128)
{
    constexpr int drums = kRowDrums + 3;
    constexpr int bank = kRowBank + 3;
    constexpr int program = kRowProgram + 3;
    play(0.2);
    EXPECT_EQ(frameOf(bank), skins::bankFrame(0, false));
    click(drums); // taken over at 0
    EXPECT_EQ(frameOf(drums), skins::drumButtonFrame(0, true));
    click(drums);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(drums), 1);
    EXPECT_EQ(streamValue(3, MIDI_EVENT_DRUMS), 1);
    EXPECT_EQ(frameOf(drums), skins::drumButtonFrame(1, true));
    EXPECT_EQ(m_reglage->knob(drums)->toolTip(), u"DrumSet");
    // The bank display shows the drum-kit row, marked by the drum override.
    EXPECT_EQ(frameOf(bank), skins::bankFrame(skins::kDrumBank, true));
    EXPECT_EQ(frameOf(bank).source.y(), 12 * skins::kDrumKitRow);
    EXPECT_EQ(m_reglage->knob(bank)->toolTip(), u"Standard Kit");

    click(program); // taken over at 0
    m_target.sent.clear();
    click(program); // bank 0 has program 5, bank 128 has 8
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(program), 8);
    EXPECT_EQ(m_reglage->knob(program)->toolTip(), u"Room Kit");
    EXPECT_EQ(m_target.sent,
              (std::vector<SentEvent>{{3, MIDI_EVENT_BANK, 0}, {3, MIDI_EVENT_PROGRAM, 8}}));
    EXPECT_EQ(m_reglage->knob(bank)->toolTip(), u"Room Kit");

    // A click on the kit display steps the kit; the kit is kept as the
    // program, the bank keeps the melodic bank.
    click(bank); // taken over at 0
    click(bank);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(program), 16);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(bank), 0);
    EXPECT_EQ(storedCC(program), u"16");
    EXPECT_EQ(frameOf(bank), skins::bankFrame(skins::kDrumBank, true));
    EXPECT_EQ(m_reglage->knob(bank)->toolTip(), u"Power Kit");

    // Back to melodic: the bank display shows the bank again.
    click(drums);
    EXPECT_EQ(streamValue(3, MIDI_EVENT_DRUMS), 0);
    EXPECT_EQ(frameOf(bank), skins::bankFrame(0, true));
}

TEST_F(PanelsTest, AFineDragOf50PixelsLeftLowersAVolumeBy3)
{
    play(0.2);
    ASSERT_EQ(m_mixer.controllers().CtrlDefault(kChannel0Volume), 90);
    press(kChannel0Volume, Qt::LeftButton, Qt::ShiftModifier, {10, 6});
    moveTo(kChannel0Volume, {-40, 6}, Qt::ShiftModifier);
    // Sent at once, shown in the knob and the title; not committed yet.
    EXPECT_EQ(streamValue(0, MIDI_EVENT_VOLUME), 87);
    EXPECT_EQ(frameOf(kChannel0Volume), skins::rotaryKnobFrame(87, 0, true));
    EXPECT_EQ(m_reglage->windowTitle(), u"87");
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Volume), 90);
    release(kChannel0Volume);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Volume), 87);
    EXPECT_EQ(storedCC(kChannel0Volume), u"87");
    EXPECT_EQ(m_reglage->windowTitle(), u"Channel settings");

    // Without Shift 50 pixels lower it by 32 (the range over 200 pixels);
    // the drag is relative to the value at the press.
    drag(kChannel0Volume, -50, 0);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Volume), 55);
    // Up and right add up; the value stops at 127.
    drag(kChannel0Volume, 60, -60);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Volume), 127);
}

TEST_F(PanelsTest, RightClickGivesAPanBackWritesAnEmptyValueAndDrawsTheSongsFrame)
{
    constexpr int pan = kRowPan + 3;
    play(0.2);
    ASSERT_EQ(m_mixer.controllers().CtrlDefault(pan), 30);
    EXPECT_EQ(m_reglage->knob(pan)->toolTip(), u"G 34");
    drag(pan, 0, -63); // taken over at 30, then 70
    ASSERT_EQ(m_mixer.controllers().CtrlOverride(pan), 70);
    EXPECT_EQ(m_reglage->knob(pan)->toolTip(), u"D 6");
    EXPECT_EQ(storedCC(pan), u"70");

    m_target.sent.clear();
    press(pan, Qt::RightButton);
    moveTo(pan, {10, -50}, Qt::NoModifier, Qt::RightButton); // no drag follows
    release(pan, Qt::RightButton);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(pan), kNoOverride);
    EXPECT_FALSE(m_reglage->markOf(pan));
    EXPECT_EQ(m_target.sent, (std::vector<SentEvent>{{3, MIDI_EVENT_PAN, 30}}));
    EXPECT_EQ(streamValue(3, MIDI_EVENT_PAN), 30);
    EXPECT_EQ(frameOf(pan), skins::rotaryKnobFrame(30, 1, false));
    EXPECT_EQ(m_reglage->knob(pan)->toolTip(), u"G 34");
    const QRegularExpression emptyValue(QStringLiteral("^CC19=\\r?$"),
                                        QRegularExpression::MultilineOption);
    EXPECT_TRUE(settingsText().contains(emptyValue)) << settingsText().toStdString();

    // A right click on a control that follows the song does nothing.
    m_target.sent.clear();
    click(pan, Qt::RightButton);
    EXPECT_TRUE(m_target.sent.empty());
}

TEST_F(PanelsTest, GivingBackABankOrProgramSendsThePairWithTheSongsValue)
{
    play(0.2);
    click(kChannel0Program);
    click(kChannel0Program); // 10
    click(kChannel0Bank);
    click(kChannel0Bank); // (3, 10)
    ASSERT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Bank), 3);
    m_target.sent.clear();
    click(kChannel0Program, Qt::RightButton);
    EXPECT_EQ(m_target.sent,
              (std::vector<SentEvent>{{0, MIDI_EVENT_BANK, 3}, {0, MIDI_EVENT_PROGRAM, 5}}));
    m_target.sent.clear();
    click(kChannel0Bank, Qt::RightButton);
    EXPECT_EQ(m_target.sent,
              (std::vector<SentEvent>{{0, MIDI_EVENT_BANK, 0}, {0, MIDI_EVENT_PROGRAM, 5}}));
    EXPECT_EQ(frameOf(kChannel0Bank), skins::bankFrame(0, false));
    EXPECT_NEAR(heardFrequency(), 440.0, 3.0);
}

TEST_F(PanelsTest, ProgramAndBankDragsMoveOneStepPerTenPixels)
{
    play(0.2);
    drag(kChannel0Program, 25, 0); // 2.5 rounds to 2
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Program), 7);
    EXPECT_EQ(m_reglage->knob(kChannel0Program)->toolTip(), u"") << "no preset at (0, 7)";
    m_target.sent.clear();
    press(kChannel0Bank);
    moveTo(kChannel0Bank, QPointF(10, 6) + QPointF(200, 0)); // 20 steps, MaxBank is 3
    EXPECT_EQ(m_target.sent,
              (std::vector<SentEvent>{{0, MIDI_EVENT_BANK, 3}, {0, MIDI_EVENT_PROGRAM, 7}}));
    release(kChannel0Bank);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Bank), 3);
}

TEST_F(PanelsTest, TheTitleShowsTheClickedControlUntilTheRelease)
{
    play(0.2);
    press(kChannel0Program);
    EXPECT_EQ(m_reglage->windowTitle(), u"Mid Sine");
    release(kChannel0Program);
    EXPECT_EQ(m_reglage->windowTitle(), u"Channel settings");
    press(kRowPan + 3, Qt::RightButton); // follows the song: nothing happens
    EXPECT_EQ(m_reglage->windowTitle(), u"Channel settings");
}

TEST_F(PanelsTest, AFollowingKnobShowsTheSongsChangeAtTheNextTickAnOverriddenOneKeepsTheUsers)
{
    constexpr int pan = kRowPan + 3;
    play(0.2);
    drag(pan, -16, 0); // 20
    play(kSongChangeSeconds);
    // Channel 0's volume follows the song: 70 at the first tick after it.
    EXPECT_EQ(m_mixer.controllers().CtrlDefault(kChannel0Volume), 70);
    EXPECT_EQ(frameOf(kChannel0Volume), skins::rotaryKnobFrame(70, 0, false));
    EXPECT_EQ(m_reglage->knob(kChannel0Volume)->toolTip(), u"70");
    EXPECT_EQ(streamValue(0, MIDI_EVENT_VOLUME), 70);
    // Channel 3's pan is the user's: the song's 100 is noted and overridden.
    EXPECT_EQ(m_mixer.controllers().CtrlDefault(pan), 100);
    EXPECT_EQ(streamValue(3, MIDI_EVENT_PAN), 20);
    EXPECT_EQ(frameOf(pan), skins::rotaryKnobFrame(20, 1, true));
}

TEST_F(PanelsTest, OverridesComeBackWhenTheSongIsOpenedAgain)
{
    constexpr int pan = kRowPan + 3;
    play(0.2);
    click(kChannel0Program);
    click(kChannel0Program); // 10
    drag(pan, 0, -16);       // 40
    click(kRowDrums + 3);
    click(kRowDrums + 3); // drum mode on
    m_stream.reset();

    openSong();
    const ControllerTable &table = m_mixer.controllers();
    EXPECT_EQ(table.CtrlOverride(kChannel0Program), 10);
    EXPECT_EQ(table.CtrlOverride(pan), 40);
    EXPECT_EQ(table.CtrlOverride(kRowDrums + 3), 1);
    EXPECT_FALSE(table.hasOverride(kChannel0Volume));
    EXPECT_TRUE(m_reglage->markOf(kChannel0Program));
    EXPECT_FALSE(m_reglage->markOf(kChannel0Volume));
    EXPECT_EQ(frameOf(pan), skins::rotaryKnobFrame(40, 1, true));
    EXPECT_EQ(frameOf(kRowBank + 3), skins::bankFrame(skins::kDrumBank, true));
    // The song sets program 5 and pan 30 at its start; the user's win.
    EXPECT_NEAR(toneFrequency(play(0.4)), 880.0, 5.0) << "from the first note on";
    EXPECT_EQ(streamValue(0, MIDI_EVENT_PROGRAM), 10);
    EXPECT_EQ(streamValue(3, MIDI_EVENT_PAN), 40);
    EXPECT_EQ(streamValue(3, MIDI_EVENT_DRUMS), 1);
}

TEST_F(PanelsTest, WithoutASoundFontClicksStillStepOnce)
{
    m_presets.clear();
    m_reglage->redrawAll();
    play(0.2);
    click(kChannel0Program);
    click(kChannel0Program);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Program), 6);
    click(kChannel0Bank);
    click(kChannel0Bank, Qt::LeftButton, Qt::ShiftModifier); // MaxBank 0: stays 0
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChannel0Bank), 0);
    EXPECT_EQ(m_reglage->knob(kChannel0Program)->toolTip(), u"");
}
