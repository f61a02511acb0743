// melorit-cli score SONG TAKE.wav [--json] [--tolerance CENTS] [--offset MS]:
// a recorded take sung along with the song, scored against its melody.

#include "base/TextUtil.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/SongAnalysis.h"
#include "engine/SongSettings.h"
#include "scoring/ScoreSettings.h"
#include "scoring/TakeFile.h"
#include "scoring/TakeScoring.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace melorit::cli {
namespace {

constexpr const char *kName = "score";

constexpr const char *kUsage =
    "usage: melorit-cli score [--json] [--tolerance CENTS] [--offset MS] SONG TAKE.wav\n"
    "\n"
    "Scores a recorded take, sung from the song's start, against the song's\n"
    "melody: the notes of the channel that plays the sung melody, within the\n"
    "lyrics lines, at the tempo and transposition of the song's \".mst\". The\n"
    "singer's pitch is followed every 10 ms; each note scores the share of its\n"
    "time sung within the tolerance, in any octave, and each line and the song\n"
    "the same share over their notes (0 to 100). Notes shorter than 80 ms and\n"
    "notes after the take's end are not scored. The take is a WAV file of any\n"
    "sample rate and channel count (integer or floating-point samples); it is\n"
    "mixed down to mono and resampled to 44100 Hz.\n"
    "\n"
    "  --json            one JSON object: song, take, score, best, tolerance,\n"
    "                    notes (line, key, start, end, score) and lines (text,\n"
    "                    score); times in seconds as played, keys as MIDI\n"
    "                    numbers with the transposition, a score null for a\n"
    "                    note or line the take does not reach\n"
    "  --tolerance CENTS how far from a note the voice may be (10 to 200;\n"
    "                    default: Melorit.ini's, else 50)\n"
    "  --offset MS       the song's time at the take's start: how late the\n"
    "                    recording started (negative: before the song; default 0)\n"
    "\n"
    "The song's best score in its \".mst\" is shown, never changed.\n"
    "Exit status: 0 when the take was scored, 1 when the song or the take\n"
    "cannot be read or the song has no melody to sing, 2 for a usage error.";

const QString kJsonOption = QStringLiteral("--json");
const QString kToleranceOption = QStringLiteral("--tolerance");
const QString kOffsetOption = QStringLiteral("--offset");

std::optional<int> parseInt(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

QString targetProblem(const scoring::MelodyTarget &target)
{
    switch (target.problem()) {
    case scoring::MelodyTarget::Problem::NoLyrics:
        return QStringLiteral("the song has no lyrics: there is nothing to sing, so nothing "
                              "to score");
    case scoring::MelodyTarget::Problem::NoMelody:
        return QStringLiteral("no melody channel was found in the song (no channel follows "
                              "its lyrics): it cannot be scored");
    case scoring::MelodyTarget::Problem::NoNotes:
        return QStringLiteral("the melody channel (%1) has no note within the lyrics lines: "
                              "there is nothing to score")
            .arg(target.channel());
    case scoring::MelodyTarget::Problem::None:
        break;
    }
    return {};
}

QJsonValue jsonScore(std::optional<int> score)
{
    return score ? QJsonValue(*score) : QJsonValue(QJsonValue::Null);
}

QString textScore(std::optional<int> score)
{
    return score ? QString::number(*score) : QStringLiteral("-");
}

struct Scored {
    QString song;
    QString take;
    const scoring::ScoreCard &card;
    std::optional<int> best;
};

QJsonObject scoreJson(const Scored &s)
{
    const scoring::MelodyTarget &target = s.card.target();
    QJsonArray notes;
    for (std::size_t i = 0; i < target.notes().size(); ++i) {
        const scoring::TargetNote &n = target.notes()[i];
        notes.append(QJsonObject{
            {QStringLiteral("line"), n.line},
            {QStringLiteral("key"), n.key + target.options().transpose},
            {QStringLiteral("start"), target.secondsAt(n.startTick)},
            {QStringLiteral("end"), target.secondsAt(n.endTick)},
            {QStringLiteral("score"), jsonScore(s.card.noteScore(static_cast<int>(i)))},
        });
    }
    QJsonArray lines;
    for (std::size_t i = 0; i < target.lines().size(); ++i) {
        lines.append(QJsonObject{
            {QStringLiteral("text"), target.lines()[i].text},
            {QStringLiteral("score"), jsonScore(s.card.lineScore(static_cast<int>(i) + 1))},
        });
    }
    return QJsonObject{
        {QStringLiteral("song"), s.song},
        {QStringLiteral("take"), s.take},
        {QStringLiteral("score"), jsonScore(s.card.songScore())},
        {QStringLiteral("best"), jsonScore(s.best)},
        {QStringLiteral("tolerance"), s.card.toleranceCents()},
        {QStringLiteral("notes"), notes},
        {QStringLiteral("lines"), lines},
    };
}

QStringList scoreSummary(const Scored &s)
{
    const scoring::MelodyTarget &target = s.card.target();
    QStringList out{
        s.song,
        QStringLiteral("  Take:      ") + s.take,
        QStringLiteral("  Melody:    channel %1, %2 notes scored of %3")
            .arg(target.channel())
            .arg(s.card.notesSung())
            .arg(target.notes().size()),
    };
    for (std::size_t i = 0; i < target.lines().size(); ++i) {
        const scoring::TargetLine &line = target.lines()[i];
        if (line.noteCount == 0) {
            continue;
        }
        out << QStringLiteral("  %1  %2  %3")
                   .arg(static_cast<int>(i) + 1, 4)
                   .arg(textScore(s.card.lineScore(static_cast<int>(i) + 1)), 3)
                   .arg(line.text);
    }
    out << QStringLiteral("  Score:     ") + textScore(s.card.songScore());
    if (s.best) {
        out << QStringLiteral("  Best:      %1").arg(*s.best);
    }
    return out;
}

// What the take's file is, said when it had to be converted.
void reportConversion(const QString &path, const scoring::Take &take)
{
    if (take.converted()) {
        printError(QStringLiteral("%1: %2 Hz, %3 channel(s), converted to %4 Hz mono")
                       .arg(path)
                       .arg(take.fileRate)
                       .arg(take.fileChannels)
                       .arg(scoring::Take::kRate));
    }
}

void reportShortTake(const QString &path, const scoring::Take &take,
                     const scoring::MelodyTarget &target)
{
    const scoring::TargetNote &last = target.notes().back();
    if (take.seconds() < target.secondsAt(last.endTick)) {
        printError(QStringLiteral("%1: the take ends at %2 s, before the song's last note; "
                                  "the notes after it are not scored")
                       .arg(path, text::formatNumber(take.seconds(), u"0.0")));
    }
}

struct Choices {
    bool json = false;
    int tolerance = 50;
    int offsetMs = 0;
};

int scoreSong(const QString &song, const QString &takePath, const Choices &choices)
{
    const AnalysisResult analysis = analyseSong(song);
    if (!analysis.song) {
        reportError(song + QStringLiteral(": ") + analysis.error);
        return kExitFailure;
    }
    const QString settings = engine::mst::SongSettingsFile(song);
    scoring::TargetOptions options;
    options.transpose = engine::mst::readTranspose(settings);
    options.tempoRatio = engine::mst::tempoRatio(engine::mst::readTempo(settings));
    const scoring::MelodyTarget target =
        scoring::MelodyTarget::build(analysis.song->stream->file(), analysis.song->lyrics, options);
    if (target.problem() != scoring::MelodyTarget::Problem::None) {
        reportError(song + QStringLiteral(": ") + targetProblem(target));
        return kExitFailure;
    }
    const scoring::TakeResult read = scoring::readTake(takePath);
    if (!read.ok) {
        reportError(takePath + QStringLiteral(": ") + read.error);
        return kExitFailure;
    }
    reportConversion(takePath, read.take);
    reportShortTake(takePath, read.take, target);
    const scoring::ScoreCard card =
        scoring::scoreTake(target, read.take.samples, choices.tolerance, choices.offsetMs / 1000.0);
    const Scored scored{song, takePath, card, scoring::readBestScore(settings)};
    if (choices.json) {
        QString text = QString::fromUtf8(QJsonDocument(scoreJson(scored)).toJson());
        printLine(text.trimmed());
    } else {
        printLine(scoreSummary(scored).join(u'\n'));
    }
    return kExitOk;
}

int runScore(const QStringList &rawArguments)
{
    QStringList arguments = rawArguments;
    Choices choices;
    choices.json = takeSwitch(arguments, kJsonOption);
    const CommandStart start =
        startCommand(kName, kUsage, arguments, Values::ExactlyTwo,
                     QStringLiteral("give a song and a take"), {kToleranceOption, kOffsetOption});
    if (start.exit) {
        return *start.exit;
    }
    const Arguments &args = start.args;
    choices.tolerance = scoring::ScoreSettings::read().toleranceCents;
    if (args.options.contains(kToleranceOption)) {
        const auto tolerance = parseInt(args.options.value(kToleranceOption), 10, 200);
        if (!tolerance) {
            return usageError(kName, QStringLiteral("--tolerance takes cents from 10 to 200"));
        }
        choices.tolerance = *tolerance;
    }
    if (args.options.contains(kOffsetOption)) {
        const auto offset = parseInt(args.options.value(kOffsetOption), -60000, 60000);
        if (!offset) {
            return usageError(kName, QStringLiteral("--offset takes milliseconds from -60000 "
                                                    "to 60000"));
        }
        choices.offsetMs = *offset;
    }
    return scoreSong(args.values[0], args.values[1], choices);
}

const CommandRegistration kRegistration({kName, "score a sung take against a song's melody", kUsage,
                                         runScore});

} // namespace
} // namespace melorit::cli
