#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace melorit::scoring {

// The singer's pitch at one instant: a MIDI key with cents as a fraction
// (69 = A 440 Hz); voiced is false for silence, noise and breath.
struct PitchFrame {
    std::uint64_t sample = 0; // the sample the analysis window is centred on
    float key = 0;
    float confidence = 0;
    bool voiced = false;
};

// Follows the fundamental of a mono voice with aubio's YIN detector (its
// spectral form, "yinfast"; aubio 0.4's "yinfft" reports no confidence):
// one frame every 10 ms over a window of about 46 ms, voiced only when the
// detector is confident and the input is neither silent nor far below the
// loudest of the last seconds (an accompaniment leaking into the microphone
// between phrases). Not for the audio thread (it allocates when created);
// one thread at a time.
class PitchTracker {
public:
    static constexpr double kHopSeconds = 0.010;
    static constexpr float kMinConfidence = 0.7f;
    static constexpr float kSilenceDb = -70.0f;
    // Below the recent peak level by this much is not the singer.
    static constexpr float kBelowPeakDb = 40.0f;
    static constexpr float kPeakFallDbPerSecond = 5.0f;

    explicit PitchTracker(int sampleRate);
    ~PitchTracker();
    PitchTracker(const PitchTracker &) = delete;
    PitchTracker &operator=(const PitchTracker &) = delete;

    int sampleRate() const { return m_rate; }
    int hopSize() const { return m_hop; }
    int windowSize() const { return m_window; }

    // Feeds samples (-1..1); each completed hop gives a frame to `frame`.
    void push(std::span<const float> samples, const std::function<void(const PitchFrame &)> &frame);
    // Samples fed so far.
    std::uint64_t samplesFed() const { return m_fed; }

private:
    struct Aubio;
    PitchFrame analyseHop();
    // Whether the current hop is loud enough to be the singer.
    bool loudEnough();

    int m_rate;
    int m_hop;
    int m_window;
    std::unique_ptr<Aubio> m_aubio;
    std::vector<float> m_pending; // the current hop, filling
    std::uint64_t m_fed = 0;
    std::uint64_t m_hops = 0;
    float m_peakDb = kSilenceDb;
};

} // namespace melorit::scoring
