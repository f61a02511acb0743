// The mixer of the main window on a real song: faders, solo and mute
// buttons, the gain and transposition controls and the tempo read-out.
#include "MainWindowFixture.h"

#include "app/mainwin/MixPicture.h"
#include "engine/MixTexts.h"
#include "skins/ButtonFrames.h"
#include "skins/KnobFrames.h"
#include "skins/PictureButton.h"

#include <QLabel>

namespace melorit::mainwin::test {
namespace {

class MixerStripTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        makeWindow();
        playDemo();
        m_player->pull(44100 * 4);
    }
    const engine::MixState &mix() const { return m_player->mixer().state(); }
    // A drag of a fader or knob by (dx, dy) pixels.
    void drag(int control, int dx, int dy)
    {
        MixPicture *picture = m_window->potard(control);
        const QPoint from(12, 60);
        press(picture, Qt::LeftButton, from);
        moveTo(picture, from + QPoint(dx, dy));
        release(picture, Qt::LeftButton, from + QPoint(dx, dy));
    }
    int lyricsChannel() const { return mix().nCanalLyrics; }
};

TEST_F(MixerStripTest, DraggingAFaderChangesTheMixerAndSavesOnRelease)
{
    MixPicture *fader = m_window->potard(3);
    press(fader, Qt::LeftButton, {12, 60});
    moveTo(fader, {12, 15});
    // While dragging the picture follows, the committed value does not.
    const int dragged = 100 + 99; // 45 pixels x 201 / 91, rounded
    EXPECT_EQ(fader->frame(), skins::faderFrame(dragged, 0, 200));
    EXPECT_EQ(mix().ChannelVolume[3], 100);
    EXPECT_EQ(settingsValue(QStringLiteral("Volume"), QStringLiteral("Ch3")), QString());
    release(fader, Qt::LeftButton, {12, 15});
    EXPECT_EQ(mix().ChannelVolume[3], dragged);
    EXPECT_EQ(settingsValue(QStringLiteral("Volume"), QStringLiteral("Ch3")),
              QString::number(dragged));
    EXPECT_EQ(fader->toolTip(), engine::volumeTip(dragged));
    // Far beyond the end the value stops at 200.
    drag(3, 0, 400);
    EXPECT_EQ(mix().ChannelVolume[3], 0);
    EXPECT_EQ(fader->toolTip(), QStringLiteral("= 0"));
}

TEST_F(MixerStripTest, RightClickResetsFaderGainTranspositionAndTempo)
{
    drag(5, 0, -20);
    drag(engine::kGainControl, 0, -40);
    drag(engine::kTransposeControl, 20, 0);
    drag(engine::kTempoControl, 0, -30);
    ASSERT_NE(mix().ChannelVolume[5], 100);
    ASSERT_NE(mix().MasterGain, 0);
    ASSERT_NE(mix().TransposeSemis, 0);
    ASSERT_NE(m_player->mixer().TempoShift(), 0);
    EXPECT_NE(m_window->LabelGain()->text(), QStringLiteral("100 %"));
    EXPECT_EQ(m_window->potard(engine::kTempoControl)->glyphRow(), 1);

    for (const int control :
         {5, engine::kGainControl, engine::kTransposeControl, engine::kTempoControl}) {
        click(m_window->potard(control), Qt::RightButton);
    }
    EXPECT_EQ(mix().ChannelVolume[5], 100);
    EXPECT_EQ(mix().MasterGain, 0);
    EXPECT_EQ(mix().TransposeSemis, 0);
    EXPECT_EQ(m_player->mixer().TempoShift(), 0);
    EXPECT_EQ(m_window->LabelGain()->text(), QStringLiteral("100 %"));
    EXPECT_EQ(settingsValue(QStringLiteral("Gain"), QStringLiteral("Slider")), QStringLiteral("0"));
    EXPECT_EQ(settingsValue(QStringLiteral("Volume"), QStringLiteral("Ch5")),
              QStringLiteral("100"));
    EXPECT_EQ(m_window->potard(5)->frame(), skins::faderFrame(100, 0, 200));
    EXPECT_EQ(m_window->potard(engine::kGainControl)->frame(), skins::faderFrame(0, -20, 20));
    EXPECT_EQ(m_window->potard(engine::kTransposeControl)->frame(), skins::transposeKnobFrame(0));
    EXPECT_EQ(m_window->potard(engine::kTempoControl)->glyphRow(), 0);
}

TEST_F(MixerStripTest, GainAndTranspositionShowTheirTips)
{
    drag(engine::kGainControl, 0, -20); // 20 x 41 / 91 = 9 dB
    EXPECT_EQ(mix().MasterGain, 9);
    EXPECT_EQ(m_window->potard(engine::kGainControl)->toolTip(), QStringLiteral("Gain: +9 dB"));
    EXPECT_EQ(m_window->LabelGain()->text(), engine::gainCaption(9));
    drag(engine::kTransposeControl, -17, 8); // (-17 - 8) x 24 / 200 = -3
    EXPECT_EQ(mix().TransposeSemis, -3);
    EXPECT_EQ(m_window->potard(engine::kTransposeControl)->toolTip(),
              QStringLiteral("Transpose: -3 semitones"));
    EXPECT_EQ(m_window->potard(engine::kTransposeControl)->frame(), skins::transposeKnobFrame(-3));
    EXPECT_EQ(m_window->label(QStringLiteral("LabelTranspose"))->text(), u"-3");
}

TEST_F(MixerStripTest, TempoReadoutShowsTheSongsBeatsPerMinute)
{
    const engine::TempoReadout expected = engine::tempoReadout(0, m_player->mixer().BaseTempo());
    EXPECT_NE(expected.text, QStringLiteral("---"));
    EXPECT_EQ(m_window->potard(engine::kTempoControl)->ledText(), expected.text);
    // It says how it changes.
    EXPECT_FALSE(m_window->potard(engine::kTempoControl)->toolTip().isEmpty());
}

TEST_F(MixerStripTest, MuteClicksRedrawAndSave)
{
    const int channel = lyricsChannel() == 1 ? 2 : 1;
    skins::PictureButton *mute = m_window->picSM(16 + channel);
    click(mute);
    EXPECT_EQ(mix().ChannelMute[static_cast<std::size_t>(channel)], 1);
    EXPECT_EQ(m_window->buttonState(16 + channel), 3);
    EXPECT_EQ(mute->picture().toImage(),
              skins::framePixmap(m_skins, *skins::mainButtonFrame(16 + channel, 3)).toImage());
    EXPECT_EQ(settingsValue(QStringLiteral("Mute"), QStringLiteral("Ch%1").arg(channel)),
              QStringLiteral("1"));
    // A release away from the button is no click.
    press(mute);
    release(mute, Qt::LeftButton, {60, 60});
    EXPECT_EQ(mix().ChannelMute[static_cast<std::size_t>(channel)], 1);
    // The right button restores the channel.
    click(mute, Qt::RightButton);
    EXPECT_EQ(mix().ChannelMute[static_cast<std::size_t>(channel)], 0);
    EXPECT_EQ(m_window->buttonState(16 + channel), 0);
    EXPECT_EQ(settingsValue(QStringLiteral("Mute"), QStringLiteral("Ch%1").arg(channel)),
              QStringLiteral("0"));
}

TEST_F(MixerStripTest, SoloMutesTheOthersAndSecondClickUnmutes)
{
    const int lyrics = lyricsChannel();
    const int channel = lyrics == 2 ? 3 : 2;
    click(m_window->picSM(channel));
    EXPECT_EQ(m_window->buttonState(channel), 3);
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_EQ(mix().ChannelMute[static_cast<std::size_t>(ch)], ch == channel ? 0 : 1) << ch;
        if (ch != lyrics) {
            EXPECT_EQ(m_window->buttonState(16 + ch), ch == channel ? 0 : 3) << ch;
        }
        if (ch != channel) {
            EXPECT_EQ(m_window->buttonState(ch), 0) << ch;
        }
    }
    click(m_window->picSM(channel));
    EXPECT_EQ(m_window->buttonState(channel), 0);
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_EQ(mix().ChannelMute[static_cast<std::size_t>(ch)], 0) << ch;
    }
}

TEST_F(MixerStripTest, LyricsChannelMuteButtonShowsTheAutomaticMute)
{
    const int lyrics = lyricsChannel();
    ASSERT_GE(lyrics, 0) << "the demo song has a melody channel";
    // AutoMute on, voice not asked for: state 1.
    EXPECT_EQ(m_window->buttonState(16 + lyrics), 1);
    // A window made now (or a language change) draws the same states from
    // the mixer.
    frmRovuRodu second(*m_player, m_skins, m_host);
    EXPECT_EQ(second.buttonState(16 + lyrics), 1);
    const int other = lyrics == 3 ? 5 : 3;
    click(m_window->picSM(16 + other));
    frmRovuRodu third(*m_player, m_skins, m_host);
    EXPECT_EQ(third.buttonState(16 + other), 3);
    EXPECT_EQ(third.buttonState(16 + other + 1), 0);
    // Soloing the melody makes it heard: its mute button shows 0.
    click(m_window->picSM(lyrics));
    EXPECT_TRUE(mix().LyricsVoiceOn);
    EXPECT_EQ(m_window->buttonState(16 + lyrics), 0);
}

} // namespace
} // namespace melorit::mainwin::test
