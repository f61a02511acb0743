// The conversion of a list of songs by jobs running side by side in this
// process.
//
// What each job shares and what it owns: FluidSynth keeps a synthesizer to
// the thread that renders it (the API lock is off), so every job has its own
// player, stream and synthesizer. The SoundFont object and the sample data
// in FluidSynth's sample cache are read-only once loaded and the cache is
// locked by FluidSynth, so the font is loaded once, on this thread, before
// the jobs start (which also runs FluidSynth's one-time set-up here), and
// every job's synthesizer takes its samples from there. The audio library's
// last error is per thread, encoder pipes are close-on-exec and SIGPIPE is
// taken per thread. Each job works on its own copy of the configuration, so
// no settings file is written by two jobs.
#include "cli/ConvertJobs.h"

#include "audio/SoundFont.h"
#include "base/Ini.h"
#include "base/Language.h"
#include "base/ProgramPaths.h"
#include "base/TerminationSignals.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ConvertProgress.h"
#include "engine/Player.h"
#include "engine/PlayerDialogs.h"
#include "export/ExportForm.h"
#include "export/SongRenderer.h"

#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace melorit::cli {
namespace {

constexpr int kBlocksPerProgress = 64;
constexpr auto kDrawInterval = std::chrono::milliseconds(100);

// The export dialog answered from the stored settings and the options.
class CliDialogs final : public engine::PlayerDialogs, public exporting::RenderDialogs {
public:
    CliDialogs(const Overrides &overrides, QString configFile, QString languageFile,
               ConvertProgress &progress)
        : m_overrides(overrides), m_configFile(std::move(configFile)),
          m_languageFile(std::move(languageFile)), m_progress(progress)
    {
    }

    std::optional<QString> chooseFile(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void message(const UserMessage &message) override
    {
        m_progress.error(
            QString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
    }

    std::optional<Choice> exportDialog(const QString &songSettingsFile, const QString &tagArtist,
                                       const QString &tagTitle) override
    {
        // The dialog answered with OK as it opens, without saving anything:
        // the settings and tags the program's road converts with.
        exporting::ExportForm form(songSettingsFile, m_configFile, m_languageFile);
        form.Form_Load(tagArtist, tagTitle);
        Choice choice{form.settings(), form.Tags};
        exporting::ExportSettings &s = choice.settings;
        s.Encoding = m_overrides.encoding.value_or(s.Encoding);
        s.Rate = m_overrides.rate.value_or(s.Rate);
        s.SaveFolder = m_overrides.outDir.value_or(s.SaveFolder);
        s.SaveScheme = m_overrides.scheme.value_or(s.SaveScheme);
        s.MaxLength = m_overrides.maxLength.value_or(s.MaxLength);
        if (m_overrides.lyricsFormats) {
            s.Formats = *m_overrides.lyricsFormats;
            s.MakeFile = true;
        }
        if (m_overrides.noKok) {
            s.MakeFile = false;
        }
        s.Video.Size = m_overrides.videoSize.value_or(s.Video.Size);
        if (const std::optional<QString> &background = m_overrides.background) {
            const bool colour = exporting::isVideoColour(*background);
            s.Video.Colour = colour ? *background : s.Video.Colour;
            s.Video.Image = colour ? QString() : *background;
        }
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
    ConvertProgress &m_progress;
};

QString outcomeText(const exporting::RenderReport &report)
{
    using exporting::RenderOutcome;
    switch (report.outcome) {
    case RenderOutcome::Kept:
        return report.paths.OutputPath +
               QStringLiteral(": exists, left untouched (--overwrite replaces it)");
    case RenderOutcome::EncoderDied:
        return report.paths.OutputPath + QStringLiteral(": the encoder stopped, nothing written");
    case RenderOutcome::Stopped:
        return report.paths.OutputPath + QStringLiteral(": stopped, nothing written");
    default:
        return {}; // already reported through the messages
    }
}

// A copy of the user's configuration: what the player stores while loading
// a font or a song stays out of the user's settings.
QString copyOfConfig(const QString &path)
{
    QFile::copy(paths::configFile(), path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

// How far the song being rendered is, its punched section only.
double renderedFraction(const engine::Player &player)
{
    const audio::MidiStream *stream = player.stream();
    if (!stream) {
        return 0;
    }
    const engine::PunchPlan &plan = player.punchPlan();
    const double start = plan.Seek ? plan.StartSeconds : 0.0;
    const double end = plan.FadeOut ? plan.EndSeconds : player.SongLength();
    const double now = audio::MidiStream::bytesToSeconds(stream->position(audio::PosUnit::Bytes));
    return end > start ? (now - start) / (end - start) : 1.0;
}

struct Run {
    const QStringList &songs;
    const Overrides &overrides;
    QString fontPath;
    QString language;
    QTemporaryDir &dir;
    ConvertProgress &progress;
    std::atomic<qsizetype> next{0};
    std::atomic<bool> failed{false};
    std::atomic<int> converted{0};
    int running = 0; // jobs not finished, under doneMutex
    std::mutex doneMutex{};
    std::condition_variable done{};
};

// One job: takes the next song until none is left. Job thread.
void runJob(Run &run, int job)
{
    const QString config =
        copyOfConfig(run.dir.filePath(QStringLiteral("Melorit-%1.ini").arg(job)));
    CliDialogs dialogs(run.overrides, config, run.language, run.progress);
    engine::Player player({config, run.language, paths::programFolder()}, nullptr, &dialogs);
    exporting::SongRenderer renderer(dialogs);
    // Outputs appear under their names only when complete.
    renderer.setStaged(true);
    player.setRendering(&renderer);
    int blocks = 0;
    renderer.setBetweenBlocks([&] {
        if (signals::caughtSignal() != 0) {
            player.Action_Stop(); // the song is abandoned, its temporaries removed
            return;
        }
        if (++blocks % kBlocksPerProgress == 0) {
            run.progress.advanced(job, renderedFraction(player));
        }
    });
    if (!player.ReplaceFont(run.fontPath)) {
        run.progress.error(run.fontPath + QStringLiteral(": cannot load the SoundFont"));
        run.failed = true;
        return;
    }
    for (const QString &song : run.songs) {
        player.playlist().addSong(song);
    }
    for (qsizetype i = run.next++; i < run.songs.size() && signals::caughtSignal() == 0;
         i = run.next++) {
        run.progress.started(job, run.songs[i]);
        player.playlist().setCurrentSong(static_cast<int>(i + 1));
        player.OpenSong(false);
        run.progress.finished(job);
        const exporting::RenderReport &report = renderer.lastReport();
        if (report.outcome != exporting::RenderOutcome::Converted) {
            run.failed = true;
            if (const QString text = outcomeText(report); !text.isEmpty()) {
                run.progress.error(text);
            }
            continue;
        }
        ++run.converted;
        QString line = run.songs[i] + QStringLiteral(" -> ") + report.paths.OutputPath;
        for (const QString &lyrics : report.lyricsFilePaths) {
            line += QStringLiteral(" + ") + lyrics;
        }
        run.progress.line(line);
    }
}

// The SoundFont of the run, loaded here before any job starts: the given
// file, or the one the player would start with. Kept loaded for the run.
std::shared_ptr<audio::SoundFont> loadRunFont(const QString &soundFont, const QString &config,
                                              const QString &language, QString &fontPath)
{
    if (!soundFont.isEmpty()) {
        fontPath = soundFont;
        return audio::SoundFont::load(soundFont.toStdString());
    }
    engine::Player probe({config, language, paths::programFolder()});
    probe.loadStartFont();
    fontPath = probe.FontPath();
    return probe.font();
}

} // namespace

int convertSongs(const QStringList &songs, const Overrides &overrides, const QString &soundFont,
                 int jobs)
{
    // Ctrl+C, kill: the jobs stop between two blocks and remove what they
    // were writing.
    signals::catchTermination();
    QTemporaryDir dir;
    const QString config = copyOfConfig(dir.filePath(QStringLiteral("Melorit.ini")));
    const QString language = chooseLanguageFile(configuredLanguageCode(config)).file;
    QString fontPath;
    const std::shared_ptr<audio::SoundFont> font =
        loadRunFont(soundFont, config, language, fontPath);
    if (!font) {
        reportError(soundFont.isEmpty()
                        ? QStringLiteral("no SoundFont found (--soundfont FILE)")
                        : soundFont + QStringLiteral(": cannot load the SoundFont"));
        return kExitFailure;
    }
    jobs = std::max(1, std::min<int>(jobs, static_cast<int>(songs.size())));
    ConvertProgress progress(jobs, ConvertProgress::outputIsTerminal(),
                             ConvertProgress::terminalWidth());
    Run run{songs, overrides, fontPath, language, dir, progress};
    run.running = jobs;
    std::vector<std::thread> threads;
    for (int job = 0; job < jobs; ++job) {
        threads.emplace_back([&run, job] {
            runJob(run, job);
            std::lock_guard lock(run.doneMutex);
            --run.running;
            run.done.notify_one();
        });
    }
    // This thread draws until the last job is done.
    std::unique_lock lock(run.doneMutex);
    while (run.running > 0) {
        lock.unlock();
        progress.draw();
        lock.lock();
        run.done.wait_for(lock, kDrawInterval, [&run] { return run.running == 0; });
    }
    lock.unlock();
    for (std::thread &thread : threads) {
        thread.join();
    }
    progress.finish();
    if (const int signal = signals::caughtSignal(); signal != 0) {
        reportError(QStringLiteral("stopped by %1: %2 of %3 songs converted (listed above); "
                                   "nothing is left of the others")
                        .arg(QString::fromLatin1(signals::signalName(signal)))
                        .arg(run.converted.load())
                        .arg(songs.size()));
        return signals::exitStatusFor(signal);
    }
    return run.failed ? kExitFailure : kExitOk;
}

} // namespace melorit::cli
