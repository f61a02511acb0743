#pragma once

#include "skins/SkinSheets.h"

// Frames of the live indicators of the main window: channel activity lamps
// (`DrawJ`), the stereo level meter and the clipping lamp.
namespace melorit::skins {

inline constexpr int kActivityFrames = 9;
inline constexpr int kMeterFrames = 12;
inline constexpr int kMeterFullScale = 32768;

// Lamp brightness for a note velocity: level clamped to 0..127, then
// Int((level + 1) x 9 / 128 - 0.01), so 0 is dark and 113..127 is frame 8.
int activityFrameIndex(int level);

// The 18 x 18 lamp for a level; the lyrics channel's lamp has its own colour
// (column at x = 3, the others at x = 147), frame f at y = 3 + 24 f. The
// sheet is 192 pixels high, room for frames 0 to 7 in that column, so the
// brightest frame 8 sits in the next column, beside frame 7.
Frame activityLampFrame(int level, bool lyricsChannel);

// Lit segments of one meter side for a hold level 0..32768:
// Int(hold x 12 / 32768), at most 11 (a negative hold counts as 0).
int meterSegments(int hold);

// The 16 x 80 meter picture for a number of lit segments (0..11).
Frame meterFrame(int segments);

// The 24 x 24 clipping lamp, dark or lit.
Frame clipLampFrame(bool lit);

} // namespace melorit::skins
