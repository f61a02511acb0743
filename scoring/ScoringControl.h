#pragma once

#include "scoring/PitchLane.h"
#include "scoring/ScoringHost.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <memory>

namespace melorit::scoring {

class LiveScoring;

// Scoring the singer while a song plays, when the options ask for it: the
// player's announcements start, move and end a LiveScoring, a 10 ms timer
// polls it and redraws the pitch lane, which the lyrics window shows under
// the lyrics. At the song's end the last captured frames are awaited
// briefly, the score is shown and, for a song heard whole, kept in its
// ".mst" when it is the best. A song that cannot be scored says why in the
// lane; a microphone that cannot be opened is reported once per run. UI
// thread.
class ScoringControl : public QObject {
    Q_OBJECT
public:
    static constexpr int kTimerIntervalMs = 10;
    static constexpr int kFinishWaitMs = 500;

    explicit ScoringControl(ScoringHost host, QObject *parent = nullptr);
    ~ScoringControl() override;

    // The lane, for the lyrics window to show; it may be deleted with that
    // window.
    PitchLane *lane() const { return m_lane; }
    const LiveScoring *session() const { return m_session.get(); }
    bool scoring() const { return m_phase != Phase::Idle; }

    void songStarting();
    void songJumped();
    void songFinished();
    void songStopped();
    // The options changed: scoring turned off stops at once; turned on it
    // starts with the next song.
    void settingsChanged();
    void LoadLanguage();
    // Shutdown: the microphone is closed.
    void unload();

    // One tick of the timer.
    void tick();

private:
    enum class Phase { Idle, Singing, Finishing };

    QString text(QLatin1StringView key) const;
    bool startSession(const MelodyTarget &target);
    void finish();
    void abandon();
    void showLane(bool shown);

    ScoringHost m_host;
    QPointer<PitchLane> m_lane;
    QTimer m_timer;
    std::unique_ptr<LiveScoring> m_session;
    Phase m_phase = Phase::Idle;
    std::int64_t m_finishNs = 0;
    bool m_warnedNoDevice = false;
};

} // namespace melorit::scoring
