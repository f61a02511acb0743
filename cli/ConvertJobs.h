#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace melorit::cli {

// The convert options that override the stored export settings for one run.
struct Overrides {
    std::optional<int> encoding;
    std::optional<QString> rate, outDir, scheme;
    std::optional<int> maxLength;
    std::optional<QString> lyricsFormats; // "Lyrics"/"Formats"; lyrics files on
    std::optional<QString> videoSize;     // "WxH"
    std::optional<QString> background;    // "#RRGGBB" or an image file
    bool noKok = false;
    bool overwrite = false;
};

// Converts the songs, up to jobs at once, each job on its own thread with
// its own player, stream and synthesizer; the SoundFont's sample data is
// loaded once and shared. soundFont "" takes the configured font. Prints one
// line per converted file (and, on a terminal, a bar per song being
// converted). Returns the exit status: 0 when every song was converted.
int convertSongs(const QStringList &songs, const Overrides &overrides, const QString &soundFont,
                 int jobs);

} // namespace melorit::cli
