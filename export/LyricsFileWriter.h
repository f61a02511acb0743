#pragma once

#include "export/LyricsTimeline.h"

#include <QByteArray>
#include <QString>

// The ".kok" lyrics file written beside a rendered audio file: every syllable
// of the lyrics track with the time at which it is heard in that audio file.
namespace melorit::exporting {

// The lyrics text: syllable entries "text;seconds;" and line breaks, in
// Windows-1252 with CR LF breaks, without the final CR LF of the file. Reads
// the marks of the model's lyrics track and mark type again from the song;
// texts go through the model's ConvertCharset.
QByteArray BuildLyricsText(const audio::MidiFile &song, const lyrics::LyricsModel &lyrics,
                           const LyricsFileOptions &options);

// The same text from a timeline already built.
QByteArray RenderKok(const LyricsTimeline &timeline);

// Replaces the file at path with the bytes, atomically: a failed write
// leaves any older file as it was. A failure is shown to the user and gives
// false.
bool WriteTextFile(const QString &path, const QByteArray &bytes);

// Builds the text and replaces the file at path with it and a final CR LF,
// atomically: a failed write leaves any older file as it was. A failure is
// shown to the user and gives false.
bool WriteLyricsFile(const audio::MidiFile &song, const lyrics::LyricsModel &lyrics,
                     const QString &path, const LyricsFileOptions &options);

} // namespace melorit::exporting
