#pragma once

#include "engine/Markers.h"

#include <cstddef>
#include <cstdint>

// Punch-in and punch-out: where a song opened with its markers starts, where
// its fade begins and where it stops, and the fade itself. The player sets
// them up for every song it opens, listened to or rendered.
namespace melorit::engine {

inline constexpr double kFadeLength = 0.3;  // seconds, at every song opening
inline constexpr double kFadeMargin = 0.01; // seconds of silence before the stop
inline constexpr int kFadeSampleRate = 44100;

struct PunchPlan {
    bool Seek = false;       // start at StartSeconds instead of 0
    double StartSeconds = 0; // stream seconds
    bool FadeOut = false;    // FadeStart at FadeSeconds, SongEnd at EndSeconds
    double FadeLength = kFadeLength;
    double FadeSeconds = 0;
    double EndSeconds = 0;
};

// The plan for a song of songLength stream seconds. A punch-in at or beyond
// the length is ignored; a punch-out of 0, at or before the punch-in or at
// or beyond the length is ignored; an end within FadeLength + FadeMargin of
// the song's end shortens the fade to what is left before the margin.
PunchPlan planPunch(const Markers &markers, double songLength, double fadeLength = kFadeLength,
                    double fadeMargin = kFadeMargin);

// Times typed by the user are at the song's own tempo; the stored marker is
// in stream seconds at the user's tempo factor.
double punchTimeToStore(double typedSeconds, double tempoRatio);
// The time proposed in the entry dialog: the stream's position when a song
// is open, otherwise the stored time at the song's own tempo.
double punchTimeToPropose(bool songOpen, double streamSeconds, double storedSeconds,
                          double tempoRatio);

// The linear fade at the punch-out, applied to blocks of interleaved 16-bit
// stereo samples: the gain falls by one over the fade length, per sample
// value, then every later sample is silent. Runs on whichever thread pulls
// the stream; one instance per stream.
class FadeDsp {
public:
    // FadeStart: gain 1, falling to 0 over fadeLength seconds. A length of
    // 0 or less silences at once.
    void FadeStart(double fadeLength, int sampleRate = kFadeSampleRate);
    // FadeDSP: processes count sample values in place.
    void process(std::int16_t *samples, std::size_t count);

    bool running() const { return m_step != 0; }
    bool silent() const { return m_gain == 0; }
    double gain() const { return m_gain; }
    double step() const { return m_step; }

private:
    double m_gain = 1.0;
    double m_step = 0.0;
};

} // namespace melorit::engine
