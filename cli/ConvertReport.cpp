#include "cli/ConvertReport.h"

#include "base/AtomicFile.h"
#include "cli/Console.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace melorit::cli {
namespace {

// Milliseconds are enough, and keep the file readable.
constexpr qint64 kWriteIntervalMs = 1000;

double rounded(double seconds)
{
    return std::round(seconds * 1000.0) / 1000.0;
}

double hundredths(double value)
{
    return std::isfinite(value) ? std::round(value * 100.0) / 100.0 : -999.0;
}

QJsonObject loudnessJson(const audio::LoudnessGain &g)
{
    return QJsonObject{{QStringLiteral("targetLufs"), hundredths(g.targetLufs)},
                       {QStringLiteral("measuredLufs"), hundredths(g.measuredLufs)},
                       {QStringLiteral("truePeakDbtp"), hundredths(g.measuredPeak)},
                       {QStringLiteral("gainDb"), hundredths(g.gainDb)},
                       {QStringLiteral("lufs"), hundredths(g.resultLufs())},
                       {QStringLiteral("held"), g.held},
                       {QStringLiteral("silent"), g.silent}};
}

} // namespace

QByteArray reportJson(const QList<SongResult> &results)
{
    QJsonArray songs;
    QJsonObject counts;
    for (const SongResult &r : results) {
        QJsonObject song{{QStringLiteral("input"), r.input},
                         {QStringLiteral("outputs"), QJsonArray::fromStringList(r.outputs)},
                         {QStringLiteral("audioSeconds"), rounded(r.audioSeconds)},
                         {QStringLiteral("wallSeconds"), rounded(r.wallSeconds)},
                         {QStringLiteral("status"), r.status},
                         {QStringLiteral("error"), r.error}};
        if (r.loudness) {
            song.insert(QStringLiteral("loudness"), loudnessJson(*r.loudness));
        }
        songs.append(song);
        counts[r.status] = counts.value(r.status).toInt() + 1;
    }
    return QJsonDocument(
               QJsonObject{{QStringLiteral("songs"), songs}, {QStringLiteral("counts"), counts}})
        .toJson(QJsonDocument::Indented);
}

bool writeReport(const QString &path, const QList<SongResult> &results)
{
    return writeFileAtomically(path, reportJson(results));
}

ReportBoard::ReportBoard(const QStringList &songs, QString path) : m_path(std::move(path))
{
    for (const QString &song : songs) {
        SongResult result;
        result.input = song;
        m_results.append(result);
    }
    m_lastWrite.start();
}

void ReportBoard::set(qsizetype song, SongResult result)
{
    std::lock_guard lock(m_mutex);
    m_results[song] = std::move(result);
    m_changed = true;
}

void ReportBoard::writeIfDue()
{
    if (m_path.isEmpty() || m_lastWrite.elapsed() < kWriteIntervalMs) {
        return;
    }
    std::unique_lock lock(m_mutex);
    if (!m_changed) {
        return;
    }
    const QList<SongResult> results = m_results;
    m_changed = false;
    lock.unlock();
    m_lastWrite.restart();
    writeReport(m_path, results);
}

bool ReportBoard::writeFinal()
{
    if (m_path.isEmpty()) {
        return true;
    }
    std::unique_lock lock(m_mutex);
    const QList<SongResult> results = m_results;
    lock.unlock();
    if (!writeReport(m_path, results)) {
        reportError(m_path + QStringLiteral(": cannot write the report"));
        return false;
    }
    return true;
}

bool writeFailedReport(const QString &path, const QStringList &songs, const QString &error)
{
    if (path.isEmpty()) {
        return true;
    }
    QList<SongResult> results;
    for (const QString &song : songs) {
        results.append({song, {}, 0, 0, QStringLiteral("failed"), error, std::nullopt});
    }
    if (!writeReport(path, results)) {
        reportError(path + QStringLiteral(": cannot write the report"));
        return false;
    }
    return true;
}

} // namespace melorit::cli
