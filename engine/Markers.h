#pragma once

#include <QString>

// The start and end markers of a song (punch-in and punch-out), kept in its
// settings file, and the tips of the two marker buttons.
namespace melorit::engine {

struct Markers {
    double PunchIn = 0;  // seconds
    double PunchOut = 0; // seconds, 0 = no end
    bool PunchActive = false;
};

// Writes "Marche", "Debut" and "Fin" to section "Marqueurs" of the settings
// file, times with three decimals and "." as separator; nothing without a file.
void SaveMarqueurs(const QString &settingsFile, const Markers &markers);

// Reads them back ("," or "." accepted). Without a file (no song) the markers
// keep their values; a song whose file holds no "Debut" has none (off, 0).
void LoadMarqueurs(const QString &settingsFile, Markers &markers);

// The tip of the start (button 44) or end (button 45) marker: "SM(Start-1)"
// with the time when the marker is set, "SM(Start-0)" when it is not (and
// "SM(End-…)" likewise), the time shown at the user's tempo factor.
enum class MarkerEnd { Start, End };
QString markerTip(const QString &languageFile, MarkerEnd end, const Markers &markers,
                  double tempoRatio, const QString &decimalPoint);

} // namespace melorit::engine
