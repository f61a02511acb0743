#pragma once

#include <QLatin1StringView>
#include <QStringView>

// Settings and language keys of the party screen, each key next to its
// default.
namespace melorit::party::keys {

// Configuration file, section "Lyrics" (beside "Show", lyrics/LyricsWindowKeys.h).
inline constexpr QLatin1StringView kSection{"Lyrics"};
// The screen the full-screen lyrics go to: its name, "name #n" for the n-th
// of several screens with that name; "" (or a screen that is not there):
// the largest screen that does not hold the main window.
inline constexpr QLatin1StringView kScreenKey{"Screen"};
// "1": the lyrics window is full screen whenever it shows; "0" by default.
inline constexpr QLatin1StringView kFullScreenKey{"FullScreen"};
inline constexpr QLatin1StringView kOn{"1"};
inline constexpr QLatin1StringView kOff{"0"};
// The face of the lyrics ("" = Comic Sans MS, lyrics/OGLModule.h).
inline constexpr QLatin1StringView kFontKey{"Font"};
// The colours as "#RRGGBB"; missing or unreadable: the window's own
// (lyrics/LyricsFrame.h, LyricsColours).
inline constexpr QLatin1StringView kSungKey{"Sung"};
inline constexpr QLatin1StringView kFlashKey{"Flash"};
inline constexpr QLatin1StringView kUnsungKey{"Unsung"};
inline constexpr QLatin1StringView kBackgroundKey{"Background"};

// Language file, section "Paroles": the cards ("%1" the singer, "%2" the
// title), each with its English text for a language file that lacks it.
inline constexpr QLatin1StringView kCardSection{"Paroles"};
inline constexpr QLatin1StringView kNextKey{"Next"};
inline constexpr QStringView kNextDefault{u"Next: %1 \u2014 %2"};
inline constexpr QLatin1StringView kNextSongKey{"NextSong"}; // no singer: "%1" the title
inline constexpr QStringView kNextSongDefault{u"Next: %1"};
inline constexpr QLatin1StringView kSungByKey{"SungBy"}; // "%1" the singer
inline constexpr QStringView kSungByDefault{u"Sung by %1"};

// Language file, section "Options": the party page.
inline constexpr QLatin1StringView kOptionsSection{"Options"};
inline constexpr QLatin1StringView kScreenLabelKey{"LyricsScreen"};
inline constexpr QLatin1StringView kScreenAutoKey{"ScreenAuto"};
inline constexpr QLatin1StringView kFullScreenTextKey{"chkFullScreen"};
inline constexpr QLatin1StringView kFontLabelKey{"LyricsFont"};
inline constexpr QLatin1StringView kSungLabelKey{"ColourSung"};
inline constexpr QLatin1StringView kFlashLabelKey{"ColourFlash"};
inline constexpr QLatin1StringView kUnsungLabelKey{"ColourUnsung"};
inline constexpr QLatin1StringView kBackgroundLabelKey{"ColourBackground"};
inline constexpr QLatin1StringView kDefaultLookKey{"LookDefault"};

} // namespace melorit::party::keys
