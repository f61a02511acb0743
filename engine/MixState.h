#pragma once

#include "engine/MidiEvents.h"
#include "engine/MixLimits.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace melorit::engine {

// The mixer of the main window, user-interface side: read and written on the
// user-interface thread only.
struct MixState {
    int MasterGain = 0;     // dB
    int TransposeSemis = 0; // semitones
    std::array<int, kChannelCount> ChannelVolume = filled(kUnityVolume);
    std::array<std::uint8_t, kChannelCount> ChannelMute{};
    std::array<std::uint8_t, kChannelCount> ChannelSolo{};
    int nCanalLyrics = -1;      // the melody channel, -1 = none
    bool AutoMute = true;       // silence the melody channel
    bool LyricsVoiceOn = false; // hear the melody channel in spite of AutoMute

private:
    static constexpr std::array<int, kChannelCount> filled(int value)
    {
        std::array<int, kChannelCount> a{};
        a.fill(value);
        return a;
    }
};

// The tempo values that the tempo watcher reads and writes on the audio
// thread while the user interface changes them: lock-free atomics only.
struct TempoState {
    std::atomic<int> TempoShift{0};         // per mille of speed-up
    std::atomic<double> TempoRatio{1.0};    // 1 - TempoShift / 1000
    std::atomic<std::int32_t> BaseTempo{0}; // the song's own tempo, us per quarter
};

static_assert(std::atomic<double>::is_always_lock_free);
static_assert(std::atomic<int>::is_always_lock_free);

} // namespace melorit::engine
