#pragma once

#include "engine/MidiEvents.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace melorit::engine {

// Row bases of the controller table; a control's index is its row base plus
// its channel (the global effects have one entry per parameter instead).
// The channel and effects panels use the same indices for their knobs.
inline constexpr int kRowVolume = 0;
inline constexpr int kRowPan = 16;
inline constexpr int kRowReverb = 32;
inline constexpr int kRowChorus = 48;
inline constexpr int kRowProgram = 64;
inline constexpr int kRowBank = 80;
inline constexpr int kRowDrums = 96;
inline constexpr int kRowGlobal = 112;
inline constexpr int kGlobalCount = 11;
inline constexpr int kCtrlCount = kRowGlobal + kGlobalCount; // 123
// An override of -1 means that the song's own value applies.
inline constexpr int kNoOverride = -1;

// The seven channel rows in the order the stream is asked for their values
// when controllers are refreshed (the bank before the program, so that the
// pair is sent once, from the bank row).
inline constexpr std::array<int, 7> kRefreshOrder = {kRowVolume, kRowPan,  kRowReverb, kRowChorus,
                                                     kRowDrums,  kRowBank, kRowProgram};

inline constexpr bool isValidIndex(int index)
{
    return index >= 0 && index < kCtrlCount;
}

inline constexpr bool isGlobalIndex(int index)
{
    return index >= kRowGlobal && index < kCtrlCount;
}

// Row base of an index: 0, 16, ... 96 for the channel rows, 112 for the effects.
int rowBaseOf(int index);
// The stream event of an index: the row's event, or 32 + k for effect k
// (an index outside the table gives the volume event).
MidiEvent eventOfIndex(int index);
// The channel an index applies to: index - row base, 0 for the effects.
int channelOfIndex(int index);
// The value a song starts with before the stream is asked: volume 100, pan
// 64, drum mode 1 on channel 9, the global effects the synthesizer's own
// settings (audio::EffectParams), everything else 0.
int resetDefaultOf(int index);

// `CtrlOverride` and `CtrlDefault`. The user interface writes overrides and
// the controller watchers read them on the audio thread; the watchers write
// defaults. Every entry is a lock-free 32-bit atomic, so neither side waits.
class ControllerTable {
public:
    ControllerTable();

    // Out-of-range indices read as -1 and are not written.
    int CtrlOverride(int index) const;
    int CtrlDefault(int index) const;
    void setOverride(int index, int value);
    void setDefault(int index, int value);

    bool hasOverride(int index) const { return CtrlOverride(index) >= 0; }
    // The value in effect: the override when there is one, else the song's.
    int effective(int index) const;

    // Every override removed, every default back to its reset value.
    void reset();

private:
    std::array<std::atomic<std::int32_t>, kCtrlCount> m_override;
    std::array<std::atomic<std::int32_t>, kCtrlCount> m_default;
};

static_assert(std::atomic<std::int32_t>::is_always_lock_free);

} // namespace melorit::engine
