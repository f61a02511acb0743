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
    std::optional<double> loudness;       // LUFS: normalize to it
    bool noKok = false;
    bool overwrite = false;
};

// How a run treats songs converted before, and what it reports.
struct RunControl {
    // Convert again the songs whose outputs are up to date, replacing them.
    bool force = false;
    // The conversion options as given ("--name=value"), for the digest of
    // the settings each output is recorded with.
    QStringList settingOptions;
    QString reportFile; // "" for none
};

// Converts the songs, up to jobs at once, each job on its own thread with
// its own player, stream and synthesizer; the SoundFont's sample data is
// loaded once and shared. soundFont "" takes the configured font. Prints one
// line per converted file (and, on a terminal, a bar per song being
// converted). Songs whose outputs the manifest of their folder shows up to
// date are skipped. Returns the exit status: 0 when every song was converted
// or up to date.
int convertSongs(const QStringList &songs, const Overrides &overrides, const QString &soundFont,
                 int jobs, const RunControl &control = {});

} // namespace melorit::cli
