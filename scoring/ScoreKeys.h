#pragma once

#include <QLatin1StringView>

// Settings of singing and scoring, each key next to its default.
namespace melorit::scoring::keys {

// Configuration file, section "Score".
inline constexpr QLatin1StringView kSection{"Score"};
// Live scoring through the microphone: "1" on, anything else off.
inline constexpr QLatin1StringView kEnabledKey{"Enabled"};
inline constexpr bool kEnabledDefault = false;
// The capture device's name as the sound system gives it; "" for its default.
inline constexpr QLatin1StringView kDeviceKey{"Device"};
// How far from a note the sung pitch may be and still count, in cents.
inline constexpr QLatin1StringView kToleranceKey{"Tolerance"};
inline constexpr int kToleranceDefault = 50;
inline constexpr int kToleranceMin = 10;
inline constexpr int kToleranceMax = 200;
// Milliseconds the voice reaches the program later than the sound system
// says (an external mixer, a wireless microphone); negative for earlier.
inline constexpr QLatin1StringView kOffsetKey{"Offset"};
inline constexpr int kOffsetDefault = 0;
inline constexpr int kOffsetMin = -1000;
inline constexpr int kOffsetMax = 1000;

// Per-song settings file (".mst"), section "Score": the best whole-song
// score, 0 to 100; missing before the song's first scored end.
inline constexpr QLatin1StringView kBestKey{"Best"};

// Language file, section "Score": the pitch lane's and the messages' texts.
inline constexpr QLatin1StringView kTextSection{"Score"};
inline constexpr QLatin1StringView kSongScoreText{"Song"};        // %1 = score
inline constexpr QLatin1StringView kBestScoreText{"Best"};        // %1 = best score
inline constexpr QLatin1StringView kLineScoreText{"Line"};        // %1 = score
inline constexpr QLatin1StringView kListeningText{"Listening"};   // %1 = latency in ms
inline constexpr QLatin1StringView kNoMelodyText{"NoMelody"};     // no melody channel
inline constexpr QLatin1StringView kNoLyricsText{"NoLyrics"};     // nothing to sing
inline constexpr QLatin1StringView kNoDeviceText{"NoDevice"};     // %1 = the device
inline constexpr QLatin1StringView kDefaultDeviceText{"Default"}; // the default input, as %1

} // namespace melorit::scoring::keys
