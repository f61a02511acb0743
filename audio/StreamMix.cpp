// The stream's mix: the per-channel levels, the font's and the stream's
// volume, the effects and the font itself.

#include "audio/StreamEngine.h"

#include "audio/Error.h"

#include <algorithm>
#include <cmath>

namespace melorit::audio {

namespace {
constexpr double kSilentCentibels = 1440; // FluidSynth's largest attenuation: nothing left
} // namespace

// Mix levels: the loudest channel sets the synthesizer's gain and every other
// channel is attenuated from there, so that levels above 100 really raise the
// amplitude (FluidSynth cannot attenuate a voice below 0 cB) and 0 leaves
// nothing, the reverb and chorus sends included.
void StreamEngine::applyMix()
{
    m_maxMixLevel = *std::max_element(m_mixLevel.begin(), m_mixLevel.end());
    m_appliedVolume = (m_font ? m_font->volume() : 1.0f) * m_volume.load(std::memory_order_relaxed);
    const double volume = m_appliedVolume;
    const double top = m_maxMixLevel > 0 ? m_maxMixLevel : 100;
    m_synth->setGain(Synth::kBaseGain * volume * top / 100.0);
    for (int channel = 0; channel < kMidiChannels; ++channel) {
        applyAttenuation(channel);
    }
}

void StreamEngine::applyAttenuation(int channel)
{
    const int level = m_mixLevel[channel];
    const double centibels =
        level <= 0 ? kSilentCentibels : -200.0 * std::log10(double(level) / m_maxMixLevel);
    m_synth->setChannelAttenuation(channel, centibels);
}

void StreamEngine::applyEverything()
{
    applyMix();
    m_synth->setEffects(m_effects);
}

void StreamEngine::followFontVolume()
{
    const float volume =
        (m_font ? m_font->volume() : 1.0f) * m_volume.load(std::memory_order_relaxed);
    if (volume != m_appliedVolume) {
        applyMix();
    }
}

bool StreamEngine::setFont(std::shared_ptr<SoundFont> font)
{
    ensureChased();
    auto synth = Synth::create(font.get());
    if (!synth) {
        return detail::fail(Error::Mem);
    }
    synth->applyState(m_state);
    m_synth = std::move(synth);
    m_font = std::move(font);
    for (int channel = 0; channel < kMidiChannels; ++channel) {
        forgetHeldNotes(channel);
    }
    applyEverything();
    return detail::succeed();
}

} // namespace melorit::audio
