#pragma once

#include <QString>

#include <optional>

// The rules behind the time-entry dialog and the marker commands that use it.
namespace melorit::mainwin {

// A time typed by the user: "m:ss,fff", "m:ss.fff" or plain seconds ("7,25"),
// blanks around the parts allowed. Nothing when the text is not such a time
// (empty, letters, a second ":", a negative or unending number), so that a
// typing slip is refused instead of read as 0 and moving a marker to the
// start of the song.
std::optional<double> parseTimeEntry(const QString &text);

// The time proposed to the user for a marker, in the scale the user types
// in: the stream's position (when a song is open) or the stored marker, both
// divided by the tempo factor, so that confirming the proposal unchanged
// stores the same time again.
double proposedMarkerTime(std::optional<double> streamSeconds, double storedSeconds,
                          double tempoRatio);

// The stored marker for a typed time: typed x the tempo factor.
double storedMarkerTime(double typedSeconds, double tempoRatio);

// Language keys of the main window's picture buttons: "SM(0)" for the 16
// solo buttons, "SM(16)" for the 16 mute buttons, "SM(index)" for the
// command buttons 32-50.
QString picSMTipKey(int index);

} // namespace melorit::mainwin
