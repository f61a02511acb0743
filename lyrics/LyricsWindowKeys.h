#pragma once

#include <QLatin1StringView>

// Settings of the lyrics window, each key next to its default.
namespace melorit::lyrics::keys {

// Per-song settings file (with no song: the configuration file).
inline constexpr QLatin1StringView kLyricsSection{"Lyrics"};
inline constexpr QLatin1StringView kZoomKey{"Zoom"};
inline constexpr int kZoomDefault = 5;
inline constexpr int kZoomMin = 0; // largest text
inline constexpr int kZoomMax = 9; // smallest text

// Configuration file: whether the window shows at start-up.
inline constexpr QLatin1StringView kShowKey{"Show"}; // section "Lyrics"; "1" shown

// Configuration file: size (twips) and offset from the main window ("X", "Y"
// in twips; base/WindowOffset.h).
inline constexpr QLatin1StringView kParolesSection{"Paroles"};
inline constexpr QLatin1StringView kWidthKey{"W"};
inline constexpr QLatin1StringView kHeightKey{"H"};

// Language file: the window caption (section "Paroles").
inline constexpr QLatin1StringView kCaptionKey{"Caption"};

} // namespace melorit::lyrics::keys
