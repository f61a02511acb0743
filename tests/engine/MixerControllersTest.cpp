// The controller table applied to the stream: refresh, overrides, and the
// watchers that keep the user's values while the song sends its own.
#include "MixerFixture.h"

using namespace melorit::engine;
using namespace melorit::engine::test;

namespace {

std::uint32_t eventData(int channel, int param)
{
    return static_cast<std::uint32_t>(channel) << 16 | static_cast<std::uint32_t>(param);
}

constexpr int kVolumeUser = 1;
constexpr int kProgramUser = 5;
constexpr int kBankUser = 6;
constexpr int kDrumsUser = 18;

} // namespace

TEST_F(MixerTest, RefreshTakesTheSongValuesInRangeOnly)
{
    m_target.values[{2, MIDI_EVENT_VOLUME}] = 90;
    m_target.values[{2, MIDI_EVENT_PAN}] = 128; // out of range
    m_target.values[{2, MIDI_EVENT_BANK}] = -1; // failed read
    m_target.values[{0, MIDI_EVENT_CHORUS_RATE}] = 700;
    m_target.values[{0, MIDI_EVENT_REVERB_TIME}] = -1;
    m_mixer.controllers().setDefault(kRowGlobal, 42);
    m_mixer.RefreshControllers();
    const ControllerTable &t = m_mixer.controllers();
    EXPECT_EQ(t.CtrlDefault(kRowVolume + 2), 90);
    EXPECT_EQ(t.CtrlDefault(kRowPan + 2), 64);
    EXPECT_EQ(t.CtrlDefault(kRowBank + 2), 0);
    EXPECT_EQ(t.CtrlDefault(kRowGlobal + 7), 700); // no range check for effects
    // A failed read keeps the previous value rather than storing -1.
    EXPECT_EQ(t.CtrlDefault(kRowGlobal), 42);
    EXPECT_EQ(m_view.knobs[kRowVolume + 2], 90);
    EXPECT_EQ(m_view.knobs[kRowGlobal + 7], 700);
    // Nothing is overridden, so nothing is sent.
    EXPECT_TRUE(m_target.sent.empty());
    EXPECT_EQ(m_view.knobs.size(), static_cast<std::size_t>(kCtrlCount));
}

TEST_F(MixerTest, AProgramOverrideIsAlwaysSentWithItsBank)
{
    m_target.values[{3, MIDI_EVENT_PROGRAM}] = 5;
    m_target.values[{3, MIDI_EVENT_BANK}] = 8;
    m_mixer.setOverride(kRowProgram + 3, 20);
    m_mixer.RefreshControllers();
    EXPECT_EQ(m_target.sent,
              (std::vector<SentEvent>{{3, MIDI_EVENT_BANK, 8}, {3, MIDI_EVENT_PROGRAM, 20}}));
    EXPECT_EQ(m_view.knobs[kRowBank + 3], 8);
    EXPECT_EQ(m_view.knobs[kRowProgram + 3], 20);
    // The song's program is what the stream had before the override went out.
    EXPECT_EQ(m_mixer.controllers().CtrlDefault(kRowProgram + 3), 5);

    // A bank override alone sends the song's program with it.
    m_target.sent.clear();
    m_mixer.setOverride(kRowProgram + 3, kNoOverride);
    m_mixer.setOverride(kRowBank + 3, 1);
    m_mixer.ApplyController(kRowBank + 3, 3, MIDI_EVENT_BANK);
    EXPECT_EQ(m_target.sent,
              (std::vector<SentEvent>{{3, MIDI_EVENT_BANK, 1}, {3, MIDI_EVENT_PROGRAM, 5}}));
    // The program row alone never sends.
    m_target.sent.clear();
    m_mixer.setOverride(kRowProgram + 3, 30);
    m_mixer.ApplyController(kRowProgram + 3, 3, MIDI_EVENT_PROGRAM);
    EXPECT_TRUE(m_target.sent.empty());
}

TEST_F(MixerTest, OverridesAreSentOnTheirChannelAndEffectsOnChannelZero)
{
    m_mixer.setOverride(kRowDrums + 4, 1);
    m_mixer.setOverride(kRowGlobal + 10, 55);
    m_mixer.RefreshControllers();
    EXPECT_EQ(m_target.sent, (std::vector<SentEvent>{{4, MIDI_EVENT_DRUMS, 1},
                                                     {0, MIDI_EVENT_CHORUS_REVERB, 55}}));
    EXPECT_TRUE(m_view.marks[kRowDrums + 4]);
    m_mixer.setOverride(kRowDrums + 4, kNoOverride);
    EXPECT_FALSE(m_view.marks[kRowDrums + 4]);
}

TEST_F(MixerTest, TheSongsProgramChangeUnderAnOverrideKeepsTheOverride)
{
    m_mixer.setOverride(kRowProgram + 1, 40);
    m_mixer.onControllerEvent(kProgramUser, eventData(1, 12));
    EXPECT_EQ(m_mixer.controllers().CtrlDefault(kRowProgram + 1), 12);
    EXPECT_EQ(m_target.sent,
              (std::vector<SentEvent>{{1, MIDI_EVENT_BANK, 0}, {1, MIDI_EVENT_PROGRAM, 40}}));
    // The song's bank change goes the same way.
    m_target.sent.clear();
    m_mixer.onControllerEvent(kBankUser, eventData(1, 2));
    EXPECT_EQ(m_target.sent,
              (std::vector<SentEvent>{{1, MIDI_EVENT_BANK, 2}, {1, MIDI_EVENT_PROGRAM, 40}}));
    // Without overrides the song's change stands.
    m_target.sent.clear();
    m_mixer.onControllerEvent(kProgramUser, eventData(2, 12));
    EXPECT_TRUE(m_target.sent.empty());
}

TEST_F(MixerTest, WatchersResendOverridesAndPostSongValues)
{
    m_mixer.setOverride(kRowVolume + 5, 33);
    const int drawsBefore = m_view.knobDraws;
    m_mixer.onControllerEvent(kVolumeUser, eventData(5, 120));
    m_mixer.onControllerEvent(kVolumeUser, eventData(6, 0x1FF)); // low byte only
    m_mixer.onControllerEvent(kDrumsUser, eventData(7, 1));
    m_mixer.onControllerEvent(9, eventData(0, 9000)); // effect 2 (event 34)
    EXPECT_EQ(m_target.sent, (std::vector<SentEvent>{{5, MIDI_EVENT_VOLUME, 33}}));
    const ControllerTable &t = m_mixer.controllers();
    EXPECT_EQ(t.CtrlDefault(kRowVolume + 5), 120);
    EXPECT_EQ(t.CtrlDefault(kRowVolume + 6), 0xFF);
    EXPECT_EQ(t.CtrlDefault(kRowDrums + 7), 1);
    EXPECT_EQ(t.CtrlDefault(kRowGlobal + 2), 9000);
    // The audio thread draws nothing itself.
    EXPECT_EQ(m_view.knobDraws, drawsBefore);

    m_mixer.onControllerEvent(kVolumeUser, eventData(6, 77)); // coalesced
    m_mixer.flushPendingRedraws();
    EXPECT_EQ(m_view.knobDraws, drawsBefore + 3);
    EXPECT_EQ(m_view.knobs[kRowVolume + 6], 77);
    EXPECT_EQ(m_view.knobs[kRowDrums + 7], 1);
    EXPECT_EQ(m_view.knobs[kRowGlobal + 2], 9000);
    m_mixer.flushPendingRedraws();
    EXPECT_EQ(m_view.knobDraws, drawsBefore + 3);

    m_target.sent.clear();
    m_mixer.setOverride(kRowGlobal + 2, 100);
    m_mixer.onControllerEvent(9, eventData(0, 5));
    EXPECT_EQ(m_target.sent, (std::vector<SentEvent>{{0, MIDI_EVENT_REVERB_LOCUTOFF, 100}}));
}

TEST_F(MixerTest, WatcherEventsOutsideTheTableAreIgnored)
{
    m_mixer.onControllerEvent(kVolumeUser, eventData(16, 10));
    m_mixer.onControllerEvent(0, eventData(1, 10));
    m_mixer.onControllerEvent(19, eventData(1, 10));
    m_mixer.flushPendingRedraws();
    EXPECT_EQ(m_view.knobDraws, 0);
    EXPECT_TRUE(m_target.sent.empty());
}

TEST_F(MixerTest, TheTempoWatcherScalesEverySongTempo)
{
    writeSettings("[Tempo]\nSlider=20\n");
    m_target.values[{0, MIDI_EVENT_TEMPO}] = 500000;
    m_mixer.loadSongTempo();
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_TEMPO).back().param, 400000);
    const int draws = m_view.tempoDraws;

    m_target.values[{0, MIDI_EVENT_TEMPO}] = 600000; // the song's next tempo
    m_mixer.onTempoEvent();
    EXPECT_EQ(m_mixer.BaseTempo(), 600000);
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_TEMPO).back().param, 480000);
    EXPECT_EQ(m_view.tempoDraws, draws);
    m_mixer.flushPendingRedraws();
    EXPECT_EQ(m_view.tempoDraws, draws + 1);
    EXPECT_EQ(m_view.tempoText, QStringLiteral("125"));

    // A failed read leaves the stream's tempo alone rather than sending -0.8.
    const auto sent = m_target.sentOf(MIDI_EVENT_TEMPO).size();
    m_target.values.erase({0, MIDI_EVENT_TEMPO});
    m_mixer.onTempoEvent();
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_TEMPO).size(), sent);
}

TEST_F(MixerTest, AfterASeekTheSongValuesAreReadAgain)
{
    m_mixer.setOverride(kRowPan + 0, 10);
    m_target.values[{0, MIDI_EVENT_TEMPO}] = 400000;
    m_target.values[{0, MIDI_EVENT_PAN}] = 100;
    m_mixer.afterSeek();
    EXPECT_EQ(m_mixer.controllers().CtrlDefault(kRowPan), 100);
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_PAN).back().param, 10);
    EXPECT_EQ(m_mixer.BaseTempo(), 400000);
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_TEMPO).back().param, 400000);
}

TEST_F(MixerTest, AnEmptyStoredOverrideGivesTheControllerBack)
{
    m_mixer.setOverride(kRowChorus + 2, 70);
    m_mixer.SaveCC(kRowChorus + 2);
    EXPECT_EQ(stored("CC", "CC50"), QStringLiteral("70"));
    m_mixer.setOverride(kRowChorus + 2, kNoOverride);
    m_mixer.SaveCC(kRowChorus + 2);
    m_mixer.startSongMix();
    EXPECT_FALSE(m_mixer.controllers().hasOverride(kRowChorus + 2));
}
