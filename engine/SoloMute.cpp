#include "engine/SoloMute.h"

namespace melorit::engine {
namespace {

bool isValidChannel(int channel)
{
    return channel >= 0 && channel < kChannelCount;
}

bool isLyricsUnderAutoMute(const MixState &state, int channel)
{
    return channel == state.nCanalLyrics && state.AutoMute;
}

void unmuteAll(MixState &state)
{
    state.ChannelMute.fill(0);
}

void soloOn(MixState &state, int channel)
{
    state.ChannelSolo.fill(0);
    state.ChannelSolo[channel] = 1;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (state.ChannelMute[ch] == 0) {
            state.ChannelMute[ch] = 1;
        }
    }
    state.ChannelMute[channel] = 0;
}

// State of the melody channel's mute button while AutoMute silences it.
int lyricsMuteState(const MixState &state, int channel)
{
    const bool soloed = state.ChannelSolo[channel] == 1;
    if (soloed) {
        return state.LyricsVoiceOn ? 0 : 2;
    }
    if (!state.LyricsVoiceOn) {
        return 1;
    }
    return state.ChannelMute[channel] == 1 ? 3 : 2;
}

} // namespace

bool isAutoMuted(const MixState &state, int channel)
{
    return isLyricsUnderAutoMute(state, channel) && !state.LyricsVoiceOn;
}

int levelWithVolume(const MixState &state, int channel, int volume)
{
    if (!isValidChannel(channel) || state.ChannelMute[channel] == 1 ||
        isAutoMuted(state, channel)) {
        return 0;
    }
    return volume;
}

int levelOf(const MixState &state, int channel)
{
    return isValidChannel(channel) ? levelWithVolume(state, channel, state.ChannelVolume[channel])
                                   : 0;
}

void recomputeSolo(MixState &state)
{
    int unmuted = 0;
    int last = -1;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (state.ChannelMute[ch] == 0) {
            ++unmuted;
            last = ch;
        }
    }
    state.ChannelSolo.fill(0);
    if (unmuted == 1) {
        state.ChannelSolo[last] = 1;
    }
}

void muteClick(MixState &state, int channel, MouseButton button)
{
    if (!isValidChannel(channel)) {
        return;
    }
    const bool lyrics = isLyricsUnderAutoMute(state, channel);
    if (button == MouseButton::Right) {
        if (lyrics) {
            state.LyricsVoiceOn = false;
        }
        state.ChannelMute[channel] = 0;
    } else {
        state.ChannelMute[channel] = state.ChannelMute[channel] == 1 ? 0 : 1;
        if (lyrics) {
            state.LyricsVoiceOn = !state.LyricsVoiceOn;
        }
    }
    recomputeSolo(state);
}

void soloClick(MixState &state, int channel, MouseButton button)
{
    if (!isValidChannel(channel)) {
        return;
    }
    const bool lyrics = isLyricsUnderAutoMute(state, channel);
    const bool soloed = state.ChannelSolo[channel] == 1;
    if (button == MouseButton::Right) {
        if (lyrics) {
            state.LyricsVoiceOn = false;
        }
        if (soloed) {
            state.ChannelSolo[channel] = 0;
            unmuteAll(state);
        }
        return;
    }
    if (lyrics) {
        state.LyricsVoiceOn = true;
    }
    if (soloed) {
        state.ChannelSolo[channel] = 0;
        unmuteAll(state);
    } else {
        soloOn(state, channel);
    }
}

int soloButtonState(const MixState &state, int channel)
{
    return isValidChannel(channel) && state.ChannelSolo[channel] == 1 ? 3 : 0;
}

int muteButtonState(const MixState &state, int channel)
{
    if (!isValidChannel(channel)) {
        return 0;
    }
    if (isLyricsUnderAutoMute(state, channel)) {
        return lyricsMuteState(state, channel);
    }
    return state.ChannelMute[channel] == 1 ? 3 : 0;
}

} // namespace melorit::engine
