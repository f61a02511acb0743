#pragma once

#include <QLatin1StringView>

// Settings and language texts of the channel panel and the effects panel.
namespace melorit::panels::keys {

// Configuration file: offset from the main window ("X", "Y" in twips, 0 when
// missing; base/WindowOffset.h)
// and whether the panel shows at start-up ("1" shown, hidden otherwise).
inline constexpr QLatin1StringView kReglageSection{"Reglage"};
inline constexpr QLatin1StringView kReverbSection{"Reverb"};
inline constexpr QLatin1StringView kShowKey{"Show"};
inline constexpr QLatin1StringView kHiddenValue{"0"};

// Language file, sections "Reglage" and "Reverb": the window titles.
inline constexpr QLatin1StringView kCaptionKey{"Caption"};

// Section "Reglage": the row labels.
inline constexpr QLatin1StringView kVolumeKey{"Volume"};
inline constexpr QLatin1StringView kPanKey{"Pan"};
inline constexpr QLatin1StringView kReverbKey{"Reverb"};
inline constexpr QLatin1StringView kChorusKey{"Chorus"};
inline constexpr QLatin1StringView kProgramKey{"Program"};
inline constexpr QLatin1StringView kBankKey{"Bank"};
inline constexpr QLatin1StringView kDrumKey{"Drum"};

// Section "Reverb": the frame captions, and the parameter names under
// "Ctrl(96)" to "Ctrl(106)" (label 96 + k names knob k).
inline constexpr QLatin1StringView kFrameReverbKey{"FrameReverb"};
inline constexpr QLatin1StringView kFrameChorusKey{"FrameChorus"};
inline constexpr QLatin1StringView kCtrlStem{"Ctrl"};
inline constexpr int kFirstCtrlLabel = 96;

} // namespace melorit::panels::keys
