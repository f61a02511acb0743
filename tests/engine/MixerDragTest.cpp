// The mixer's faders and knobs: drag arithmetic, what is heard while
// dragging, what a release commits and what the right button resets.
#include "MixerFixture.h"

using namespace melorit::engine;
using namespace melorit::engine::test;

TEST_F(MixerTest, RightClickOnTheGainResetsItToZeroDecibels)
{
    writeSettings("[Gain]\nSlider=7\n");
    m_mixer.LoadGain();
    m_mixer.ApplyVolume(m_mixer.state().MasterGain);
    EXPECT_EQ(m_view.gainCaption, QStringLiteral("224 %"));

    m_mixer.Potard_MouseDown(kGainControl, MouseButton::Right, 10, 10);
    EXPECT_FALSE(m_mixer.isDragging());
    EXPECT_EQ(m_mixer.state().MasterGain, 0);
    EXPECT_EQ(m_view.gainCaption, QStringLiteral("100 %"));
    EXPECT_EQ(stored("Gain", "Slider"), QStringLiteral("0"));
    EXPECT_FLOAT_EQ(m_target.fontVolumes.back(), 1.0F);
    EXPECT_EQ(m_view.controls[kGainControl].first, 0);
    EXPECT_EQ(m_view.controls[kGainControl].second, QStringLiteral("Gain: =0 dB"));
    // The drag has ended: moving does nothing.
    m_mixer.Potard_MouseMove(10, -200);
    EXPECT_EQ(m_view.controls[kGainControl].first, 0);
}

TEST_F(MixerTest, RightClickResetsTheOtherControls)
{
    writeSettings("[Volume]\nCh5=150\nCh6=30\n[Mute]\nCh6=1\n[Transpose]\nSlider=-4\n"
                  "[Tempo]\nSlider=10\n");
    m_target.values[{0, MIDI_EVENT_TEMPO}] = 500000;
    m_mixer.startSongMix();
    m_mixer.loadSongTempo();
    m_target.sent.clear();

    m_mixer.Potard_MouseDown(5, MouseButton::Right, 0, 0);
    EXPECT_EQ(m_mixer.state().ChannelVolume[5], 100);
    EXPECT_EQ(stored("Volume", "Ch5"), QStringLiteral("100"));
    EXPECT_EQ(m_view.controls[5].second, QStringLiteral("x 1"));
    m_mixer.Potard_MouseDown(6, MouseButton::Right, 0, 0);
    // A muted channel stays silent.
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_MIXLEVEL),
              (std::vector<SentEvent>{{5, MIDI_EVENT_MIXLEVEL, 100}, {6, MIDI_EVENT_MIXLEVEL, 0}}));

    m_mixer.Potard_MouseDown(kTransposeControl, MouseButton::Right, 0, 0);
    EXPECT_EQ(m_mixer.state().TransposeSemis, 0);
    EXPECT_EQ(stored("Transpose", "Slider"), QStringLiteral("0"));
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_TRANSPOSE).back().param, 100);

    m_mixer.Potard_MouseDown(kTempoControl, MouseButton::Right, 0, 0);
    EXPECT_EQ(m_mixer.TempoShift(), 0);
    EXPECT_EQ(stored("Tempo", "Slider"), QStringLiteral("0.0"));
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_TEMPO).back().param, 500000);
    EXPECT_EQ(m_view.committedRatios.back(), 1.0);
}

TEST_F(MixerTest, VolumeDragFollowsTheVerticalTravelAndIsClamped)
{
    m_mixer.startSongMix();
    m_mixer.Potard_MouseDown(3, MouseButton::Left, 50, 100);
    m_mixer.Potard_MouseMove(400, 55); // up 45: 45 * 201 / 91 = 99.4
    EXPECT_EQ(m_view.controls[3].first, 199);
    EXPECT_EQ(lastLevels()[3], 199);
    m_mixer.Potard_MouseMove(50, 9); // up 91: +201, clamped
    EXPECT_EQ(m_view.controls[3].first, 200);
    m_mixer.Potard_MouseMove(50, 191); // down 91: -201, clamped
    EXPECT_EQ(m_view.controls[3].first, 0);
    EXPECT_EQ(m_view.controls[3].second, QStringLiteral("= 0"));
    // Nothing is committed before the release.
    EXPECT_EQ(m_mixer.state().ChannelVolume[3], 100);
    EXPECT_FALSE(QFile::exists(m_file));
    m_mixer.Potard_MouseMove(50, 78); // up 22: 48.6 -> 49
    m_mixer.Potard_MouseUp();
    EXPECT_EQ(m_mixer.state().ChannelVolume[3], 149);
    EXPECT_EQ(stored("Volume", "Ch3"), QStringLiteral("149"));
    EXPECT_FALSE(m_mixer.isDragging());
}

TEST_F(MixerTest, TheTranspositionKnobCrossesItsRangeOver200Pixels)
{
    struct Case {
        int dx, dy, semitones;
    };
    // (dx + dy) x 24 / 200: 0.48 -> 0, 0.96 -> 1, -5.04 -> -5, 100 pixels
    // half the range, 200 -> clamped 12.
    const Case cases[] = {{2, 2, 0},    {4, 4, 1},       {-20, -22, -5},
                          {0, 100, 12}, {-60, -40, -12}, {0, 200, 12}};
    for (const Case &c : cases) {
        m_mixer.Potard_MouseDown(kTransposeControl, MouseButton::Left, 100, 100);
        m_mixer.Potard_MouseMove(100 + c.dx, 100 - c.dy);
        m_mixer.Potard_MouseUp();
        EXPECT_EQ(m_mixer.state().TransposeSemis, c.semitones) << c.dx << "," << c.dy;
        m_mixer.Potard_MouseDown(kTransposeControl, MouseButton::Right, 0, 0);
    }
}

TEST_F(MixerTest, GainAndTransposeAreHeardWhileDragging)
{
    m_mixer.Potard_MouseDown(kGainControl, MouseButton::Left, 0, 100);
    m_mixer.Potard_MouseMove(0, 0); // 100 * 41 / 91 = 45 -> 20
    EXPECT_EQ(m_view.gainCaption, QStringLiteral("1000 %"));
    EXPECT_FLOAT_EQ(m_target.fontVolumes.back(), 10.0F);
    EXPECT_EQ(m_mixer.state().MasterGain, 0);
    m_mixer.Potard_MouseUp();
    EXPECT_EQ(m_mixer.state().MasterGain, 20);
    EXPECT_EQ(stored("Gain", "Slider"), QStringLiteral("20"));

    m_mixer.Potard_MouseDown(kTransposeControl, MouseButton::Left, 0, 0);
    m_mixer.Potard_MouseMove(-42, 0);
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_TRANSPOSE).back().param, 95);
    EXPECT_EQ(m_view.controls[kTransposeControl].second, QStringLiteral("Transpose: -5 semitones"));
}

TEST_F(MixerTest, TempoIsOnlyShownWhileDraggingAndAppliedOnRelease)
{
    m_target.values[{0, MIDI_EVENT_TEMPO}] = 500000;
    m_mixer.startSongTempo();
    m_target.sent.clear();
    m_mixer.Potard_MouseDown(kTempoControl, MouseButton::Left, 0, 0);
    m_mixer.Potard_MouseMove(-100, 0); // -100 * 3101 / 500 = -620.2
    EXPECT_TRUE(m_target.sentOf(MIDI_EVENT_TEMPO).empty());
    EXPECT_EQ(m_view.tempoText, QStringLiteral(" 74")); // 120 / 1.62
    EXPECT_EQ(m_mixer.TempoShift(), 0);
    m_mixer.Potard_MouseUp();
    EXPECT_EQ(m_mixer.TempoShift(), -620);
    EXPECT_DOUBLE_EQ(m_mixer.TempoRatio(), 1.62);
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_TEMPO).back().param, 810000);
    EXPECT_EQ(stored("Tempo", "Slider"), QStringLiteral("-62.0"));
    ASSERT_EQ(m_view.committedRatios.size(), 1U);
    EXPECT_DOUBLE_EQ(m_view.committedRatios[0], 1.62);

    // The drag range ends at -2500 and +600.
    drag(kTempoControl, 0, 0, 0, 10000);
    EXPECT_EQ(m_mixer.TempoShift(), -2500);
    drag(kTempoControl, 0, 0, 10000, 0);
    EXPECT_EQ(m_mixer.TempoShift(), 600);
}

TEST_F(MixerTest, PressAndReleaseWithoutMovingCommitsThePressValue)
{
    writeSettings("[Volume]\nCh8=150\n");
    m_mixer.LoadVolume();
    m_mixer.Potard_MouseDown(8, MouseButton::Left, 3, 3);
    m_mixer.Potard_MouseUp();
    EXPECT_EQ(m_mixer.state().ChannelVolume[8], 150);
    EXPECT_EQ(stored("Volume", "Ch8"), QStringLiteral("150"));
    // A move or release with no drag does nothing.
    m_mixer.Potard_MouseMove(0, -500);
    m_mixer.Potard_MouseUp();
    EXPECT_EQ(m_mixer.state().ChannelVolume[8], 150);
}

// The melody channel silenced by AutoMute stays silent while its fader is
// dragged or reset: its level is the mute rule's, not the bare volume.
TEST_F(MixerTest, DraggingTheAutoMutedMelodyFaderKeepsItSilent)
{
    m_mixer.setLyricsChannel(2);
    m_mixer.startSongMix();
    drag(2, 0, 100, 0, 80);
    EXPECT_EQ(m_mixer.state().ChannelVolume[2], 144);
    EXPECT_EQ(lastLevels()[2], 0);
    m_mixer.Potard_MouseDown(2, MouseButton::Right, 0, 0);
    EXPECT_EQ(lastLevels()[2], 0);
    // Once the user asks for the voice, the fader is heard.
    click(2);
    drag(2, 0, 100, 0, 80);
    EXPECT_EQ(lastLevels()[2], 144);
}

TEST_F(MixerTest, OnlyTheMixerControlsStartADrag)
{
    m_mixer.Potard_MouseDown(19, MouseButton::Left, 0, 0);
    EXPECT_FALSE(m_mixer.isDragging());
    m_mixer.Potard_MouseDown(-1, MouseButton::Right, 0, 0);
    EXPECT_TRUE(m_target.sent.empty());
}
