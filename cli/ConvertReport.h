#pragma once

#include "audio/LoudnessEncoder.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

#include <mutex>
#include <optional>

// The report of a conversion run (--report FILE.json): one entry per song.
namespace melorit::cli {

struct SongResult {
    QString input;
    QStringList outputs;     // the files written, or found up to date
    double audioSeconds = 0; // of the audio file
    double wallSeconds = 0;  // spent on the song in this run
    // "converted", "up-to-date", "failed", "stopped" (by a signal) or
    // "not-started".
    QString status = QStringLiteral("not-started");
    QString error;
    // With --loudness (or "Normalize"): the gain the song was matched with.
    std::optional<audio::LoudnessGain> loudness;
};

// {"songs": [{"input", "outputs", "audioSeconds", "wallSeconds", "status",
// "error", and for a loudness-matched song "loudness": {"targetLufs",
// "measuredLufs", "truePeakDbtp", "gainDb", "lufs", "held", "silent"}}...],
// "counts": {status: number...}}, indented.
QByteArray reportJson(const QList<SongResult> &results);

// Replaces the report file atomically; false when it cannot.
bool writeReport(const QString &path, const QList<SongResult> &results);

// The results of a run as jobs give them, written to the report file by
// the thread that watches the run: at most once a second while it runs, so
// a killed run leaves a report of what was done, and at its end.
class ReportBoard {
public:
    // The songs, not started; path "" writes nothing.
    ReportBoard(const QStringList &songs, QString path);

    // Any thread.
    void set(qsizetype song, SongResult result);
    // The watching thread.
    void writeIfDue();
    // The watching thread: false when the report could not be written
    // (said on standard error).
    bool writeFinal();

private:
    std::mutex m_mutex; // m_results, m_changed
    QList<SongResult> m_results;
    bool m_changed = false;
    QString m_path;
    QElapsedTimer m_lastWrite;
};

// Writes a report where every song failed with the same error (nothing
// when path is ""); false when it cannot.
bool writeFailedReport(const QString &path, const QStringList &songs, const QString &error);

} // namespace melorit::cli
