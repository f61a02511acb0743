// melorit-cli kok FILE [-o OUT] [--max-length N] [--format LIST]: the lyrics
// files of a song (".kok", Enhanced LRC, ASS), as a rendering at the song's
// tempo with no punch writes them.

#include "base/TextUtil.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/SongAnalysis.h"
#include "engine/SongSettings.h"
#include "export/ExportSettings.h"
#include "export/LyricsFileWriter.h"
#include "export/LyricsFormats.h"

#include <optional>

namespace melorit::cli {
namespace {

constexpr const char *kName = "kok";

constexpr const char *kUsage =
    "usage: melorit-cli kok FILE [-o OUT] [--max-length N] [--format LIST]\n"
    "\n"
    "Writes the timed lyrics file (\".kok\") of a song, as converting the song\n"
    "to an audio file at its own tempo and without start and end markers\n"
    "writes it beside the audio file, and prints the path written. No audio is\n"
    "rendered. The file is Windows-1252 text with CR LF line ends: each\n"
    "syllable followed by \";\", the second it is sung at (comma decimals) and\n"
    "\";\". The same timing can be written as Enhanced LRC (\".lrc\", UTF-8,\n"
    "a time before each syllable) or ASS karaoke subtitles (\".ass\"), titled\n"
    "with the song's tags.\n"
    "\n"
    "  -o OUT            the file to write (default: FILE without its\n"
    "                    extension, followed by the format's extension); it\n"
    "                    is replaced. With several formats, OUT with each\n"
    "                    format's extension in place of its own\n"
    "  --max-length N    break lines longer than N visible characters at a\n"
    "                    space between words (0, the default: no limit)\n"
    "  --format LIST     kok, lrc or ass, or several separated by commas\n"
    "                    (default: kok)\n"
    "\n"
    "Exit status: 0 when the file was written, 1 when the song cannot be\n"
    "opened, has no lyrics or the file cannot be written, 2 for a usage error.";

const QString kOutputOption = QStringLiteral("-o");
const QString kMaxLengthOption = QStringLiteral("--max-length");
const QString kFormatOption = QStringLiteral("--format");

// A line length from 0 to the largest the setting holds (16-bit).
std::optional<int> parseMaxLength(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > 32767) {
        return std::nullopt;
    }
    return value;
}

// Every name of the list must be a format: a typing error gives a usage
// error, not a silently missing file.
std::optional<std::vector<exporting::LyricsFormat>> parseFormats(const QString &list)
{
    const std::vector<exporting::LyricsFormat> formats = exporting::parseLyricsFormats(list);
    for (const QString &name : list.split(u',')) {
        if (exporting::parseLyricsFormats(name).empty()) {
            return std::nullopt;
        }
    }
    return formats;
}

// The song's tags as the export dialog opens them: the song's settings
// file first, then the song's own title and artist.
exporting::LyricsTitle titleOf(const SongAnalysis &song)
{
    const exporting::SongTags tags = exporting::ReadTags(engine::mst::SongSettingsFile(song.file));
    exporting::LyricsTitle title{tags.Title, tags.Artist};
    if (title.title.isEmpty()) {
        title.title = song.lyrics.ConvertCharset(song.lyrics.TagTitle());
    }
    if (title.artist.isEmpty()) {
        title.artist = song.lyrics.ConvertCharset(song.lyrics.TagArtist());
    }
    return title;
}

int runKok(const QStringList &arguments)
{
    const CommandStart start = startCommand(kName, kUsage, arguments, Values::ExactlyOne,
                                            QStringLiteral("give exactly one song"),
                                            {kOutputOption, kMaxLengthOption, kFormatOption});
    if (start.exit) {
        return *start.exit;
    }
    const Arguments &args = start.args;
    exporting::LyricsFileOptions options;
    if (args.options.contains(kMaxLengthOption)) {
        const auto maxLength = parseMaxLength(args.options.value(kMaxLengthOption));
        if (!maxLength) {
            return usageError(kName, QStringLiteral("--max-length takes a number from 0 to 32767"));
        }
        options.MaxLength = *maxLength;
    }
    std::vector<exporting::LyricsFormat> formats{exporting::LyricsFormat::Kok};
    if (args.options.contains(kFormatOption)) {
        const auto chosen = parseFormats(args.options.value(kFormatOption));
        if (!chosen) {
            return usageError(kName, QStringLiteral("--format takes kok, lrc or ass, "
                                                    "or several separated by commas"));
        }
        formats = *chosen;
    }
    const QString &file = args.values.first();
    const QString output =
        args.options.value(kOutputOption, text::StripExtension(file) + QStringLiteral(".kok"));
    if (output.isEmpty()) {
        return usageError(kName, QStringLiteral("-o needs a file name"));
    }

    const AnalysisResult result = analyseSong(file);
    if (!result.song) {
        reportError(file + QStringLiteral(": ") + result.error);
        return kExitFailure;
    }
    if (result.song->lyrics.LyricsTrack() < 0) {
        reportError(file + QStringLiteral(": the song has no lyrics; no lyrics file written"));
        return kExitFailure;
    }
    // One format writes exactly OUT; several write OUT's name with each
    // format's extension.
    QStringList paths;
    for (const exporting::LyricsFormat format : formats) {
        const bool exact = formats.size() == 1 && args.options.contains(kOutputOption);
        paths << (exact ? output : exporting::lyricsFilePath(output, format));
    }
    const exporting::LyricsTimeline timeline =
        exporting::BuildLyricsTimeline(result.song->stream->file(), result.song->lyrics, options);
    const exporting::LyricsTitle title = titleOf(*result.song);
    for (std::size_t i = 0; i < formats.size(); ++i) {
        const QString &path = paths[static_cast<qsizetype>(i)];
        if (!exporting::WriteTextFile(path,
                                      exporting::renderLyricsFile(timeline, formats[i], title))) {
            return kExitFailure;
        }
        printLine(path);
    }
    return kExitOk;
}

const CommandRegistration kRegistration({kName, "write the timed lyrics file of a song", kUsage,
                                         runKok});

} // namespace
} // namespace melorit::cli
