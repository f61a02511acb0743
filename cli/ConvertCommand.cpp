// melorit-cli convert [options] SONG-OR-LIST...: each song rendered as the
// record command renders it, without windows.

#include "app/core/Language.h"
#include "app/core/ProgramPaths.h"
#include "app/ini/Ini.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "engine/Player.h"
#include "engine/PlayerDialogs.h"
#include "export/ExportForm.h"
#include "export/SongRenderer.h"
#include "playlist/ListFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <list>
#include <memory>

#include <optional>

namespace melorit::cli {
namespace {

constexpr const char *kName = "convert";

constexpr const char *kUsage =
    "usage: melorit-cli convert [--format wav|mp3|ogg] [--rate KBPS] [--out-dir DIR]\n"
    "                           [--scheme PATTERN] [--soundfont FILE] [--no-kok]\n"
    "                           [--max-length N] [--overwrite] [--jobs N]\n"
    "                           SONG-OR-LIST...\n"
    "\n"
    "Converts each song into a backing-track audio file (44100 Hz, 16-bit,\n"
    "stereo) with the SoundFont, mix, tempo, markers and tags the player uses\n"
    "for it, and writes its lyrics beside it as a \".kok\" file. Settings come\n"
    "from Melorit.ini and each song's \".mst\"; the options override them for\n"
    "this run only, nothing is written back. \".m3u\" and \".mpl\" arguments\n"
    "stand for the songs they list.\n"
    "\n"
    "  --format F       wav, mp3 (lame) or ogg (oggenc)\n"
    "  --rate KBPS      bit rate of mp3 and ogg\n"
    "  --out-dir DIR    output folder (default: the configured one, else the\n"
    "                   song's own folder)\n"
    "  --scheme PATTERN sub-folder and name, %A artist, %T title\n"
    "  --soundfont FILE the SoundFont (default: the configured one, else the\n"
    "                   system's General MIDI SoundFont)\n"
    "  --no-kok         no lyrics file\n"
    "  --max-length N   line length limit of the lyrics file (0: none)\n"
    "  --overwrite      replace existing outputs (default: leave them)\n"
    "  --jobs N         songs converted at once, each by its own process\n"
    "                   (default: the number of processors)\n"
    "\n"
    "One line per converted file. Exit status: 0 when every song was\n"
    "converted, 1 when one was not (unreadable, output kept, encoder\n"
    "failure), 2 for a usage error.";

const QString kFormat = QStringLiteral("--format");
const QString kRate = QStringLiteral("--rate");
const QString kOutDir = QStringLiteral("--out-dir");
const QString kScheme = QStringLiteral("--scheme");
const QString kSoundFont = QStringLiteral("--soundfont");
const QString kMaxLength = QStringLiteral("--max-length");
const QString kJobs = QStringLiteral("--jobs");

struct Overrides {
    std::optional<int> encoding;
    std::optional<QString> rate, outDir, scheme;
    std::optional<int> maxLength;
    bool noKok = false;
    bool overwrite = false;
};

// The export dialog answered from the stored settings and the options.
class CliDialogs final : public engine::PlayerDialogs, public exporting::RenderDialogs {
public:
    CliDialogs(const Overrides &overrides, QString configFile, QString languageFile)
        : m_overrides(overrides), m_configFile(std::move(configFile)),
          m_languageFile(std::move(languageFile))
    {
    }

    std::optional<QString> chooseFile(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void message(const UserMessage &message) override
    {
        reportError(QString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
    }

    std::optional<Choice> exportDialog(const QString &songSettingsFile, const QString &tagArtist,
                                       const QString &tagTitle) override
    {
        // The tags as the dialog would open with them, without saving them.
        exporting::ExportForm form(songSettingsFile, m_configFile, m_languageFile);
        form.Form_Load(tagArtist, tagTitle);
        Choice choice{exporting::ReadExportSettings(m_configFile), form.Tags};
        exporting::ExportSettings &s = choice.settings;
        s.Encoding = m_overrides.encoding.value_or(s.Encoding);
        s.Rate = m_overrides.rate.value_or(s.Rate);
        s.SaveFolder = m_overrides.outDir.value_or(s.SaveFolder);
        s.SaveScheme = m_overrides.scheme.value_or(s.SaveScheme);
        s.MaxLength = m_overrides.maxLength.value_or(s.MaxLength);
        if (m_overrides.noKok)
            s.MakeFile = false;
        return choice;
    }
    bool confirmOverwrite(const QString &, const QString &) override
    {
        return m_overrides.overwrite;
    }

private:
    const Overrides &m_overrides;
    QString m_configFile;
    QString m_languageFile;
};

std::optional<int> formatEncoding(const QString &format)
{
    const QString f = format.toLower();
    if (f == u"wav")
        return 0;
    if (f == u"mp3")
        return 1;
    if (f == u"ogg")
        return 2;
    return std::nullopt;
}

// Song arguments with lists expanded to their entries.
std::optional<QStringList> expandSongs(const QStringList &values)
{
    QStringList songs;
    for (const QString &value : values) {
        const QString suffix = QFileInfo(value).suffix().toLower();
        if (suffix != u"m3u" && suffix != u"mpl") {
            songs << value;
            continue;
        }
        const std::optional<QStringList> entries = playlist::readListFile(value);
        if (!entries) {
            reportError(value + QStringLiteral(": cannot read the list"));
            return std::nullopt;
        }
        songs << *entries;
    }
    return songs;
}

QString outcomeText(const exporting::RenderReport &report)
{
    using exporting::RenderOutcome;
    switch (report.outcome) {
    case RenderOutcome::Kept:
        return report.paths.OutputPath +
               QStringLiteral(": exists, left untouched (--overwrite replaces it)");
    case RenderOutcome::EncoderDied:
        return report.paths.OutputPath + QStringLiteral(": the encoder stopped, file incomplete");
    case RenderOutcome::Stopped:
        return report.paths.OutputPath + QStringLiteral(": conversion stopped, file incomplete");
    default:
        return {}; // already reported through the messages
    }
}

std::optional<Overrides> readOverrides(const Arguments &args, bool noKok, bool overwrite)
{
    Overrides o;
    o.noKok = noKok;
    o.overwrite = overwrite;
    if (args.options.contains(kFormat)) {
        o.encoding = formatEncoding(args.options.value(kFormat));
        if (!o.encoding)
            return std::nullopt;
    }
    if (args.options.contains(kRate))
        o.rate = args.options.value(kRate);
    if (args.options.contains(kOutDir))
        o.outDir = args.options.value(kOutDir);
    if (args.options.contains(kScheme))
        o.scheme = args.options.value(kScheme);
    if (args.options.contains(kMaxLength)) {
        bool ok = false;
        const int n = args.options.value(kMaxLength).toInt(&ok);
        if (!ok || n < 0)
            return std::nullopt;
        o.maxLength = n;
    }
    return o;
}

// The player works on a copy of the configuration: what it stores while
// loading a font or a song stays out of the user's settings.
QString copyOfConfig(const QTemporaryDir &dir)
{
    const QString copy = dir.filePath(QStringLiteral("Melorit.ini"));
    QFile::copy(paths::configFile(), copy);
    QFile(copy).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

int convertSongs(const QStringList &songs, const Overrides &overrides, const QString &soundFont)
{
    QTemporaryDir dir;
    const QString config = copyOfConfig(dir);
    const QString language =
        chooseLanguageFile(ReadIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), config)).file;
    CliDialogs dialogs(overrides, config, language);
    engine::PlayerSettings settings{config, language, paths::programFolder()};
    engine::Player player(settings, nullptr, &dialogs);
    exporting::SongRenderer renderer(dialogs);
    player.setRendering(&renderer);
    if (!soundFont.isEmpty() ? !player.ReplaceFont(soundFont)
                             : (player.loadStartFont(), !player.font())) {
        reportError(soundFont.isEmpty()
                        ? QStringLiteral("no SoundFont found (--soundfont FILE)")
                        : soundFont + QStringLiteral(": cannot load the SoundFont"));
        return kExitFailure;
    }
    for (const QString &song : songs)
        player.playlist().addSong(song);
    int status = kExitOk;
    for (int i = 1; i <= songs.size(); ++i) {
        player.playlist().setCurrentSong(i);
        player.OpenSong(false);
        const exporting::RenderReport &report = renderer.lastReport();
        if (report.outcome != exporting::RenderOutcome::Converted) {
            status = kExitFailure;
            if (const QString text = outcomeText(report); !text.isEmpty())
                reportError(text);
            continue;
        }
        QString line = songs[i - 1] + QStringLiteral(" -> ") + report.paths.OutputPath;
        if (report.lyricsFileWritten)
            line += QStringLiteral(" + ") + report.paths.LyricsFilePath;
        printLine(line);
    }
    return status;
}

QString withoutFinalBreak(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

// Hands what a finished job printed to our own output; its status.
int finishJob(QProcess &job)
{
    if (const QString out = withoutFinalBreak(job.readAllStandardOutput()); !out.isEmpty())
        printLine(out);
    if (const QString err = withoutFinalBreak(job.readAllStandardError()); !err.isEmpty())
        printError(err);
    if (job.error() == QProcess::FailedToStart)
        reportError(job.program() + QStringLiteral(": ") + job.errorString());
    if (job.error() == QProcess::FailedToStart || job.exitStatus() != QProcess::NormalExit ||
        job.exitCode() != kExitOk)
        return kExitFailure;
    return kExitOk;
}

// Several songs at once: each song is converted by a child run of this
// command with the same options, so every job has its own synthesizer.
int convertInJobs(const QStringList &songs, const QStringList &options, int jobs)
{
    int status = kExitOk;
    std::list<std::unique_ptr<QProcess>> running;
    qsizetype next = 0;
    while (next < songs.size() || !running.empty()) {
        while (next < songs.size() && std::ssize(running) < jobs) {
            auto job = std::make_unique<QProcess>();
            job->start(
                QCoreApplication::applicationFilePath(),
                QStringList{QString::fromUtf8(kName)} + options +
                    QStringList{kJobs, QStringLiteral("1"), QStringLiteral("--"), songs[next++]});
            running.push_back(std::move(job));
        }
        for (auto it = running.begin(); it != running.end();) {
            if ((*it)->state() != QProcess::NotRunning && !(*it)->waitForFinished(20)) {
                ++it;
                continue;
            }
            if (finishJob(**it) != kExitOk)
                status = kExitFailure;
            it = running.erase(it);
        }
    }
    return status;
}

int runConvert(const QStringList &rawArguments)
{
    QStringList arguments = rawArguments;
    const bool noKok = takeSwitch(arguments, QStringLiteral("--no-kok"));
    const bool overwrite = takeSwitch(arguments, QStringLiteral("--overwrite"));
    const Arguments args = parseArguments(
        arguments, {kFormat, kRate, kOutDir, kScheme, kSoundFont, kMaxLength, kJobs});
    if (args.help) {
        printLine(QString::fromUtf8(kUsage));
        return kExitOk;
    }
    if (!args.error.isEmpty())
        return usageError(kName, args.error);
    if (args.values.isEmpty())
        return usageError(kName, QStringLiteral("no song given"));
    const std::optional<Overrides> overrides = readOverrides(args, noKok, overwrite);
    if (!overrides)
        return usageError(kName, QStringLiteral("bad --format or --max-length value"));
    bool jobsOk = true;
    const int jobs = args.options.contains(kJobs) ? args.options.value(kJobs).toInt(&jobsOk)
                                                  : QThread::idealThreadCount();
    if (!jobsOk || jobs < 1)
        return usageError(kName, QStringLiteral("bad --jobs value"));
    const std::optional<QStringList> songs = expandSongs(args.values);
    if (!songs)
        return kExitFailure;
    if (jobs > 1 && songs->size() > 1) {
        QStringList options;
        for (auto it = args.options.cbegin(); it != args.options.cend(); ++it)
            if (it.key() != kJobs)
                options << it.key() + u'=' + it.value();
        if (noKok)
            options << QStringLiteral("--no-kok");
        if (overwrite)
            options << QStringLiteral("--overwrite");
        return convertInJobs(*songs, options, jobs);
    }
    return convertSongs(*songs, *overrides, args.options.value(kSoundFont));
}

const CommandRegistration kRegistration({kName,
                                         "convert songs into backing tracks with their lyrics",
                                         kUsage, runConvert});

} // namespace
} // namespace melorit::cli
