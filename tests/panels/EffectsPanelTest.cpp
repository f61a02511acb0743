// The effects panel on a playing song: taking a parameter over, drags with
// Ctrl and Shift, the knob's limit, giving back, and the song's own changes.
#include "PanelFixture.h"

#include "base/Ini.h"
#include "engine/ControllerTable.h"
#include "panels/KnobPicture.h"
#include "skins/KnobFrames.h"

#include <QLabel>
#include <QRegularExpression>

using namespace melorit;
using namespace melorit::engine;
using namespace melorit::panels;
using namespace melorit::panels::test;

namespace {

constexpr int kReverbTime = 112;
constexpr int kReverbLevel = 116;
constexpr int kChorusDelay = 117;
constexpr int kChorusRate = 119;
constexpr int kChorusFeedback = 120;
constexpr int kReverbLevelUser = 11; // the watcher of event 36

std::uint32_t eventData(int channel, int param)
{
    return static_cast<std::uint32_t>(channel) << 16 | static_cast<std::uint32_t>(param);
}

} // namespace

TEST_F(PanelsTest, TheKnobsShowTheSynthesizersValuesUntilTakenOver)
{
    // The stream's values are read at the song's start (FluidSynth's own
    // settings in the program's units).
    EXPECT_EQ(m_mixer.controllers().CtrlDefault(kReverbTime), 2000);
    EXPECT_EQ(m_reverb->valueLabel(kReverbTime)->text(), u"20.0 %");
    EXPECT_EQ(frameOf(kReverbTime), skins::effectKnobFrame(2000, 10000, false));
    EXPECT_EQ(m_reverb->valueLabel(kChorusFeedback)->text(), u"0.0 %");
    // The chorus' delay line and speed in the synthesizer's own units.
    EXPECT_EQ(m_reverb->valueLabel(kChorusDelay)->text(), u"4.0 ms");
    EXPECT_EQ(m_reverb->valueLabel(kChorusRate)->text(), u"0.30 Hz");

    click(kReverbTime);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kReverbTime), 2000);
    EXPECT_EQ(frameOf(kReverbTime), skins::effectKnobFrame(2000, 10000, true));
    EXPECT_TRUE(m_target.sent.empty()) << "taking over sends nothing";
    EXPECT_EQ(storedCC(kReverbTime), u"2000");
    // A second left click changes nothing.
    click(kReverbTime);
    EXPECT_TRUE(m_target.sent.empty());
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kReverbTime), 2000);
}

TEST_F(PanelsTest, ChorusFeedbackRisesBy10For10PixelsAnd1WithShiftOrCtrl)
{
    const ControllerTable &table = m_mixer.controllers();
    drag(kChorusFeedback, 0, -10);
    EXPECT_EQ(table.CtrlOverride(kChorusFeedback), 10);
    EXPECT_EQ(streamValue(0, MIDI_EVENT_CHORUS_FEEDBACK), 10);
    EXPECT_EQ(m_reverb->valueLabel(kChorusFeedback)->text(), u"5.0 %");
    drag(kChorusFeedback, 0, -10, Qt::ShiftModifier);
    EXPECT_EQ(table.CtrlOverride(kChorusFeedback), 11);
    drag(kChorusFeedback, 0, -10, Qt::ControlModifier);
    EXPECT_EQ(table.CtrlOverride(kChorusFeedback), 12);
    EXPECT_EQ(storedCC(kChorusFeedback), u"12");
    EXPECT_EQ(streamValue(0, MIDI_EVENT_CHORUS_FEEDBACK), 12);
    // Right counts as up; the knob stops at 0.
    drag(kChorusFeedback, -500, 0);
    EXPECT_EQ(table.CtrlOverride(kChorusFeedback), 0);
}

TEST_F(PanelsTest, ReverbTimeStopsAt10000AndItsLabelSaysSo)
{
    press(kReverbTime);
    moveTo(kReverbTime, {10, 6 - 200}); // 2000 + 200 x 50
    EXPECT_EQ(streamValue(0, MIDI_EVENT_REVERB_TIME), 10000);
    EXPECT_EQ(m_reverb->valueLabel(kReverbTime)->text(), u"100.0 %");
    EXPECT_EQ(frameOf(kReverbTime), skins::effectKnobFrame(10000, 10000, true));
    EXPECT_EQ(frameOf(kReverbTime).source.y(), 48 * (skins::kEffectKnobFrames - 1));
    release(kReverbTime);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kReverbTime), 10000);
    EXPECT_EQ(storedCC(kReverbTime), u"10000");
}

TEST_F(PanelsTest, ASongsReverbLevelUnderAnOverrideKeepsTheUsersLevel)
{
    play(0.1);
    drag(kReverbLevel, 0, 40); // 900 - 40 x 5
    ASSERT_EQ(m_mixer.controllers().CtrlOverride(kReverbLevel), 700);
    ASSERT_EQ(streamValue(0, MIDI_EVENT_REVERB_LEVEL), 700);

    // The song sets its level: the stream takes it, then the watcher runs
    // at mixing time, as for any event of the song.
    m_stream->sendEvent(0, MIDI_EVENT_REVERB_LEVEL, 300);
    m_mixer.onControllerEvent(kReverbLevelUser, eventData(0, 300));
    play(0.1);
    EXPECT_EQ(streamValue(0, MIDI_EVENT_REVERB_LEVEL), 700);
    EXPECT_EQ(m_mixer.controllers().CtrlDefault(kReverbLevel), 300);
    EXPECT_EQ(m_reverb->valueLabel(kReverbLevel)->text(), u"70.0 %");

    // Given back, the song's level is sent again and shown.
    m_target.sent.clear();
    click(kReverbLevel, Qt::RightButton);
    EXPECT_EQ(m_target.sent, (std::vector<SentEvent>{{0, MIDI_EVENT_REVERB_LEVEL, 300}}));
    EXPECT_EQ(streamValue(0, MIDI_EVENT_REVERB_LEVEL), 300);
    EXPECT_EQ(m_reverb->valueLabel(kReverbLevel)->text(), u"30.0 %");
    EXPECT_EQ(frameOf(kReverbLevel), skins::effectKnobFrame(300, 1000, false));
    EXPECT_TRUE(settingsText().contains(
        QRegularExpression(QStringLiteral("^CC116=\\r?$"), QRegularExpression::MultilineOption)));

    // Following the song again, the knob shows its next change at the tick.
    m_stream->sendEvent(0, MIDI_EVENT_REVERB_LEVEL, 450);
    m_mixer.onControllerEvent(kReverbLevelUser, eventData(0, 450));
    EXPECT_EQ(m_reverb->valueLabel(kReverbLevel)->text(), u"30.0 %");
    play(0.1);
    EXPECT_EQ(m_reverb->valueLabel(kReverbLevel)->text(), u"45.0 %");
    EXPECT_EQ(streamValue(0, MIDI_EVENT_REVERB_LEVEL), 450);
}

TEST_F(PanelsTest, EffectOverridesComeBackWithTheSongAndReachTheStream)
{
    drag(kChorusFeedback, 0, -30); // 30
    drag(kReverbLevel, 0, 20);     // 800
    m_stream.reset();
    openSong();
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kChorusFeedback), 30);
    EXPECT_TRUE(m_reverb->markOf(kChorusFeedback));
    EXPECT_FALSE(m_reverb->markOf(kReverbTime));
    EXPECT_EQ(m_reverb->valueLabel(kReverbLevel)->text(), u"80.0 %");
    EXPECT_EQ(streamValue(0, MIDI_EVENT_CHORUS_FEEDBACK), 30);
    EXPECT_EQ(streamValue(0, MIDI_EVENT_REVERB_LEVEL), 800);
}

TEST_F(PanelsTest, AStoredOverrideGivenBackAfterReopeningSendsAndShowsTheSongsOwnValue)
{
    // Channel 0's reverb send and the chorus feedback: the song sets neither.
    constexpr int reverbSend = kRowReverb + 0;
    const int songFeedback = streamValue(0, MIDI_EVENT_CHORUS_FEEDBACK);
    const QString songFeedbackText = m_reverb->valueLabel(kChorusFeedback)->text();
    WriteIni(QStringLiteral("CC"), QStringLiteral("CC32"), QStringLiteral("90"), m_settingsFile);
    WriteIni(QStringLiteral("CC"), QStringLiteral("CC120"), QStringLiteral("150"), m_settingsFile);
    m_stream.reset();
    openSong();
    ASSERT_EQ(streamValue(0, MIDI_EVENT_REVERB), 90);
    ASSERT_EQ(streamValue(0, MIDI_EVENT_CHORUS_FEEDBACK), 150);

    click(reverbSend, Qt::RightButton);
    click(kChorusFeedback, Qt::RightButton);
    EXPECT_EQ(m_target.sent, (std::vector<SentEvent>{{0, MIDI_EVENT_REVERB, 0},
                                                     {0, MIDI_EVENT_CHORUS_FEEDBACK,
                                                      static_cast<std::uint32_t>(songFeedback)}}));
    EXPECT_EQ(streamValue(0, MIDI_EVENT_REVERB), 0);
    EXPECT_EQ(m_reglage->knob(reverbSend)->toolTip(), u"0");
    EXPECT_EQ(frameOf(reverbSend), skins::rotaryKnobFrame(0, 0, false));
    EXPECT_EQ(m_reverb->valueLabel(kChorusFeedback)->text(), songFeedbackText);
}
