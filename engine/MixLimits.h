#pragma once

#include <algorithm>

namespace melorit::engine {

// The range of a mixer value, inclusive.
struct Range {
    int min;
    int max;
    constexpr int clamp(int value) const { return std::clamp(value, min, max); }
};

inline constexpr Range kVolumeRange{0, 200};     // per channel, 100 = unity
inline constexpr Range kGainRange{-20, 20};      // dB
inline constexpr Range kTransposeRange{-12, 12}; // semitones
inline constexpr Range kTempoRange{-2500, 600};  // per mille of speed-up
inline constexpr Range kTempoReadoutRange{-10000, 600};
inline constexpr Range kLyricsZoomRange{0, 9};

inline constexpr int kUnityVolume = 100;

} // namespace melorit::engine
