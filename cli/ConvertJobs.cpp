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
#include "cli/ConvertDialogs.h"
#include "cli/ConvertManifest.h"
#include "cli/ConvertProgress.h"
#include "cli/ConvertReport.h"
#include "engine/Player.h"
#include "export/SongRenderer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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
constexpr qint64 kReportIntervalMs = 1000;

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

// The loudness reached, and why not the target when the peak held it.
QString loudnessText(const audio::LoudnessGain &gain)
{
    if (gain.silent) {
        return QStringLiteral(" (loudness: too quiet to measure, left as rendered)");
    }
    const auto number = [](double v) { return QString::number(v, 'f', 1); };
    const QString sign = gain.gainDb >= 0 ? QStringLiteral("+") : QString();
    QString text = QStringLiteral(" (loudness %1 LUFS, gain %2%3 dB")
                       .arg(number(gain.resultLufs()), sign, number(gain.gainDb));
    if (gain.held) {
        text += QStringLiteral("; held at the -1 dBTP true-peak ceiling: %1 LUFS would clip")
                    .arg(number(gain.targetLufs));
    }
    return text + u')';
}

// A copy of the user's configuration: what the player stores while loading
// a font or a song stays out of the user's settings.
QString copyOfConfig(const QString &path)
{
    QFile::copy(paths::configFile(), path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

// The punched section of the song being rendered, and how much of it is
// rendered, in seconds.
std::pair<double, double> renderedSeconds(const engine::Player &player)
{
    const audio::MidiStream *stream = player.stream();
    if (!stream) {
        return {0.0, 0.0};
    }
    const engine::PunchPlan &plan = player.punchPlan();
    const double start = plan.Seek ? plan.StartSeconds : 0.0;
    const double end = plan.FadeOut ? plan.EndSeconds : player.SongLength();
    const double now = audio::MidiStream::bytesToSeconds(stream->position(audio::PosUnit::Bytes));
    return {end - start, now - start};
}

double fractionOf(std::pair<double, double> seconds)
{
    return seconds.first > 0 ? seconds.second / seconds.first : 1.0;
}

struct Run {
    const QStringList &songs;
    const Overrides &overrides;
    const ManifestContext &manifest;
    QString fontPath;
    QString language;
    QTemporaryDir &dir;
    ConvertProgress &progress;
    ReportBoard &report;
    std::atomic<qsizetype> next{0};
    std::atomic<bool> failed{false};
    std::atomic<int> converted{0};
    int running = 0; // jobs not finished, under doneMutex
    std::mutex doneMutex{};
    std::condition_variable done{};
};

// The status and the line of a song not converted; its error text.
QString failureOf(const exporting::RenderReport &report, CliDialogs &dialogs, SongResult &result)
{
    const bool stopped =
        report.outcome == exporting::RenderOutcome::Stopped && signals::caughtSignal() != 0;
    result.status = stopped ? QStringLiteral("stopped") : QStringLiteral("failed");
    QString text = outcomeText(report);
    result.error = dialogs.errors();
    if (!text.isEmpty()) {
        result.error += (result.error.isEmpty() ? QString() : QStringLiteral("\n")) + text;
    }
    return text;
}

// One job's player and what it converts with. Job thread.
class Job {
public:
    Job(Run &run, int index)
        : m_run(run), m_index(index),
          m_config(copyOfConfig(run.dir.filePath(QStringLiteral("Melorit-%1.ini").arg(index)))),
          m_dialogs(run.overrides, m_config, run.language, run.progress, run.manifest),
          m_player({m_config, run.language, paths::programFolder()}, nullptr, &m_dialogs),
          m_renderer(m_dialogs)
    {
        // Outputs appear under their names only when complete, and recorded
        // in the manifest just before.
        m_renderer.setStaged(true);
        m_player.setRendering(&m_renderer);
        m_renderer.setBetweenBlocks([this] { betweenBlocks(); });
        m_renderer.setBeforeCommit([this](const auto &files) { return recordOutputs(files); });
    }

    // Takes the next song until none is left.
    void run()
    {
        if (!m_player.ReplaceFont(m_run.fontPath)) {
            m_run.progress.error(m_run.fontPath + QStringLiteral(": cannot load the SoundFont"));
            m_run.failed = true;
            return;
        }
        for (const QString &song : m_run.songs) {
            m_player.playlist().addSong(song);
        }
        for (qsizetype i = m_run.next++; i < m_run.songs.size() && signals::caughtSignal() == 0;
             i = m_run.next++) {
            m_run.report.set(i, convert(i));
        }
    }

private:
    void betweenBlocks()
    {
        if (signals::caughtSignal() != 0) {
            m_player.Action_Stop(); // the song is abandoned, its temporaries removed
            return;
        }
        m_seconds = renderedSeconds(m_player);
        if (++m_blocks % kBlocksPerProgress == 0) {
            m_run.progress.advanced(m_index, fractionOf(m_seconds));
        }
    }

    bool recordOutputs(const QList<std::pair<QString, QString>> &files)
    {
        if (Manifest::record(files, m_dialogs.inputs(), m_seconds.second)) {
            return true;
        }
        m_dialogs.message({Manifest::pathFor(files.last().second) +
                               QStringLiteral(": cannot write the manifest (disk full?); "
                                              "nothing written"),
                           QStringLiteral("Error"), MessageIcon::Critical});
        return false;
    }

    SongResult convert(qsizetype i)
    {
        QElapsedTimer wall;
        wall.start();
        const QString &song = m_run.songs[i];
        m_dialogs.startSong(song);
        m_seconds = {};
        m_run.progress.started(m_index, song);
        m_player.playlist().setCurrentSong(static_cast<int>(i + 1));
        m_player.OpenSong(false);
        m_run.progress.finished(m_index);
        const exporting::RenderReport &report = m_renderer.lastReport();
        SongResult result;
        result.input = song;
        result.wallSeconds = static_cast<double>(wall.elapsed()) / 1000.0;
        if (report.outcome == exporting::RenderOutcome::Kept && m_dialogs.upToDate()) {
            result.status = QStringLiteral("up-to-date");
            result.outputs = m_dialogs.check().outputs;
            result.audioSeconds = m_dialogs.check().seconds;
            m_run.progress.line(song + QStringLiteral(" -> ") + report.paths.OutputPath +
                                QStringLiteral(": up to date"));
            return result;
        }
        if (report.outcome != exporting::RenderOutcome::Converted) {
            m_run.failed = true;
            if (const QString text = failureOf(report, m_dialogs, result); !text.isEmpty()) {
                m_run.progress.error(text);
            }
            return result;
        }
        ++m_run.converted;
        result.status = QStringLiteral("converted");
        result.outputs = QStringList{report.paths.OutputPath} + report.lyricsFilePaths;
        result.audioSeconds = m_seconds.second;
        QString line = song + QStringLiteral(" -> ") + report.paths.OutputPath;
        for (const QString &lyrics : report.lyricsFilePaths) {
            line += QStringLiteral(" + ") + lyrics;
        }
        if (report.loudness) {
            line += loudnessText(*report.loudness);
            result.loudness = report.loudness;
        }
        m_run.progress.line(line);
        return result;
    }

    Run &m_run;
    int m_index;
    QString m_config;
    CliDialogs m_dialogs;
    engine::Player m_player;
    exporting::SongRenderer m_renderer;
    int m_blocks = 0;
    std::pair<double, double> m_seconds; // of the song being converted
};

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

// Runs the jobs; this thread draws and writes the report until the last
// is done.
void runJobs(Run &run, int jobs)
{
    run.running = jobs;
    std::vector<std::thread> threads;
    for (int index = 0; index < jobs; ++index) {
        threads.emplace_back([&run, index] {
            Job(run, index).run();
            std::lock_guard lock(run.doneMutex);
            --run.running;
            run.done.notify_one();
        });
    }
    std::unique_lock lock(run.doneMutex);
    while (run.running > 0) {
        lock.unlock();
        run.progress.draw();
        run.report.writeIfDue();
        lock.lock();
        run.done.wait_for(lock, kDrawInterval, [&run] { return run.running == 0; });
    }
    lock.unlock();
    for (std::thread &thread : threads) {
        thread.join();
    }
    run.progress.finish();
}

} // namespace

int convertSongs(const QStringList &songs, const Overrides &overrides, const QString &soundFont,
                 int jobs, const RunControl &control)
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
        // Every song fails, and the report says so.
        const QString error = soundFont.isEmpty()
                                  ? QStringLiteral("no SoundFont found (--soundfont FILE)")
                                  : soundFont + QStringLiteral(": cannot load the SoundFont");
        reportError(error);
        writeFailedReport(control.reportFile, songs, error);
        return kExitFailure;
    }
    jobs = std::max(1, std::min<int>(jobs, static_cast<int>(songs.size())));
    ConvertProgress progress(jobs, ConvertProgress::outputIsTerminal(),
                             ConvertProgress::terminalWidth());
    const ManifestContext manifest{control.force, QFileInfo(fontPath).absoluteFilePath(),
                                   settingsDigest(config, control.settingOptions)};
    ReportBoard report(songs, control.reportFile);
    Run run{songs, overrides, manifest, fontPath, language, dir, progress, report};
    runJobs(run, jobs);
    const bool reported = report.writeFinal();
    if (const int signal = signals::caughtSignal(); signal != 0) {
        reportError(QStringLiteral("stopped by %1: %2 of %3 songs converted (listed above); "
                                   "nothing is left of the others")
                        .arg(QString::fromLatin1(signals::signalName(signal)))
                        .arg(run.converted.load())
                        .arg(songs.size()));
        return signals::exitStatusFor(signal);
    }
    return run.failed || !reported ? kExitFailure : kExitOk;
}

} // namespace melorit::cli
