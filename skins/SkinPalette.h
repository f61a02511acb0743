#pragma once

#include <QColor>

// The colours of the skin, for windows that paint around the sheets' pictures
// (backgrounds, labels, displays) so that they match. One dark theme, light
// from the top left; cyan marks a value that follows the song, amber one the
// user has taken over, magenta the lyrics (melody) channel.
namespace melorit::skins::palette {

inline constexpr QRgb kWindow = 0xff16191f;       // window background behind every control
inline constexpr QRgb kPanel = 0xff1e222a;        // raised panels and frames
inline constexpr QRgb kDisplay = 0xff0a0d11;      // LED and number displays
inline constexpr QRgb kOutline = 0xff0a0c0f;      // outer edge of raised parts
inline constexpr QRgb kEdgeLight = 0xff59616f;    // lit top edge
inline constexpr QRgb kRaisedTop = 0xff3a404b;    // button face, top
inline constexpr QRgb kRaisedBottom = 0xff272b33; // button face, bottom
inline constexpr QRgb kSunkenTop = 0xff121519;    // pressed face, top
inline constexpr QRgb kSunkenBottom = 0xff1c2027; // pressed face, bottom
inline constexpr QRgb kTrack = 0xff2b303a;        // unlit knob arcs and grooves
inline constexpr QRgb kIcon = 0xffc9d1dd;         // icons and text on buttons
inline constexpr QRgb kIconDim = 0xff717a8a;      // icons of inactive cells
inline constexpr QRgb kText = 0xffaab3c1;         // labels beside controls

inline constexpr QRgb kSong = 0xff35c4f0;     // follows the song (and "on")
inline constexpr QRgb kOverride = 0xffffa92e; // taken over by the user
inline constexpr QRgb kVoice = 0xffd26ff2;    // the lyrics channel
inline constexpr QRgb kGo = 0xff3ddc7e;       // play, solo, activity, meter low range
inline constexpr QRgb kWarn = 0xfff2d43a;     // meter upper range
inline constexpr QRgb kStop = 0xffff4d5b;     // record, mute, clip, meter top

} // namespace melorit::skins::palette
