#pragma once

#include "skins/SkinSheets.h"

// Frame selection of every knob family (the picture `DrawKnob` copies for a
// value). Values outside a control's limits are clamped first, so every
// result lies inside its sheet.
namespace melorit::skins {

// Frame number of a strip of `count` frames for a value between min and max:
// Int((v - min) x count / (max - min + 1)), v clamped to min..max.
int stripFrameIndex(int value, int min, int max, int count);

inline constexpr int kFaderFrames = 41;
inline constexpr int kTransposeFrames = 25;
inline constexpr int kEffectKnobFrames = 45;
inline constexpr int kRotaryPositions = 128;

// Main-window fader (channel volume 0..200, gain -20..20): 24 x 128 frames side by side.
Frame faderFrame(int value, int min, int max);

// Main-window transposition knob (-12..12): 103 x 103 frames stacked.
Frame transposeKnobFrame(int value, int min = -12, int max = 12);

// Channel-panel rotary knob, kind 0 (from the minimum) or 1 (from the centre,
// the pan knob), value 0..127: 24 x 24 frames, eight values per row, each
// value with its four variants side by side (kind 0, kind 0 marked, kind 1,
// kind 1 marked).
Frame rotaryKnobFrame(int value, int kind, bool mark);

// Bank number display, 0..127, and 128 for a channel in drum mode. Row r of
// the number strip shows the number r, so bank 128 has a row of its own after
// the numbers (the drum-kit cell): program 128 keeps its number.
inline constexpr int kDrumBank = 128;
inline constexpr int kDrumKitRow = 129;
Frame bankFrame(int value, bool mark);

// Program number display, 0..127 shown as 1..128.
Frame programFrame(int value, bool mark);

// Drum-mode button, 0 (melodic) or 1 (drum set).
Frame drumButtonFrame(int value, bool mark);

// Channel panel, by the kind digit of the control's tag: 0 and 1 rotary
// knobs, 2 bank display, 3 and 4 program displays, 5 and above the drum button.
Frame channelKnobFrame(int kind, int value, bool mark);

// Effects-panel knob, 0..maximum: 48 x 48 frames, 45 per column, one column per mark.
Frame effectKnobFrame(int value, int maximum, bool mark);

} // namespace melorit::skins
