#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace melorit::audio {

// What a sync waits for. The numbers are the program's sync type codes.
//   Position   param = byte position; data 0
//   End        the stream ended; data 0
//   Marker, Cue, Lyric, Text   each mark of that type; data = the mark's index
//   MidiEvent  param = a MidiEvent; each such event of the song (not the ones
//              sent to the stream); data = channel << 16 | (parameter & 0xFFFF)
enum class SyncType : std::uint32_t {
    Position = 0,
    End = 2,
    Marker = 0x10000,
    Cue = 0x10001,
    Lyric = 0x10002,
    Text = 0x10003,
    MidiEvent = 0x10004,
};

// Added to a numeric sync type for SyncTiming::MixTime.
inline constexpr std::uint32_t kSyncMixTimeFlag = 0x40000000;

enum class SyncTiming {
    // When the moment is heard: on the UI thread for a playing stream, inside
    // the read call for a decoding one.
    Heard,
    // Inside the rendering, before the audio that follows the moment is made:
    // the callback may send events that override the song's with no glitch.
    // It runs on the rendering thread and must not block.
    MixTime,
};

using SyncProc = std::function<void(std::uint32_t data)>;
using SyncId = std::uint32_t; // 0 = none

// A routine that may change each produced block of 16-bit interleaved stereo
// samples in place. It runs on the rendering thread.
using DspProc = std::function<void(std::span<std::int16_t> samples)>;
using DspId = std::uint32_t; // 0 = none

// Where syncs of SyncTiming::Heard go when the stream is not decoding: the
// player delivers them on the UI thread. Unset, they run where they occur.
class SyncPoster {
public:
    virtual ~SyncPoster() = default;
    // Rendering thread; must not block or allocate.
    virtual void post(SyncId sync, std::uint32_t data) = 0;
};

} // namespace melorit::audio
