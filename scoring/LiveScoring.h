#pragma once

#include "scoring/ScoreCard.h"
#include "scoring/SongClock.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace melorit::audio {
class Capture;
} // namespace melorit::audio

namespace melorit::scoring {

// A moment of the singer's pitch, for the pitch lane.
struct TrailPoint {
    double tick = 0;
    float key = 0; // the sung key when voiced
    bool voiced = false;
    bool hit = false;
};

// Singing along with a song that plays: the microphone's samples are
// tracked and scored as they come. Each pitch frame is timed by the
// capture's own sample clock, anchored to the steady clock by the earliest
// arrival of its blocks (a block can arrive late, never early), less the
// user's latency offset; the song's heard position at that moment (noted at
// each poll, SongClock) tells which note it was sung against. The heard
// position already allows for the output's latency. Polled by the UI
// thread, never the audio thread.
class LiveScoring {
public:
    static constexpr std::size_t kTrailPoints = 800; // 8 s of frames

    LiveScoring(const MelodyTarget &target, int toleranceCents, int offsetMs,
                std::unique_ptr<audio::Capture> capture);
    ~LiveScoring();
    LiveScoring(const LiveScoring &) = delete;
    LiveScoring &operator=(const LiveScoring &) = delete;

    // Notes the tick heard now (nothing once the song has stopped), then
    // tracks and scores what was captured since the last poll. The
    // transposition is the one the song plays at now.
    void poll(std::int64_t nowNs, std::optional<double> heardTick, int transpose);
    // The song jumped: what was heard before no longer leads to what is
    // heard now, and the take no longer covers the whole song.
    void jumped();
    bool whole() const { return m_whole; }
    // Closes the microphone; the scores stay.
    void stopCapture();
    // Whether the frames sung up to a moment have all been scored (the last
    // ones arrive a block or so after they were sung).
    bool caughtUpTo(std::int64_t ns) const { return m_lastFrameNs >= ns; }

    const ScoreCard &card() const { return m_card; }
    const MelodyTarget &target() const { return m_card.target(); }
    const std::deque<TrailPoint> &trail() const { return m_trail; }
    // The tick heard at the last poll, and the one the last scored frame
    // was sung at.
    double heardTick() const { return m_heard; }
    double scoredTick() const { return m_scored; }
    // How much later than it is sung a sample reaches the tracker at best:
    // one capture block.
    int captureLatencyMs() const;
    // When the capture's first sample came in, on the steady clock (ns);
    // nothing before its first block.
    std::optional<std::int64_t> captureStartNs() const { return m_anchorNs; }

private:
    void takeCaptured();
    void track(std::span<const float> samples);
    void scoreFrame(const PitchFrame &frame);
    std::int64_t frameNs(std::uint64_t sample) const;

    std::unique_ptr<audio::Capture> m_capture;
    PitchTracker m_tracker;
    ScoreCard m_card;
    SongClock m_clock;
    std::deque<TrailPoint> m_trail;
    std::vector<float> m_buffer;
    std::uint64_t m_fed = 0;                // capture frames given to the tracker
    std::optional<std::int64_t> m_anchorNs; // steady time of capture frame 0
    std::int64_t m_offsetNs = 0;
    std::int64_t m_lastFrameNs = 0;
    double m_heard = 0;
    double m_scored = 0;
    bool m_whole = true;
};

} // namespace melorit::scoring
