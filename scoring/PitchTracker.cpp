#include "scoring/PitchTracker.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>

namespace melorit::scoring {
namespace {

// The smallest power of two covering about 46 ms: 2048 at 44100 Hz, which
// holds two periods of a low bass voice (60 Hz).
int windowFor(int rate)
{
    int window = 256;
    while (window < rate * 46 / 1000) {
        window *= 2;
    }
    return window;
}

} // namespace

struct PitchTracker::Aubio {
    aubio_pitch_t *pitch = nullptr;
    fvec_t *in = nullptr;
    fvec_t *out = nullptr;
    ~Aubio()
    {
        if (pitch) {
            del_aubio_pitch(pitch);
        }
        if (in) {
            del_fvec(in);
        }
        if (out) {
            del_fvec(out);
        }
    }
};

PitchTracker::PitchTracker(int sampleRate)
    : m_rate(std::max(sampleRate, 8000)),
      m_hop(static_cast<int>(std::lround(m_rate * kHopSeconds))), m_window(windowFor(m_rate)),
      m_aubio(std::make_unique<Aubio>())
{
    const auto hop = static_cast<uint_t>(m_hop);
    m_aubio->pitch =
        new_aubio_pitch("yinfast", static_cast<uint_t>(m_window), hop, static_cast<uint_t>(m_rate));
    m_aubio->in = new_fvec(hop);
    m_aubio->out = new_fvec(1);
    if (m_aubio->pitch) {
        aubio_pitch_set_unit(m_aubio->pitch, "midi");
        aubio_pitch_set_silence(m_aubio->pitch, kSilenceDb);
    }
    m_pending.reserve(static_cast<std::size_t>(m_hop));
}

PitchTracker::~PitchTracker() = default;

void PitchTracker::push(std::span<const float> samples,
                        const std::function<void(const PitchFrame &)> &frame)
{
    const auto hop = static_cast<std::size_t>(m_hop);
    while (!samples.empty()) {
        const std::size_t take = std::min(hop - m_pending.size(), samples.size());
        m_pending.insert(m_pending.end(), samples.begin(),
                         samples.begin() + static_cast<std::ptrdiff_t>(take));
        samples = samples.subspan(take);
        m_fed += take;
        if (m_pending.size() == hop) {
            const PitchFrame f = analyseHop();
            m_pending.clear();
            if (frame) {
                frame(f);
            }
        }
    }
}

PitchFrame PitchTracker::analyseHop()
{
    ++m_hops;
    PitchFrame f;
    // The detector looks at the last window of input: its centre lies half a
    // window before the end of this hop (never before the first sample).
    const auto end = m_hops * static_cast<std::uint64_t>(m_hop);
    const auto half = static_cast<std::uint64_t>(m_window / 2);
    f.sample = end > half ? end - half : 0;
    if (!m_aubio->pitch) {
        return f;
    }
    std::copy(m_pending.begin(), m_pending.end(), m_aubio->in->data);
    aubio_pitch_do(m_aubio->pitch, m_aubio->in, m_aubio->out);
    f.key = m_aubio->out->data[0];
    f.confidence = aubio_pitch_get_confidence(m_aubio->pitch);
    const bool loud = loudEnough();
    f.voiced = loud && f.key > 0 && std::isfinite(f.key) && f.confidence >= kMinConfidence;
    return f;
}

bool PitchTracker::loudEnough()
{
    double energy = 0;
    for (const float v : m_pending) {
        energy += static_cast<double>(v) * v;
    }
    const auto level =
        static_cast<float>(10 * std::log10(energy / static_cast<double>(m_hop) + 1e-20));
    m_peakDb = std::max(level, m_peakDb - kPeakFallDbPerSecond * static_cast<float>(kHopSeconds));
    return level >= std::max(kSilenceDb, m_peakDb - kBelowPeakDb);
}

} // namespace melorit::scoring
