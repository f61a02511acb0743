// melorit-cli kok FILE [-o OUT] [--max-length N]: the ".kok" lyrics file of a
// song, as a rendering at the song's tempo with no punch writes it.

#include "app/core/TextUtil.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/SongAnalysis.h"
#include "export/LyricsFileWriter.h"

#include <optional>

namespace melorit::cli {
namespace {

constexpr const char *kName = "kok";

constexpr const char *kUsage =
    "usage: melorit-cli kok FILE [-o OUT] [--max-length N]\n"
    "\n"
    "Writes the timed lyrics file (\".kok\") of a song, as converting the song\n"
    "to an audio file at its own tempo and without start and end markers\n"
    "writes it beside the audio file, and prints the path written. No audio is\n"
    "rendered. The file is Windows-1252 text with CR LF line ends: each\n"
    "syllable followed by \";\", the second it is sung at (comma decimals) and\n"
    "\";\".\n"
    "\n"
    "  -o OUT            the file to write (default: FILE without its\n"
    "                    extension, followed by \".kok\"); it is replaced\n"
    "  --max-length N    break lines longer than N visible characters at a\n"
    "                    space between words (0, the default: no limit)\n"
    "\n"
    "Exit status: 0 when the file was written, 1 when the song cannot be\n"
    "opened, has no lyrics or the file cannot be written, 2 for a usage error.";

const QString kOutputOption = QStringLiteral("-o");
const QString kMaxLengthOption = QStringLiteral("--max-length");

// A line length from 0 to the largest the setting holds (16-bit).
std::optional<int> parseMaxLength(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > 32767)
        return std::nullopt;
    return value;
}

int runKok(const QStringList &arguments)
{
    const Arguments args = parseArguments(arguments, {kOutputOption, kMaxLengthOption});
    if (args.help) {
        printLine(QString::fromUtf8(kUsage));
        return kExitOk;
    }
    if (!args.error.isEmpty())
        return usageError(kName, args.error);
    if (args.values.size() != 1)
        return usageError(kName, QStringLiteral("give exactly one song"));
    exporting::LyricsFileOptions options;
    if (args.options.contains(kMaxLengthOption)) {
        const auto maxLength = parseMaxLength(args.options.value(kMaxLengthOption));
        if (!maxLength) {
            return usageError(kName, QStringLiteral("--max-length takes a number from 0 to 32767"));
        }
        options.MaxLength = *maxLength;
    }
    const QString &file = args.values.first();
    const QString output =
        args.options.value(kOutputOption, text::StripExtension(file) + QStringLiteral(".kok"));
    if (output.isEmpty())
        return usageError(kName, QStringLiteral("-o needs a file name"));

    const AnalysisResult result = analyseSong(file);
    if (!result.song) {
        reportError(file + QStringLiteral(": ") + result.error);
        return kExitFailure;
    }
    if (result.song->lyrics.LyricsTrack() < 0) {
        reportError(file + QStringLiteral(": the song has no lyrics; no lyrics file written"));
        return kExitFailure;
    }
    if (!exporting::WriteLyricsFile(result.song->stream->file(), result.song->lyrics, output,
                                    options))
        return kExitFailure;
    printLine(output);
    return kExitOk;
}

const CommandRegistration kRegistration({kName, "write the timed lyrics file of a song", kUsage,
                                         runKok});

} // namespace
} // namespace melorit::cli
