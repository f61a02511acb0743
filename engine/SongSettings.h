#pragma once

#include <QString>

#include <optional>

// Reading and writing the per-song settings file (".mst"). Every function
// takes the file's path; with an empty path reads give the defaults and
// writes do nothing (there is no current song). Each write goes to disk at
// once through the configuration store. Reads use a leading-number parse and
// round halves to even; values outside a setting's range are brought into it.
namespace melorit::engine::mst {

// The song's settings file: the song's path without its extension, followed
// by ".mst", when that file can be written; for a song in a folder the user
// cannot write, the same path under paths::songSettingsFolder(), where the
// file that came with the song is copied the first time (and read from then
// on). "" for "".
QString SongSettingsFile(const QString &songPath);

int readGain(const QString &file);
bool writeGain(const QString &file, int gain);

// The per-mille tempo shift (the file holds it in percent, "," or ".").
int readTempo(const QString &file);
bool writeTempo(const QString &file, int tempoShift);

// The tempo factor a shift plays at: seconds played per second of the song.
double tempoRatio(int tempoShift);

int readTranspose(const QString &file);
bool writeTranspose(const QString &file, int semitones);

struct ChannelVolume {
    int volume = 100;
    bool muted = false; // the file said "0": muted at volume 100
};
ChannelVolume readVolume(const QString &file, int channel);
bool writeVolume(const QString &file, int channel, int volume);

bool readMute(const QString &file, int channel);
bool writeMute(const QString &file, int channel, bool muted);

// The stored override of a controller index, nothing when empty or missing.
std::optional<int> readCC(const QString &file, int index);
// A negative override (given back to the song) is written as "".
bool writeCC(const QString &file, int index, int override);

int readLyricsZoom(const QString &file);
bool writeLyricsZoom(const QString &file, int zoom);

} // namespace melorit::engine::mst
