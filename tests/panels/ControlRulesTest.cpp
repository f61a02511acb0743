// The panels' rules apart from the windows: drag scaling, what a control
// shows, and where the mixer's announcements go.
#include "engine/ControllerTable.h"
#include "engine/MixTarget.h"
#include "engine/Mixer.h"
#include "panels/ChannelControls.h"
#include "panels/EffectControls.h"
#include "panels/PanelMixView.h"
#include "panels/PresetNames.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace melorit::engine;
using namespace melorit;
using namespace melorit::panels;

namespace {

constexpr KeyMods kNone{};
constexpr KeyMods kCtrl{true, false, false};
constexpr KeyMods kShift{false, true, false};
constexpr KeyMods kCtrlShift{true, true, false};

} // namespace

TEST(ChannelDragValue, PixelsStepsAndCtrl)
{
    // A knob crosses 0-127 over 200 pixels; Shift or Ctrl are ten times finer.
    EXPECT_EQ(channelDragValue(kDragVolume, 0, 200, kNone, 3), 127);
    EXPECT_EQ(channelDragValue(kDragVolume, 0, 100, kNone, 3), 64) << "63.5 rounds to 64";
    EXPECT_EQ(channelDragValue(kDragVolume, 90, -30, kNone, 3), 71) << "19.05 steps";
    EXPECT_EQ(channelDragValue(kDragVolume, 90, -30, kCtrl, 3), 88);
    EXPECT_EQ(channelDragValue(kDragPan, 64, -30, kShift, 3), 62);
    EXPECT_EQ(channelDragValue(kDragPan, 64, 1, kNone, 3), 65) << "one pixel, one step";
    EXPECT_EQ(channelDragValue(kDragReverb, 10, -50, kNone, 3), 0);
    EXPECT_EQ(channelDragValue(kDragChorus, 120, 50, kNone, 3), 127);
    // Banks and programs: one step per ten pixels, halves to even.
    EXPECT_EQ(channelDragValue(kDragProgram, 5, 25, kNone, 3), 7);
    EXPECT_EQ(channelDragValue(kDragProgram, 5, 35, kNone, 3), 9);
    EXPECT_EQ(channelDragValue(kDragProgram, 5, 150, kCtrl, 3), 7) << "15 steps, then 1.5 -> 2";
    EXPECT_EQ(channelDragValue(kDragBank, 1, 100, kNone, 3), 3) << "MaxBank";
    EXPECT_EQ(channelDragValue(kDragBank, 1, 100, kNone, 0), 0);
    // Drum mode: one step per hundred pixels, between 0 and 1.
    EXPECT_EQ(channelDragValue(kDragDrums, 0, 49, kNone, 3), 0);
    EXPECT_EQ(channelDragValue(kDragDrums, 0, 51, kNone, 3), 1);
    EXPECT_EQ(channelDragValue(kDragDrums, 0, 900, kNone, 3), 1);
    EXPECT_EQ(channelDragValue(kDragDrums, 1, -150, kNone, 3), 0);
}

TEST(EffectDragValue, StepsCtrlShiftAndLimits)
{
    // 200 pixels cross the whole range; Shift or Ctrl are ten times finer.
    constexpr int feedback = 120;
    EXPECT_EQ(effectDragValue(feedback, 6, 10, kNone), 16);
    EXPECT_EQ(effectDragValue(feedback, 6, 10, kShift), 7);
    EXPECT_EQ(effectDragValue(feedback, 6, 10, kCtrl), 7);
    EXPECT_EQ(effectDragValue(feedback, 6, 10, kCtrlShift), 7) << "finer once";
    EXPECT_EQ(effectDragValue(feedback, 6, 500, kNone), 200);
    constexpr int reverbTime = 112;
    EXPECT_EQ(effectDragValue(reverbTime, 0, 200, kNone), 10000);
    EXPECT_EQ(effectDragValue(reverbTime, 2000, 3, kNone), 2150);
    EXPECT_EQ(effectDragValue(reverbTime, 2000, 3, kShift), 2015);
    EXPECT_EQ(effectDragValue(reverbTime, 2000, -30, kNone), 500);
    EXPECT_EQ(effectDragValue(reverbTime, 2000, -41, kNone), 0);
    EXPECT_EQ(effectDragValue(reverbTime, 0, 2e9, kShift), 10000) << "no overflow";
    constexpr int chorusLevel = 121;
    EXPECT_EQ(effectDragValue(chorusLevel, 200, 5, kCtrl), 202) << "2.5 rounds to 2";
    EXPECT_EQ(effectDragValue(chorusLevel, 200, 0.1, kNone), 200) << "0.5 rounds to 0";
    EXPECT_EQ(effectDragValue(chorusLevel, 200, 0.3, kNone), 202) << "1.5 rounds to 2";
}

namespace {

class SilentTarget final : public MixTarget {
public:
    bool hasStream() const override { return true; }
    void sendEvent(int channel, MidiEvent event, std::uint32_t param) override
    {
        sent.push_back({channel, static_cast<int>(event), static_cast<int>(param)});
    }
    std::int32_t eventValue(int, MidiEvent) const override { return -1; }
    void setFontVolume(float) override {}
    std::vector<std::vector<int>> sent;
};

class ChannelFaces : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_presets.setPreset(0, 0, QStringLiteral("Piano"));
        m_presets.setPreset(2, 0, QStringLiteral("Piano 2"));
        m_presets.setPreset(128, 0, QStringLiteral("Kit"));
        m_presets.setPreset(128, 4, QStringLiteral("Brush"));
        m_mixer.setTarget(&m_target);
    }
    bool markOf(int index) const { return m_mixer.controllers().hasOverride(index); }
    ChannelKnobFace face(int index, int value) const
    {
        return m_controls.face(index, value, [this](int i) { return markOf(i); });
    }

    Mixer m_mixer;
    SilentTarget m_target;
    PresetNames m_presets;
    ChannelControls m_controls{m_mixer, m_presets.catalog()};
};

} // namespace

TEST_F(ChannelFaces, TipsFramesAndTheDrumKitDisplay)
{
    EXPECT_EQ(face(kRowPan + 1, 64).tip, u" C ");
    EXPECT_EQ(face(kRowPan + 1, 60).tip, u"G 4");
    EXPECT_EQ(face(kRowVolume + 1, 300).value, 127);
    EXPECT_EQ(face(kRowVolume + 1, 300).tip, u"127");
    EXPECT_EQ(face(kRowDrums + 1, 0).tip, u"Melodic");
    EXPECT_EQ(face(kRowProgram + 1, 0).tip, u"Piano");
    EXPECT_EQ(face(kRowBank + 1, 2).tip, u"Piano 2");
    EXPECT_EQ(face(kRowBank + 1, 1).tip, u"");

    // Channel 9 starts in drum mode: the bank display shows the kit row,
    // named after the kit of the channel's program.
    const ChannelKnobFace kit = face(kRowBank + 9, 2);
    EXPECT_EQ(kit.value, 128);
    EXPECT_EQ(kit.kind, 2);
    EXPECT_FALSE(kit.mark);
    EXPECT_EQ(kit.tip, u"Kit");
    EXPECT_EQ(face(kRowProgram + 9, 4).tip, u"Brush");
    EXPECT_EQ(m_controls.TipPreset(9), u"Kit");
    EXPECT_EQ(m_controls.TipPreset(1), u"Piano");
    EXPECT_EQ(m_controls.TipPreset(1, 2, -1), u"Piano 2");
    // The drum override marks the kit display.
    m_mixer.setOverride(kRowDrums + 9, 1);
    EXPECT_TRUE(face(kRowBank + 9, 0).mark);
    m_mixer.setOverride(kRowDrums + 9, 0);
    EXPECT_EQ(face(kRowBank + 9, 0).value, 0);
}

TEST_F(ChannelFaces, PressesWithoutAStreamValueTakeTheResetDefaults)
{
    // Channel 9's drum mode, taken over, then toggled off and on.
    EXPECT_EQ(m_controls.pressLeft(kRowDrums + 9, kNone), 1);
    EXPECT_TRUE(m_target.sent.empty());
    EXPECT_EQ(m_controls.pressLeft(kRowDrums + 9, kNone), 0);
    EXPECT_EQ(m_controls.pressLeft(kRowDrums + 9, kShift), 1);
    EXPECT_EQ(m_target.sent.size(), 2u);
    // Volume: taken over at 100, then left alone by a second press.
    EXPECT_EQ(m_controls.pressLeft(kRowVolume + 2, kNone), 100);
    EXPECT_EQ(m_controls.pressLeft(kRowVolume + 2, kShift), 100);
    EXPECT_EQ(m_target.sent.size(), 2u);
    // Indices outside the panel change nothing.
    EXPECT_EQ(m_controls.pressLeft(112, kNone), 0);
    m_controls.pressRight(-1);
    m_controls.preview(500, 3);
    EXPECT_EQ(m_target.sent.size(), 2u);
    EXPECT_FALSE(m_mixer.controllers().hasOverride(112));
}

namespace {

class RecordingDisplay final : public ControllerDisplay {
public:
    void controllerKnobChanged(int index, int value) override { knobs[index] = value; }
    void controllerMarkChanged(int index, bool overridden) override { marks[index] = overridden; }
    std::map<int, int> knobs;
    std::map<int, bool> marks;
};

class CountingView final : public MixView {
public:
    void soloMuteButtonChanged(int, int) override { ++calls; }
    void mixerControlChanged(int, int, const QString &) override { ++calls; }
    void tempoReadoutChanged(const QString &, int) override { ++calls; }
    void gainCaptionChanged(const QString &) override { ++calls; }
    void controllerKnobChanged(int, int) override { ++knobCalls; }
    void controllerMarkChanged(int, bool) override { ++knobCalls; }
    void tempoRatioCommitted(double) override { ++calls; }
    int calls = 0;
    int knobCalls = 0;
};

} // namespace

TEST(PanelMixView, KnobsGoToTheirPanelEverythingElseToTheMainWindow)
{
    RecordingDisplay channels;
    RecordingDisplay effects;
    CountingView main;
    PanelMixView view(&main);
    view.setChannelPanel(&channels);
    view.setEffectsPanel(&effects);
    view.controllerKnobChanged(111, 1);
    view.controllerKnobChanged(112, 2000);
    view.controllerMarkChanged(0, true);
    view.controllerMarkChanged(122, true);
    view.controllerKnobChanged(123, 5); // no panel has it
    EXPECT_EQ(channels.knobs, (std::map<int, int>{{111, 1}}));
    EXPECT_EQ(effects.knobs, (std::map<int, int>{{112, 2000}}));
    EXPECT_EQ(channels.marks, (std::map<int, bool>{{0, true}}));
    EXPECT_EQ(effects.marks, (std::map<int, bool>{{122, true}}));
    EXPECT_EQ(main.knobCalls, 5);
    view.soloMuteButtonChanged(3, 1);
    view.mixerControlChanged(16, 0, {});
    view.tempoReadoutChanged({}, 0);
    view.gainCaptionChanged({});
    view.tempoRatioCommitted(1.0);
    EXPECT_EQ(main.calls, 5);
    // Without a main window the panels still hear of their knobs.
    PanelMixView alone;
    alone.setChannelPanel(&channels);
    alone.controllerKnobChanged(5, 77);
    alone.gainCaptionChanged({});
    EXPECT_EQ(channels.knobs[5], 77);
}
