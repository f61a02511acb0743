// The mixer with its settings file: what a song start loads and applies, and
// what each committed change writes at once.
#include "MixerFixture.h"

#include "engine/MixLimits.h"

#include <QDir>

using namespace melorit::engine;
using namespace melorit::engine::test;

TEST_F(MixerTest, ZeroVolumeInTheFileStartsTheChannelMutedAtUnity)
{
    writeSettings("[Volume]\nCh3=0\nCh4=150\n");
    m_mixer.startSongMix();
    EXPECT_EQ(m_mixer.state().ChannelVolume[3], 100);
    EXPECT_EQ(m_mixer.state().ChannelMute[3], 1);
    EXPECT_EQ(m_view.controls[3].first, 100);
    EXPECT_EQ(m_view.buttons[kFirstMuteButton + 3], 3);
    const auto levels = lastLevels();
    EXPECT_EQ(levels[3], 0);
    EXPECT_EQ(levels[4], 150);
    EXPECT_EQ(levels[0], 100);
}

TEST_F(MixerTest, FifteenMutedChannelsInTheFileLoadAsASolo)
{
    QByteArray text = "[Mute]\n";
    for (int ch = 0; ch < kChannelCount; ++ch) {
        text += "Ch" + QByteArray::number(ch) + (ch == 11 ? "=0\n" : "=1\n");
    }
    writeSettings(text);
    m_mixer.startSongMix();
    EXPECT_EQ(m_mixer.state().ChannelSolo[11], 1);
    EXPECT_EQ(m_view.buttons[11], 3);

    // Zero volumes mute as well, and count for the solo.
    QByteArray volumes = "[Volume]\n";
    for (int ch = 0; ch < kChannelCount - 1; ++ch) {
        volumes += "Ch" + QByteArray::number(ch) + "=0\n";
    }
    writeSettings(volumes);
    m_mixer.startSongMix();
    EXPECT_EQ(m_mixer.state().ChannelSolo[11], 0);
    EXPECT_EQ(m_mixer.state().ChannelSolo[15], 1);
    EXPECT_EQ(m_view.buttons[15], 3);
}

TEST_F(MixerTest, MutingFifteenChannelsWritesEachClickAtOnce)
{
    m_mixer.startSongMix();
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (ch == 6) {
            continue;
        }
        click(kFirstMuteButton + ch);
        EXPECT_EQ(stored("Mute", QStringLiteral("Ch%1").arg(ch)), QStringLiteral("1"));
    }
    EXPECT_EQ(m_view.buttons[6], 3); // shown as soloed
    int ones = 0;
    int zeros = 0;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const QString v = stored("Mute", QStringLiteral("Ch%1").arg(ch));
        ones += v == u"1" ? 1 : 0;
        zeros += v == u"0" ? 1 : 0;
    }
    EXPECT_EQ(ones, 15);
    EXPECT_EQ(zeros, 1);
    EXPECT_EQ(stored("Mute", "Ch6"), QStringLiteral("0"));
    const auto levels = lastLevels();
    for (int ch = 0; ch < kChannelCount; ++ch) {
        EXPECT_EQ(levels[ch], ch == 6 ? 100 : 0) << ch;
    }
}

TEST_F(MixerTest, SoloingTheLyricsChannelUnderAutoMuteMakesItHeard)
{
    m_mixer.setLyricsChannel(4);
    m_mixer.startSongMix();
    EXPECT_EQ(lastLevels()[4], 0);
    EXPECT_EQ(m_view.buttons[kFirstMuteButton + 4], 1);

    click(4);
    EXPECT_TRUE(m_mixer.state().LyricsVoiceOn);
    EXPECT_EQ(lastLevels()[4], 100);
    EXPECT_EQ(lastLevels()[5], 0);
    EXPECT_EQ(m_view.buttons[kFirstMuteButton + 4], 0);
    EXPECT_EQ(m_view.buttons[4], 3);
}

TEST_F(MixerTest, LyricsVoiceSurvivesTheNextSong)
{
    m_mixer.setLyricsChannel(4);
    click(4);
    m_mixer.setSongSettingsFile(m_dir.filePath(QStringLiteral("other.mst")));
    m_mixer.startSongMix();
    EXPECT_TRUE(m_mixer.state().LyricsVoiceOn);
    EXPECT_EQ(lastLevels()[4], 100);
}

TEST_F(MixerTest, ClicksOutsideTheSoloAndMuteButtonsAreNotTheirs)
{
    EXPECT_FALSE(m_mixer.PicSM_Click(32));
    EXPECT_FALSE(m_mixer.PicSM_Click(-1));
    EXPECT_TRUE(m_target.sent.empty());
    EXPECT_FALSE(QFile::exists(m_file));
}

TEST_F(MixerTest, StartSongMixAppliesEverySection)
{
    writeSettings("[Gain]\nSlider=-6\n[Transpose]\nSlider=3\n[Volume]\nCh1=80\n"
                  "[CC]\nCC17=20\nCC5=\nCC112=3000\n");
    m_mixer.startSongMix();
    EXPECT_EQ(m_mixer.state().MasterGain, -6);
    EXPECT_EQ(m_view.gainCaption, QStringLiteral("50 %"));
    ASSERT_FALSE(m_target.fontVolumes.empty());
    EXPECT_NEAR(m_target.fontVolumes.back(), 0.501187, 1e-5);
    EXPECT_EQ(m_view.controls[kGainControl].second, QStringLiteral("Gain: -6 dB"));
    EXPECT_EQ(m_view.controls[kTransposeControl].second, QStringLiteral("Transpose: +3 semitones"));

    const auto transposes = m_target.sentOf(MIDI_EVENT_TRANSPOSE);
    ASSERT_EQ(transposes.size(), 16U);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        EXPECT_EQ(transposes[ch], (SentEvent{ch, MIDI_EVENT_TRANSPOSE, 103}));
    }
    EXPECT_EQ(lastLevels()[1], 80);

    // Overrides: pan of channel 1 and the reverb time; CC5 is empty.
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(17), 20);
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(5), kNoOverride);
    EXPECT_TRUE(m_view.marks[17]);
    EXPECT_TRUE(m_view.marks[112]);
    EXPECT_FALSE(m_view.marks[5]);
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_PAN), (std::vector<SentEvent>{{1, MIDI_EVENT_PAN, 20}}));
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_REVERB_TIME),
              (std::vector<SentEvent>{{0, MIDI_EVENT_REVERB_TIME, 3000}}));
    EXPECT_EQ(m_view.knobs[17], 20);
    EXPECT_EQ(m_view.knobs[16], 64);
}

TEST_F(MixerTest, ANewSongStartsFromTheResetValues)
{
    writeSettings("[CC]\nCC3=50\n[Mute]\nCh2=1\n");
    m_mixer.startSongMix();
    ASSERT_TRUE(m_mixer.controllers().hasOverride(3));
    m_mixer.setSongSettingsFile(m_dir.filePath(QStringLiteral("other.mst")));
    m_mixer.startSongMix();
    EXPECT_FALSE(m_mixer.controllers().hasOverride(3));
    EXPECT_FALSE(m_view.marks[3]);
    EXPECT_EQ(m_mixer.state().ChannelMute[2], 0);
    EXPECT_EQ(lastLevels()[2], 100);
}

TEST_F(MixerTest, WithoutASongNothingIsWrittenAndDefaultsApply)
{
    m_mixer.setSongSettingsFile(QString());
    m_mixer.LoadGain();
    m_mixer.LoadTempo();
    m_mixer.LoadTranspose();
    m_mixer.LoadVolume();
    EXPECT_EQ(m_view.tempoText, QStringLiteral("---"));
    EXPECT_EQ(m_view.controls[kGainControl].first, 0);
    click(kFirstMuteButton + 1);
    drag(kGainControl, 0, 100, 0, 50);
    m_mixer.SaveCC(3);
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
    EXPECT_EQ(m_mixer.state().ChannelMute[1], 1);
}

TEST_F(MixerTest, NoStreamSkipsTransposeAndTempoButNotLevelsOrVolume)
{
    m_target.stream = false;
    m_mixer.ApplyTranspose(5);
    m_target.values[{0, MIDI_EVENT_TEMPO}] = 500000;
    m_mixer.ReadBaseTempo();
    m_mixer.NewTempo();
    EXPECT_TRUE(m_target.sent.empty());
    m_mixer.ApplyLevels();
    m_mixer.ApplyVolume(0);
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_MIXLEVEL).size(), 16U);
    EXPECT_EQ(m_target.fontVolumes.size(), 1U);
}

TEST_F(MixerTest, TheSongTempoIsScaledByTheStoredFactor)
{
    writeSettings("[Tempo]\nSlider=-12,5\n");
    m_target.values[{0, MIDI_EVENT_TEMPO}] = 500000;
    m_mixer.startSongTempo();
    EXPECT_EQ(m_mixer.TempoShift(), 0);
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_TEMPO).back().param, 500000);
    m_target.values[{0, MIDI_EVENT_TEMPO}] = 500000; // the song's tempo again
    m_mixer.loadSongTempo();
    EXPECT_EQ(m_mixer.TempoShift(), -125);
    EXPECT_DOUBLE_EQ(m_mixer.TempoRatio(), 1.125);
    EXPECT_EQ(m_target.sentOf(MIDI_EVENT_TEMPO).back().param, 562500);
    EXPECT_EQ(m_view.tempoText, QStringLiteral("107"));
    EXPECT_EQ(m_view.tempoRow, 1);
}

TEST_F(MixerTest, SettingsSurviveAReopen)
{
    m_target.values[{0, MIDI_EVENT_TEMPO}] = 500000;
    m_mixer.startSongMix();
    m_mixer.startSongTempo();
    drag(2, 0, 100, 0, 55);                   // channel 2 volume 100 + 99
    click(kFirstMuteButton + 9);              // mute the drums
    drag(kTransposeControl, 0, 0, 20, -13);   // +4 semitones
    drag(kTempoControl, 0, 0, 50, 0);         // 310 per mille faster
    m_mixer.setOverride(kRowProgram + 3, 40); // a panel takes program 3 over
    m_mixer.SaveCC(kRowProgram + 3);

    RecordingTarget target2;
    RecordingView view2;
    Mixer reopened;
    reopened.setTarget(&target2);
    reopened.setView(&view2);
    reopened.setSongSettingsFile(m_file);
    target2.values[{0, MIDI_EVENT_TEMPO}] = 500000;
    reopened.startSongMix();
    reopened.startSongTempo();
    reopened.loadSongTempo();

    EXPECT_EQ(reopened.state().ChannelVolume[2], 199);
    EXPECT_EQ(reopened.state().ChannelMute[9], 1);
    EXPECT_EQ(reopened.state().TransposeSemis, 4);
    EXPECT_EQ(reopened.TempoShift(), 310);
    EXPECT_EQ(reopened.controllers().CtrlOverride(kRowProgram + 3), 40);
    EXPECT_EQ(target2.eventValue(2, MIDI_EVENT_MIXLEVEL), 199);
    EXPECT_EQ(target2.eventValue(9, MIDI_EVENT_MIXLEVEL), 0);
    EXPECT_EQ(target2.eventValue(5, MIDI_EVENT_TRANSPOSE), 104);
    EXPECT_EQ(target2.eventValue(0, MIDI_EVENT_TEMPO), 345000);
    EXPECT_EQ(target2.eventValue(3, MIDI_EVENT_PROGRAM), 40);
    EXPECT_EQ(stored("Tempo", "Slider"), QStringLiteral("31.0"));
}
