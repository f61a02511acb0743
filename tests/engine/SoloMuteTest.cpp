#include "engine/SoloMute.h"

#include <gtest/gtest.h>

using namespace melorit::engine;

namespace {

int soloedChannel(const MixState &s)
{
    int found = -1;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (s.ChannelSolo[ch] == 1) {
            EXPECT_EQ(found, -1) << "two soloed channels";
            found = ch;
        }
    }
    return found;
}

MixState withLyricsChannel(int channel)
{
    MixState s;
    s.nCanalLyrics = channel;
    s.AutoMute = true;
    return s;
}

} // namespace

TEST(SoloMute, SoloMutesTheOthersAndASecondClickUnmutesAll)
{
    MixState s;
    s.ChannelMute[2] = 1;
    soloClick(s, 5, MouseButton::Left);
    EXPECT_EQ(soloedChannel(s), 5);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        EXPECT_EQ(s.ChannelMute[ch], ch == 5 ? 0 : 1) << ch;
    }

    soloClick(s, 8, MouseButton::Left); // moving the solo
    EXPECT_EQ(soloedChannel(s), 8);
    EXPECT_EQ(s.ChannelMute[5], 1);
    EXPECT_EQ(s.ChannelMute[8], 0);

    soloClick(s, 8, MouseButton::Left);
    EXPECT_EQ(soloedChannel(s), -1);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        EXPECT_EQ(s.ChannelMute[ch], 0) << ch;
    }
}

TEST(SoloMute, SoloIsTheOnlyUnmutedChannel)
{
    MixState s;
    for (int ch = 0; ch < kChannelCount - 1; ++ch) {
        muteClick(s, ch, MouseButton::Left);
    }
    EXPECT_EQ(soloedChannel(s), kChannelCount - 1);
    muteClick(s, kChannelCount - 1, MouseButton::Left); // all muted: no solo
    EXPECT_EQ(soloedChannel(s), -1);
    muteClick(s, 0, MouseButton::Left);
    EXPECT_EQ(soloedChannel(s), 0);
}

TEST(SoloMute, RightClicksClearButNeverSet)
{
    MixState s;
    soloClick(s, 3, MouseButton::Right);
    EXPECT_EQ(soloedChannel(s), -1);
    EXPECT_EQ(s.ChannelMute[4], 0);

    soloClick(s, 3, MouseButton::Left);
    soloClick(s, 3, MouseButton::Right);
    EXPECT_EQ(soloedChannel(s), -1);
    EXPECT_EQ(s.ChannelMute[4], 0);

    s.ChannelMute[9] = 1;
    muteClick(s, 9, MouseButton::Right);
    EXPECT_EQ(s.ChannelMute[9], 0);
    muteClick(s, 9, MouseButton::Right);
    EXPECT_EQ(s.ChannelMute[9], 0);
}

TEST(SoloMute, LevelsFollowMutesAndTheLyricsRule)
{
    MixState s = withLyricsChannel(3);
    s.ChannelVolume[1] = 150;
    s.ChannelVolume[3] = 120;
    s.ChannelMute[2] = 1;
    EXPECT_EQ(levelOf(s, 1), 150);
    EXPECT_EQ(levelOf(s, 2), 0);
    EXPECT_EQ(levelOf(s, 3), 0); // auto-muted melody
    s.LyricsVoiceOn = true;
    EXPECT_EQ(levelOf(s, 3), 120);
    s.LyricsVoiceOn = false;
    s.AutoMute = false;
    EXPECT_EQ(levelOf(s, 3), 120);
    EXPECT_EQ(levelWithVolume(s, 1, 37), 37);
    EXPECT_EQ(levelOf(s, 16), 0);
}

TEST(SoloMute, MuteClicksOnTheLyricsChannelToggleTheVoice)
{
    MixState s = withLyricsChannel(2);
    muteClick(s, 2, MouseButton::Left); // muted, voice on
    EXPECT_TRUE(s.LyricsVoiceOn);
    EXPECT_EQ(s.ChannelMute[2], 1);
    EXPECT_EQ(muteButtonState(s, 2), 3);
    EXPECT_EQ(levelOf(s, 2), 0);

    muteClick(s, 2, MouseButton::Left); // unmuted, voice off again
    EXPECT_FALSE(s.LyricsVoiceOn);
    EXPECT_EQ(s.ChannelMute[2], 0);
    EXPECT_EQ(muteButtonState(s, 2), 1);

    s.LyricsVoiceOn = true;
    EXPECT_EQ(muteButtonState(s, 2), 2); // heard in spite of AutoMute
    muteClick(s, 2, MouseButton::Right);
    EXPECT_FALSE(s.LyricsVoiceOn);
    EXPECT_EQ(levelOf(s, 2), 0);
}

TEST(SoloMute, LyricsMuteButtonStatesFollowTheTable)
{
    struct Row {
        bool soloed, voiceOn, muted;
        int state;
    };
    const Row rows[] = {
        {true, true, false, 0}, {true, true, true, 0},    {true, false, false, 2},
        {true, false, true, 2}, {false, false, false, 1}, {false, false, true, 1},
        {false, true, true, 3}, {false, true, false, 2},
    };
    for (const Row &r : rows) {
        MixState s = withLyricsChannel(7);
        s.ChannelSolo[7] = r.soloed ? 1 : 0;
        s.LyricsVoiceOn = r.voiceOn;
        s.ChannelMute[7] = r.muted ? 1 : 0;
        EXPECT_EQ(muteButtonState(s, 7), r.state) << r.soloed << r.voiceOn << r.muted;
        // Without AutoMute the channel is an ordinary one.
        s.AutoMute = false;
        EXPECT_EQ(muteButtonState(s, 7), r.muted ? 3 : 0);
    }
}
