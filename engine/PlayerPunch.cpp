#include "engine/PlayerPunch.h"

#include "base/TextUtil.h"

#include <algorithm>

namespace melorit::engine {

PunchPlan planPunch(const Markers &markers, double songLength, double fadeLength, double fadeMargin)
{
    PunchPlan plan;
    plan.FadeLength = fadeLength;
    if (!markers.PunchActive) {
        return plan;
    }
    if (markers.PunchIn > 0 && markers.PunchIn < songLength) {
        plan.Seek = true;
        plan.StartSeconds = markers.PunchIn;
    }
    const double out = markers.PunchOut;
    if (out > 0 && out > markers.PunchIn && out < songLength) {
        if (songLength - plan.FadeLength - fadeMargin < out) {
            plan.FadeLength = songLength - out - fadeMargin;
        }
        plan.FadeOut = true;
        plan.FadeSeconds = out;
        plan.EndSeconds = out + plan.FadeLength + fadeMargin;
    }
    return plan;
}

double punchTimeToStore(double typedSeconds, double tempoRatio)
{
    return typedSeconds * tempoRatio;
}

double punchTimeToPropose(bool songOpen, double streamSeconds, double storedSeconds,
                          double tempoRatio)
{
    if (songOpen) {
        return streamSeconds;
    }
    return tempoRatio > 0 ? storedSeconds / tempoRatio : storedSeconds;
}

void FadeDsp::FadeStart(double fadeLength, int sampleRate)
{
    if (!(fadeLength > 0) || sampleRate <= 0) {
        // Nothing left to fade over: the end is silent from here.
        m_gain = 0.0;
        m_step = 0.0;
        return;
    }
    m_gain = 1.0;
    m_step = (-1.0 / fadeLength) / sampleRate / 2;
}

void FadeDsp::process(std::int16_t *samples, std::size_t count)
{
    std::size_t i = 0;
    if (m_step != 0) {
        while (i < count) {
            const double scaled = text::roundHalfEven(samples[i] * m_gain);
            samples[i] = static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
            m_gain += m_step;
            if (m_gain * m_step < 0) {
                ++i;
                continue;
            }
            m_gain = m_step < 0 ? 0.0 : 1.0;
            m_step = 0.0;
            break;
        }
    }
    if (m_gain == 0) {
        std::fill(samples + i, samples + count, std::int16_t{0});
    }
}

} // namespace melorit::engine
