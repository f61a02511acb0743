// melorit-cli convert [options] SONG-OR-LIST...: each song rendered as the
// record command renders it, without windows.

#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ConvertJobs.h"
#include "cli/ConvertShard.h"
#include "export/ExportSettings.h"
#include "export/LyricsFormats.h"
#include "export/VideoSettings.h"
#include "songlist/ListFile.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <optional>

namespace melorit::cli {
namespace {

constexpr const char *kName = "convert";

constexpr const char *kUsage =
    "usage: melorit-cli convert [--format wav|mp3|ogg|mp4] [--rate KBPS]\n"
    "                           [--out-dir DIR] [--scheme PATTERN]\n"
    "                           [--soundfont FILE] [--no-kok] [--max-length N]\n"
    "                           [--lyrics LIST] [--overwrite] [--jobs N]\n"
    "                           [--video-size WxH] [--background COLOUR|IMAGE]\n"
    "                           [--force] [--shard I/N] [--report FILE.json]\n"
    "                           [--loudness LUFS]\n"
    "                           SONG-OR-LIST...\n"
    "\n"
    "Converts each song into a backing-track audio file (44100 Hz, 16-bit,\n"
    "stereo) with the SoundFont, mix, tempo, markers and tags the player uses\n"
    "for it, and writes its lyrics beside it as a \".kok\" file. Settings come\n"
    "from Melorit.ini and each song's \".mst\"; the options override them for\n"
    "this run only, nothing is written back. \".m3u\" and \".mpl\" arguments\n"
    "stand for the songs they list.\n"
    "\n"
    "  --format F       wav, mp3 (lame), ogg (oggenc) or mp4 (ffmpeg: a karaoke\n"
    "                   video, the lyrics drawn on it as they are sung)\n"
    "  --rate KBPS      bit rate of mp3, ogg and the video's AAC sound\n"
    "  --out-dir DIR    output folder (default: the configured one, else the\n"
    "                   song's own folder)\n"
    "  --scheme PATTERN sub-folder and name, %A artist, %T title\n"
    "  --soundfont FILE the SoundFont (default: the configured one, else the\n"
    "                   system's General MIDI SoundFont)\n"
    "  --no-kok         no lyrics file\n"
    "  --max-length N   line length limit of the lyrics file (0: none)\n"
    "  --lyrics LIST    lyrics files to write: kok, lrc (Enhanced LRC), ass\n"
    "                   (karaoke subtitles), separated by commas\n"
    "  --overwrite      replace existing outputs that no conversion recorded\n"
    "                   (default: leave them)\n"
    "  --force          convert again songs whose outputs are up to date\n"
    "  --shard I/N      convert only the I-th (0 to N-1) of N slices of the\n"
    "                   songs, chosen by their paths (relative to their list)\n"
    "  --report FILE    write a JSON report: one entry per song with its\n"
    "                   outputs, seconds of audio, time taken, status, error"
    "  --jobs N         songs converted at once, each by its own synthesizer\n"
    "                   (default: the number of processors)\n"
    "  --video-size WxH frame size of the video, even numbers (default: the\n"
    "                   configured one, else 1280x720)\n"
    "  --background B   the video's background: a colour #RRGGBB or an image\n"
    "                   file (default: the configured one)\n"
    "  --loudness LUFS  one gain for the whole song brings its integrated\n"
    "                   loudness (EBU R128) to LUFS, -40 to -5, its true peak\n"
    "                   kept at or under -1 dBTP: a target that would clip is\n"
    "                   held at that ceiling and the line says so (default:\n"
    "                   the configured one, else as rendered)\n"
    "\n"
    "One line per converted file; on a terminal, a progress bar for each song\n"
    "being converted. Outputs are written under a temporary name\n"
    "(NAME.partial-XXXXXX.EXT) and renamed when complete. Each output folder\n"
    "keeps a manifest (.melorit-manifest.jsonl) of what its files were made\n"
    "from: a song whose outputs are there as written, from the same song,\n"
    "\".mst\", SoundFont and settings, is skipped, so a run stopped or killed\n"
    "carries on where it was when started again. Exit status: 0 when every\n"
    "song was converted or up to date, 1 when one was not (unreadable, output\n"
    "kept, encoder failure, disk full), 2 for a usage error, 130/143/129 when\n"
    "stopped by SIGINT/SIGTERM/SIGHUP (nothing is left of the songs not\n"
    "finished).";

const QString kFormat = QStringLiteral("--format");
const QString kRate = QStringLiteral("--rate");
const QString kOutDir = QStringLiteral("--out-dir");
const QString kScheme = QStringLiteral("--scheme");
const QString kSoundFont = QStringLiteral("--soundfont");
const QString kMaxLength = QStringLiteral("--max-length");
const QString kJobs = QStringLiteral("--jobs");
const QString kLyrics = QStringLiteral("--lyrics");
const QString kVideoSize = QStringLiteral("--video-size");
const QString kBackground = QStringLiteral("--background");
const QString kShard = QStringLiteral("--shard");
const QString kReport = QStringLiteral("--report");

// Options that choose what a run does, not what a song becomes: left out
// of the settings each output is recorded with.
const QStringList kRunOptions{kJobs, kShard, kReport, kOutDir, kSoundFont};
const QString kLoudness = QStringLiteral("--loudness");

std::optional<int> formatEncoding(const QString &format)
{
    const QString f = format.toLower();
    if (f == u"wav") {
        return 0;
    }
    if (f == u"mp3") {
        return 1;
    }
    if (f == u"ogg") {
        return 2;
    }
    if (f == u"mp4") {
        return 3;
    }
    return std::nullopt;
}

// Song arguments with lists expanded to their entries, each with the key of
// its slice: a song given alone as written, a list's entry by its path
// relative to the list's folder, so hosts that mount the catalogue in
// different places agree.
std::optional<QStringList> expandSongs(const QStringList &values, std::optional<Shard> shard)
{
    QStringList songs;
    const auto add = [&](const QString &song, const QString &key) {
        if (!shard || shardOf(QDir::cleanPath(QDir::fromNativeSeparators(key)), shard->count) ==
                          shard->index) {
            songs << song;
        }
    };
    for (const QString &value : values) {
        const QString suffix = QFileInfo(value).suffix().toLower();
        if (suffix != u"m3u" && suffix != u"mpl") {
            add(value, value);
            continue;
        }
        const std::optional<QStringList> entries = songlist::readListFile(value);
        if (!entries) {
            reportError(value + QStringLiteral(": cannot read the list"));
            return std::nullopt;
        }
        const QDir folder = QFileInfo(value).absoluteDir();
        for (const QString &entry : *entries) {
            add(entry, folder.relativeFilePath(entry));
        }
    }
    return songs;
}

// The conversion options as given, run options left out.
QStringList settingOptions(const Arguments &args, bool noKok)
{
    QStringList options;
    for (auto it = args.options.cbegin(); it != args.options.cend(); ++it) {
        if (!kRunOptions.contains(it.key())) {
            options << it.key() + u'=' + it.value();
        }
    }
    if (noKok) {
        options << QStringLiteral("--no-kok");
    }
    return options;
}

std::optional<Overrides> readOverrides(const Arguments &args, bool noKok, bool overwrite)
{
    Overrides o;
    o.noKok = noKok;
    o.overwrite = overwrite;
    if (args.options.contains(kFormat)) {
        o.encoding = formatEncoding(args.options.value(kFormat));
        if (!o.encoding) {
            return std::nullopt;
        }
    }
    if (args.options.contains(kRate)) {
        o.rate = args.options.value(kRate);
    }
    if (args.options.contains(kOutDir)) {
        o.outDir = args.options.value(kOutDir);
    }
    if (args.options.contains(kScheme)) {
        o.scheme = args.options.value(kScheme);
    }
    if (args.options.contains(kLyrics)) {
        // Every name must be a format: a typing error is not a missing file.
        const QString list = args.options.value(kLyrics);
        for (const QString &name : list.split(u',')) {
            if (exporting::parseLyricsFormats(name).empty()) {
                return std::nullopt;
            }
        }
        o.lyricsFormats = exporting::lyricsFormatsText(exporting::parseLyricsFormats(list));
    }
    if (args.options.contains(kVideoSize)) {
        o.videoSize = args.options.value(kVideoSize);
        if (!exporting::parseVideoSize(*o.videoSize)) {
            return std::nullopt;
        }
    }
    if (args.options.contains(kBackground)) {
        // A colour, or an image that exists: a typing error is told at once.
        o.background = args.options.value(kBackground);
        if (!exporting::isVideoColour(*o.background) && !QFileInfo(*o.background).isFile()) {
            return std::nullopt;
        }
    }
    if (args.options.contains(kLoudness)) {
        o.loudness = exporting::parseLoudness(args.options.value(kLoudness));
        if (!o.loudness) {
            return std::nullopt;
        }
    }
    if (args.options.contains(kMaxLength)) {
        bool ok = false;
        const int n = args.options.value(kMaxLength).toInt(&ok);
        if (!ok || n < 0) {
            return std::nullopt;
        }
        o.maxLength = n;
    }
    return o;
}

int runConvert(const QStringList &rawArguments)
{
    QStringList arguments = rawArguments;
    const bool noKok = takeSwitch(arguments, QStringLiteral("--no-kok"));
    const bool overwrite = takeSwitch(arguments, QStringLiteral("--overwrite"));
    const bool force = takeSwitch(arguments, QStringLiteral("--force"));
    const CommandStart start =
        startCommand(kName, kUsage, arguments, Values::AtLeastOne, QStringLiteral("no song given"),
                     {kFormat, kRate, kOutDir, kScheme, kSoundFont, kMaxLength, kJobs, kLyrics,
                      kVideoSize, kBackground, kShard, kReport, kLoudness});
    if (start.exit) {
        return *start.exit;
    }
    const Arguments &args = start.args;
    const std::optional<Overrides> overrides = readOverrides(args, noKok, overwrite);
    if (!overrides) {
        return usageError(kName, QStringLiteral("bad --format, --max-length, --lyrics, "
                                                "--video-size, --background or --loudness "
                                                "value"));
    }
    if (noKok && overrides->lyricsFormats) {
        return usageError(kName, QStringLiteral("--no-kok and --lyrics exclude each other"));
    }
    bool jobsOk = true;
    const int jobs = args.options.contains(kJobs) ? args.options.value(kJobs).toInt(&jobsOk)
                                                  : QThread::idealThreadCount();
    if (!jobsOk || jobs < 1) {
        return usageError(kName, QStringLiteral("bad --jobs value"));
    }
    std::optional<Shard> shard;
    if (args.options.contains(kShard)) {
        shard = parseShard(args.options.value(kShard));
        if (!shard) {
            return usageError(kName, QStringLiteral("bad --shard value (I/N, 0 <= I < N)"));
        }
    }
    const std::optional<QStringList> songs = expandSongs(args.values, shard);
    if (!songs) {
        return kExitFailure;
    }
    const RunControl control{force, settingOptions(args, noKok), args.options.value(kReport)};
    return convertSongs(*songs, *overrides, args.options.value(kSoundFont), jobs, control);
}

const CommandRegistration kRegistration({kName,
                                         "convert songs into backing tracks with their lyrics",
                                         kUsage, runConvert});

} // namespace
} // namespace melorit::cli
