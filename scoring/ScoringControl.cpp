#include "scoring/ScoringControl.h"

#include "audio/Capture.h"
#include "base/Language.h"
#include "scoring/LiveScoring.h"
#include "scoring/PitchLane.h"
#include "scoring/ScoreKeys.h"
#include "scoring/ScoreSettings.h"

#include <chrono>

namespace melorit::scoring {
namespace {

std::int64_t steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QLatin1StringView problemKey(MelodyTarget::Problem problem)
{
    return problem == MelodyTarget::Problem::NoLyrics ? keys::kNoLyricsText : keys::kNoMelodyText;
}

} // namespace

ScoringControl::ScoringControl(ScoringHost host, QObject *parent)
    : QObject(parent), m_host(std::move(host)), m_lane(new PitchLane)
{
    m_lane->hide();
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kTimerIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ScoringControl::tick);
    LoadLanguage();
}

ScoringControl::~ScoringControl()
{
    unload();
    if (m_lane && !m_lane->parent()) {
        delete m_lane.data();
    }
}

QString ScoringControl::text(QLatin1StringView key) const
{
    const QString file = m_host.languageFile ? m_host.languageFile() : QString();
    return languageText(file, keys::kTextSection, key);
}

void ScoringControl::LoadLanguage()
{
    if (!m_lane) {
        return;
    }
    LaneTexts texts;
    texts.song = text(keys::kSongScoreText);
    texts.best = text(keys::kBestScoreText);
    texts.line = text(keys::kLineScoreText);
    texts.listening = text(keys::kListeningText);
    m_lane->setTexts(texts);
}

void ScoringControl::showLane(bool shown)
{
    if (m_lane) {
        m_lane->setVisible(shown);
    }
}

void ScoringControl::songStarting()
{
    abandon();
    if (!ScoreSettings::read(m_host.configFile).enabled) {
        showLane(false);
        return;
    }
    const std::optional<MelodyTarget> target = m_host.target ? m_host.target() : std::nullopt;
    if (!target) {
        return;
    }
    if (target->problem() != MelodyTarget::Problem::None) {
        if (m_lane) {
            m_lane->showMessage(text(problemKey(target->problem())));
        }
        showLane(true);
        return;
    }
    showLane(startSession(*target));
}

bool ScoringControl::startSession(const MelodyTarget &target)
{
    const ScoreSettings settings = ScoreSettings::read(m_host.configFile);
    std::unique_ptr<audio::Capture> capture = audio::Capture::open(settings.device.toStdString());
    if (!capture) {
        const QString device =
            settings.device.isEmpty() ? text(keys::kDefaultDeviceText) : settings.device;
        const QString message = text(keys::kNoDeviceText).replace(QStringLiteral("%1"), device);
        if (m_lane) {
            m_lane->showMessage(message);
        }
        if (!m_warnedNoDevice && m_host.warn) {
            m_warnedNoDevice = true;
            // Once the song has started: a message box waits for the user.
            QTimer::singleShot(0, this, [this, message] { m_host.warn(message); });
        }
        return true;
    }
    m_session = std::make_unique<LiveScoring>(target, settings.toleranceCents, settings.offsetMs,
                                              std::move(capture));
    const int latency =
        m_session->captureLatencyMs() + (m_host.outputLatencyMs ? m_host.outputLatencyMs() : 0);
    if (m_lane) {
        m_lane->showSession(m_session.get(), latency);
    }
    m_phase = Phase::Singing;
    m_timer.start();
    return true;
}

void ScoringControl::tick()
{
    if (!m_session) {
        m_timer.stop();
        return;
    }
    const std::int64_t now = steadyNs();
    const std::optional<double> heard =
        m_phase == Phase::Singing && m_host.heardTick ? m_host.heardTick() : std::nullopt;
    m_session->poll(now, heard, m_host.transpose ? m_host.transpose() : 0);
    if (m_phase == Phase::Finishing &&
        (m_session->caughtUpTo(m_finishNs) ||
         now - m_finishNs > std::int64_t{kFinishWaitMs} * 1'000'000)) {
        finish();
    }
    if (m_lane) {
        m_lane->update();
    }
}

void ScoringControl::songJumped()
{
    if (m_session && m_phase == Phase::Singing) {
        m_session->jumped();
    }
}

void ScoringControl::songFinished()
{
    if (m_phase != Phase::Singing) {
        return;
    }
    m_phase = Phase::Finishing;
    m_finishNs = steadyNs();
}

void ScoringControl::finish()
{
    m_timer.stop();
    m_phase = Phase::Idle;
    const std::optional<int> score = m_session->card().songScore();
    const QString settings = m_host.songSettingsFile ? m_host.songSettingsFile() : QString();
    std::optional<int> best = readBestScore(settings);
    // Only a song heard whole competes for the best score.
    if (score && m_session->whole()) {
        best = keepBestScore(settings, *score);
    }
    m_session->stopCapture();
    if (m_lane) {
        m_lane->showResult(score, best);
    }
}

void ScoringControl::songStopped()
{
    // A song ended is finished first; what stops it afterwards (the next
    // song) leaves its score on show until then.
    if (m_phase == Phase::Finishing) {
        finish();
        return;
    }
    if (m_phase == Phase::Singing) {
        abandon();
        showLane(false);
    }
}

void ScoringControl::abandon()
{
    m_timer.stop();
    m_phase = Phase::Idle;
    if (m_lane) {
        m_lane->clear();
    }
    m_session.reset();
}

void ScoringControl::settingsChanged()
{
    if (!ScoreSettings::read(m_host.configFile).enabled) {
        abandon();
        showLane(false);
    }
}

void ScoringControl::unload()
{
    abandon();
}

} // namespace melorit::scoring
