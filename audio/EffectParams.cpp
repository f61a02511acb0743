#include "audio/EffectParams.h"

#include <algorithm>
#include <cmath>

namespace melorit::audio {

namespace {

constexpr std::array<std::int32_t, kEffectEventCount> kMaximum{
    10000, // 32 reverb time      -> room size
    10000, // 33 reverb delay     -> stereo width
    10000, // 34 reverb low cut   -> part of the reverb level taken away
    10000, // 35 reverb high cut  -> damping (1 - value)
    1000,  // 36 reverb level     -> level
    10000, // 37 chorus delay     -> half of the modulation depth
    10000, // 38 chorus depth     -> the other half of the modulation depth
    10000, // 39 chorus rate      -> speed
    200,   // 40 chorus feedback  -> number of chorus voices
    1000,  // 41 chorus level     -> level
    1000,  // 42 chorus to reverb -> added to the reverb level
};

// FluidSynth 2.3's defaults written in the program's units.
constexpr std::array<std::int32_t, kEffectEventCount> kDefault{
    2000,  // room size 0.2
    5000,  // width 0.5
    0,     // nothing taken from the level
    10000, // damping 0
    900,   // level 0.9
    2000,  // depth 4 ms from the delay ...
    2000,  // ... and 4 ms from the depth: 8 ms
    408,   // speed 0.3 Hz
    6,     // 3 voices
    200,   // level 2.0
    0,     // no chorus sent to the reverb
};

constexpr double kMaxDepthMsEach = 20.0;
constexpr double kMinSpeedHz = 0.1;
constexpr double kMaxSpeedHz = 5.0;
constexpr double kMaxChorusVoices = 99.0;

double fraction(std::int32_t value, std::int32_t maximum)
{
    return static_cast<double>(value) / maximum;
}

} // namespace

EffectParams::EffectParams() : m_values(kDefault)
{
}

std::size_t EffectParams::slot(MidiEvent event)
{
    return static_cast<std::size_t>(event) - kFirstEffectEvent;
}

std::int32_t EffectParams::maximum(MidiEvent event)
{
    return isEffectEvent(event) ? kMaximum[slot(event)] : 0;
}

std::int32_t EffectParams::value(MidiEvent event) const
{
    return isEffectEvent(event) ? m_values[slot(event)] : -1;
}

bool EffectParams::set(MidiEvent event, std::int32_t value)
{
    if (!isEffectEvent(event)) {
        return false;
    }
    m_values[slot(event)] = std::clamp(value, 0, kMaximum[slot(event)]);
    return true;
}

ReverbSettings EffectParams::reverb() const
{
    auto v = [this](MidiEvent e) { return fraction(value(e), maximum(e)); };
    ReverbSettings r;
    r.roomSize = v(MidiEvent::ReverbTime);
    r.width = v(MidiEvent::ReverbDelay);
    r.damping = 1.0 - v(MidiEvent::ReverbHighCutoff);
    const double level = v(MidiEvent::ReverbLevel) * (1.0 - 0.5 * v(MidiEvent::ReverbLowCutoff)) +
                         0.25 * v(MidiEvent::ChorusReverb);
    r.level = std::min(level, 1.0);
    return r;
}

ChorusSettings EffectParams::chorus() const
{
    auto v = [this](MidiEvent e) { return fraction(value(e), maximum(e)); };
    ChorusSettings c;
    c.voices = static_cast<int>(std::lround(v(MidiEvent::ChorusFeedback) * kMaxChorusVoices));
    c.level = v(MidiEvent::ChorusLevel) * 10.0;
    c.speedHz = kMinSpeedHz + v(MidiEvent::ChorusRate) * (kMaxSpeedHz - kMinSpeedHz);
    c.depthMs = (v(MidiEvent::ChorusDelay) + v(MidiEvent::ChorusDepth)) * kMaxDepthMsEach;
    return c;
}

} // namespace melorit::audio
