#pragma once

#include <QLatin1StringView>

// Settings and language keys of the options dialog, each key next to its
// default.
namespace melorit::tools::options {

// Configuration file, section "Melorit".
inline constexpr QLatin1StringView kSection{"Melorit"};
// Automatic muting of the melody channel: "1" on, "0" off; on when missing.
inline constexpr QLatin1StringView kAutoMuteKey{"AutoMute"};
inline constexpr bool kAutoMuteDefault = true;

// Language files (their code: base/Language.h).
inline constexpr QLatin1StringView kLanguageFilePattern{"*.lng"};

// Language file, section "Options".
inline constexpr QLatin1StringView kTextSection{"Options"};
inline constexpr QLatin1StringView kCaptionKey{"Caption"};
inline constexpr QLatin1StringView kTabStem{"Onglet"}; // "Onglet(0)" to "Onglet(3)"
inline constexpr QLatin1StringView kSfInfoKey{"SfInfo"};
inline constexpr QLatin1StringView kReplaceKey{"Replace"};
inline constexpr QLatin1StringView kLanguageLabelKey{"Langue"};
inline constexpr QLatin1StringView kAutoMuteTextKey{"chkAutoMute"};
inline constexpr QLatin1StringView kCloseKey{"Close"};
inline constexpr QLatin1StringView kVersionTemplateKey{"SfVersion"}; // "%1" = version
// The facts of the SoundFont information, each with its English text for a
// language file that lacks it ("%1" = the value).
inline constexpr QLatin1StringView kFontNameKey{"SfName"};
inline constexpr QLatin1StringView kFontNameDefault{"Name: %1"};
inline constexpr QLatin1StringView kFontVersionDefault{"SoundFont version: %1"};
inline constexpr QLatin1StringView kFontFileKey{"SfFile"};
inline constexpr QLatin1StringView kFontFileDefault{"File: %1"};
inline constexpr QLatin1StringView kFontSizeKey{"SfSize"};
inline constexpr QLatin1StringView kFontSizeDefault{"Size: %1 bytes"};
inline constexpr QLatin1StringView kFontPresetsKey{"SfPresets"};
inline constexpr QLatin1StringView kFontPresetsDefault{"Presets: %1"};
// The singing page (its settings: scoring/ScoreKeys.h).
inline constexpr QLatin1StringView kScoreTextKey{"chkScore"};
inline constexpr QLatin1StringView kMicroTextKey{"Micro"};
inline constexpr QLatin1StringView kMicroDefaultTextKey{"MicroDefault"};
inline constexpr QLatin1StringView kToleranceTextKey{"Tolerance"};
inline constexpr QLatin1StringView kOffsetTextKey{"Offset"};

} // namespace melorit::tools::options
