#pragma once

#include <QString>

// Tool-tip texts of the channel panel's knobs that do not come from the
// language file.
namespace melorit::panels {

// Pan knob: " C " at the centre (64), otherwise "G" or "D" (left or right),
// a blank and the distance from the centre: 60 gives "G 4", 70 "D 6".
QString panTip(int value);

// Drum-mode button: "Melodic" for 0, "DrumSet" otherwise.
QString drumTip(int value);

} // namespace melorit::panels
