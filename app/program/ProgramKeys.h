#pragma once

#include <QLatin1StringView>

// Sections and keys of "Melorit.ini" that the program itself reads and writes
// at start-up and when windows move, each next to its default.
namespace melorit::program::keys {

// The main window's top-left corner in twips; "" or off the screen centres it.
inline constexpr QLatin1StringView kMainSection{"Main"};
inline constexpr QLatin1StringView kXKey{"X"};
inline constexpr QLatin1StringView kYKey{"Y"};
inline constexpr int kUnsetPosition = -1;

// The secondary windows' sections: offsets "X"/"Y" from the main window in
// twips (0 when missing). The lyrics window keeps its offset under "Paroles"
// and its visibility under "Lyrics".
inline constexpr QLatin1StringView kReglageSection{"Reglage"};
inline constexpr QLatin1StringView kReverbSection{"Reverb"};
inline constexpr QLatin1StringView kParolesSection{"Paroles"};
inline constexpr QLatin1StringView kLyricsSection{"Lyrics"};
inline constexpr QLatin1StringView kPlayListSection{"PlayList"};

// Visibility: "1" shown, anything else hidden (hidden when missing).
inline constexpr QLatin1StringView kShowKey{"Show"};
inline constexpr QLatin1StringView kShownValue{"1"};
inline constexpr QLatin1StringView kHiddenValue{"0"};

// Texts of the main window's section of the language file used here.
inline constexpr QLatin1StringView kSongExtensionsKey{"Extmid"};
inline constexpr QLatin1StringView kFontExtensionsKey{"ExtSF2"};

} // namespace melorit::program::keys
