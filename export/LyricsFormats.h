#pragma once

#include "export/LyricsTimeline.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace melorit::audio {
class MidiFile;
}

// The lyrics files written beside a rendered audio file: which formats
// ("Lyrics"/"Formats"), their names, and writing them all from one timeline.
namespace melorit::exporting {

enum class LyricsFormat { Kok, Lrc, Ass };

// Every format, in the order they are listed and written.
inline constexpr LyricsFormat kLyricsFormats[] = {LyricsFormat::Kok, LyricsFormat::Lrc,
                                                  LyricsFormat::Ass};

// "kok", "lrc", "ass": the names in "Lyrics"/"Formats" and on the command line.
QString lyricsFormatName(LyricsFormat format);
// ".kok", ".lrc", ".ass".
QString lyricsFormatExtension(LyricsFormat format);

// The formats a comma list names, in the order of kLyricsFormats, each once.
// Names are trimmed and case-insensitive; unknown names are ignored.
std::vector<LyricsFormat> parseLyricsFormats(QStringView list);
// The list as stored, in the order of kLyricsFormats ("kok,lrc").
QString lyricsFormatsText(const std::vector<LyricsFormat> &formats);
// What a rendering writes when lyrics files are on ("MakeFile"): the listed
// formats, or the ".kok" alone when the list names none it knows, as before
// the other formats existed.
std::vector<LyricsFormat> formatsToWrite(QStringView storedList);

// The file of a format beside the ".kok" path: its extension replaced.
QString lyricsFilePath(const QString &kokPath, LyricsFormat format);

// Title and artist for the headers of the LRC and ASS files.
struct LyricsTitle {
    QString title;
    QString artist;
};

// The bytes of one format's file.
QByteArray renderLyricsFile(const LyricsTimeline &timeline, LyricsFormat format,
                            const LyricsTitle &title);

// Builds the timeline once and writes one file per format beside kokPath,
// each replaced atomically. Every failure is shown to the user; true when
// all files were written.
bool WriteLyricsFiles(const audio::MidiFile &song, const lyrics::LyricsModel &lyrics,
                      const QString &kokPath, const std::vector<LyricsFormat> &formats,
                      const LyricsFileOptions &options, const LyricsTitle &title);

} // namespace melorit::exporting
