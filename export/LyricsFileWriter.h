#pragma once

#include <QByteArray>
#include <QString>

namespace melorit::audio {
class MidiFile;
}
namespace melorit::lyrics {
class LyricsModel;
}

// The ".kok" lyrics file written beside a rendered audio file: every syllable
// of the lyrics track with the time at which it is heard in that audio file.
namespace melorit::exporting {

// How the audio file beside the lyrics file was rendered.
struct LyricsFileOptions {
    // Visible characters per line ("Lyrics"/"MaxLength"); 0 or less: no limit.
    int MaxLength = 0;
    // The song's markers. PunchIn and PunchOut are stream positions in
    // seconds, as the rendering seeks to them and sets its end sync there;
    // they only count when PunchActive is on and the song honours them (a
    // start before the song's end, an end after the start and before the
    // song's end), exactly as the rendering decides.
    bool PunchActive = false;
    double PunchIn = 0;
    double PunchOut = 0; // 0: no end
    // The user's tempo factor (1 - tempo change / 1000) the song was
    // rendered at; 1 plays the song's own tempo (0 or less is taken as 1).
    double TempoRatio = 1.0;
};

// The lyrics text: syllable entries "text;seconds;" and line breaks, in
// Windows-1252 with CR LF breaks, without the final CR LF of the file. Reads
// the marks of the model's lyrics track and mark type again from the song;
// texts go through the model's ConvertCharset.
QByteArray BuildLyricsText(const audio::MidiFile &song, const lyrics::LyricsModel &lyrics,
                           const LyricsFileOptions &options);

// Builds the text and replaces the file at path with it and a final CR LF,
// atomically: a failed write leaves any older file as it was. A failure is
// shown to the user and gives false.
bool WriteLyricsFile(const audio::MidiFile &song, const lyrics::LyricsModel &lyrics,
                     const QString &path, const LyricsFileOptions &options);

} // namespace melorit::exporting
