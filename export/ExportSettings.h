#pragma once

#include "export/VideoSettings.h"

#include <QString>
#include <QStringList>

#include <optional>

// The program-wide export settings and the tags of one song, as stored.
namespace melorit::exporting {

enum class Encoding { Wav = 0, Mp3 = 1, Ogg = 2, Mp4 = 3 };

struct ExportSettings {
    int Encoding = 0; // as stored: 0 WAV, 1 MP3, 2 Ogg Vorbis, 3 MP4, other = none
    QString Rate;     // kbit/s as text, as stored (may be empty)
    QString SaveFolder;
    QString SaveScheme;
    // One gain for the whole song to this integrated loudness (LUFS).
    bool Normalize = false;
    double Loudness = -16.0;
    bool MakeFile = true;
    int MaxLength = 0;
    // "Lyrics"/"Formats" as stored; formatsToWrite (LyricsFormats.h) reads it.
    QString Formats = QStringLiteral("kok");
    // Section "Video": only the MP4 encoding reads it.
    VideoSettings Video;
};

// Reads "Wave", "Lyrics" and "Video" of the configuration file (configFile "" is
// "Melorit.ini"). "Encoding" and "MaxLength" take the numeric value of their
// text; "MakeFile" is on unless its trimmed value is "0"; "Normalize" is on
// when it is "1", with "Loudness" or its default when that is no target.
ExportSettings ReadExportSettings(const QString &configFile = {});

// A loudness target as stored or typed: its numeric value within
// -40..-5 LUFS, rounded to a tenth; nothing when it is not a number or out
// of range.
std::optional<double> parseLoudness(const QString &text);

// The rate handed to the encoders: the stored one when it holds a number,
// otherwise the default "128" (an empty rate would make the encoder read
// the next argument as the bit rate).
QString effectiveRate(const QString &storedRate);

struct SongTags {
    QString Artist;
    QString Title;
    QString Album;
    QString Year;
    QString Track;
    QString Genre;
    QString Comment;
};

// Section "Tags" of the song's settings file; missing keys read as "".
SongTags ReadTags(const QString &songSettingsFile);
// Writes the seven tags in the order "Artiste", "Titre", "Album", "Année",
// "Piste", "Genre", "Commentaire"; nothing without a file.
void WriteTags(const QString &songSettingsFile, const SongTags &tags);

// The bit rates offered, in kbit/s, in order.
const QStringList &bitRates();
// The 148 genre names of the extended ID3v1 table, in alphabetical order.
const QStringList &genreNames();

} // namespace melorit::exporting
