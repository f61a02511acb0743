#pragma once

#include <cstdint>

namespace melorit::audio {

// Every stream of the library produces this one format: 44100 Hz, 16-bit
// signed samples, two interleaved channels. A byte position is frames x 4.
inline constexpr int kSampleRate = 44100;
inline constexpr int kChannels = 2;
inline constexpr int kBytesPerFrame = 4;

// FluidSynth renders in blocks of this many frames; an event lands at the
// start of the block that follows it.
inline constexpr int kSynthBlock = 64;

inline constexpr int kMidiChannels = 16;

} // namespace melorit::audio
