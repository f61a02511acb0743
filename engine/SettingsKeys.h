#pragma once

#include <QLatin1StringView>

// Sections and keys of the per-song settings file (".mst", beside the song)
// next to the value a missing or empty key stands for. Numbers are written
// with "." as the decimal separator; readers accept "," too.
namespace melorit::engine::mst {

inline constexpr QLatin1StringView kExtension{".mst"};

// Master gain in dB, -20..20.
inline constexpr QLatin1StringView kGainSection{"Gain"};
inline constexpr QLatin1StringView kGainKey{"Slider"};
inline constexpr int kGainDefault = 0;

// Tempo change in percent with one decimal ("-12.5"): the per-mille shift / 10.
inline constexpr QLatin1StringView kTempoSection{"Tempo"};
inline constexpr QLatin1StringView kTempoKey{"Slider"};
inline constexpr int kTempoDefault = 0;

// Transposition in semitones, -12..12.
inline constexpr QLatin1StringView kTransposeSection{"Transpose"};
inline constexpr QLatin1StringView kTransposeKey{"Slider"};
inline constexpr int kTransposeDefault = 0;

// Channel volumes "Ch0".."Ch15", 0..200; "0" stands for a muted channel at 100.
inline constexpr QLatin1StringView kVolumeSection{"Volume"};
inline constexpr QLatin1StringView kChannelKeyPrefix{"Ch"};
inline constexpr int kVolumeDefault = 100;

// Channel mutes "Ch0".."Ch15", "0" or "1".
inline constexpr QLatin1StringView kMuteSection{"Mute"};
inline constexpr bool kMuteDefault = false;

// Controller overrides "CC0".."CC122"; empty or missing = the song's value.
inline constexpr QLatin1StringView kCcSection{"CC"};
inline constexpr QLatin1StringView kCcKeyPrefix{"CC"};

// Zoom step 0..9 of the lyrics window.
inline constexpr QLatin1StringView kLyricsSection{"Lyrics"};
inline constexpr QLatin1StringView kLyricsZoomKey{"Zoom"};
inline constexpr int kLyricsZoomDefault = 5;

// Start and end markers; times in seconds with three decimals.
inline constexpr QLatin1StringView kMarkersSection{"Marqueurs"};
inline constexpr QLatin1StringView kMarkersActiveKey{"Marche"};
inline constexpr QLatin1StringView kMarkersStartKey{"Debut"};
inline constexpr QLatin1StringView kMarkersEndKey{"Fin"};
inline constexpr bool kMarkersActiveDefault = false;

} // namespace melorit::engine::mst

// Keys of the configuration file read and written by the player.
namespace melorit::engine::config {

// The automatic muting of the melody channel: on unless "0".
inline constexpr QLatin1StringView kMeloritSection{"Melorit"};
inline constexpr QLatin1StringView kAutoMuteKey{"AutoMute"};
inline constexpr QLatin1StringView kAutoMuteOff{"0"};

// The SoundFont: its full path, and its folder (with the trailing separator),
// where the SoundFont chooser opens. Neither has a default.
inline constexpr QLatin1StringView kFontSection{"SF2"};
inline constexpr QLatin1StringView kFontFileKey{"Base"};
inline constexpr QLatin1StringView kFontFolderKey{"Path"};

// The repeat mode is written on every change but never read back: each run
// starts with no repeat.
inline constexpr QLatin1StringView kRepeatSection{"Repeat"};
inline constexpr QLatin1StringView kRepeatModeKey{"Mode"};

} // namespace melorit::engine::config
