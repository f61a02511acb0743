// melorit-cli analyze [--json] FILE...: the lyrics analysis of each song.

#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/SongAnalysis.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace melorit::cli {
namespace {

constexpr const char *kName = "analyze";

constexpr const char *kUsage =
    "usage: melorit-cli analyze [--json] FILE...\n"
    "\n"
    "Opens each song as the player does and prints what its analysis found:\n"
    "title and artist, the lyrics track, the text encoding, the channel that\n"
    "plays the sung melody and the lyrics lines with their times in seconds.\n"
    "\n"
    "  --json  one JSON object per song (an array when several files are\n"
    "          given) with the keys file, lengthSeconds, lengthTicks,\n"
    "          lyricsTrack, lyricMarkType, detectedCharset, tagTitle,\n"
    "          tagArtist, melodyChannel, minLineGap, syllables (line, start,\n"
    "          length, time, markIndex, bytePos, tick, text) and lines (text,\n"
    "          bytePos, tick, time). Texts are UTF-8, after the conversion from\n"
    "          the song's encoding. detectedCharset: -1 unknown, 0 Windows-1252,\n"
    "          1 DOS 850, 2 Mac OS Roman, 3 UTF-8. A song without lyrics has\n"
    "          lyricsTrack -1; melodyChannel is -1 when none was found.\n"
    "\n"
    "Exit status: 0 when every song was analysed, 1 when a file could not be\n"
    "opened as a MIDI song (the others are still printed), 2 for a usage error.";

const QString kJsonOption = QStringLiteral("--json");

void printJson(const QJsonDocument &document)
{
    QString text = QString::fromUtf8(document.toJson(QJsonDocument::Indented));
    if (text.endsWith(u'\n')) {
        text.chop(1);
    }
    printLine(text);
}

int runAnalyze(const QStringList &rawArguments)
{
    QStringList arguments = rawArguments;
    // "--json" is a switch, taken out before the parser of options with values.
    const bool json = takeSwitch(arguments, kJsonOption);
    const CommandStart start =
        startCommand(kName, kUsage, arguments, Values::AtLeastOne, QStringLiteral("no song given"));
    if (start.exit) {
        return *start.exit;
    }
    const Arguments &args = start.args;

    int status = kExitOk;
    QJsonArray objects;
    bool first = true;
    for (const QString &file : args.values) {
        const AnalysisResult result = analyseSong(file);
        if (!result.song) {
            reportError(file + QStringLiteral(": ") + result.error);
            status = kExitFailure;
            continue;
        }
        if (json) {
            objects.append(analysisJson(*result.song));
            continue;
        }
        if (!first) {
            printLine(QString());
        }
        first = false;
        printLine(analysisSummary(*result.song).join(u'\n'));
    }
    if (json && args.values.size() > 1) {
        printJson(QJsonDocument(objects));
    } else if (json && !objects.isEmpty()) {
        printJson(QJsonDocument(objects.first().toObject()));
    }
    return status;
}

const CommandRegistration kRegistration({kName, "print the lyrics analysis of songs", kUsage,
                                         runAnalyze});

} // namespace
} // namespace melorit::cli
