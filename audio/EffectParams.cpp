#include "audio/EffectParams.h"

#include <algorithm>

namespace melorit::audio {

namespace {

// Each parameter drives the FluidSynth 2.3 setting closest in meaning.
// FluidSynth's reverb has room size, damping, width and level; its chorus has
// voices, level, speed and depth. What has no setting of its own there acts
// through the nearest one, always in the direction its name promises:
//
//   32 reverb time       room size (FluidSynth's decay time)      longer tail
//   33 reverb delay      width: there is no pre-delay; the gap    wider reverb
//                        before the reverb is heard as space
//   34 reverb low cut    the reverb level, down to half: a low    less reverb
//                        cut takes energy out of the reverb
//   35 reverb high cut   damping = 1 - cut: a higher cut-off      brighter tail
//                        keeps more of the highs
//   36 reverb level      level                                    more reverb
//   37 chorus delay      depth: FluidSynth centres its delay      more swing
//   38 chorus depth        line on the depth, so both lengthen it
//   39 chorus rate       speed                                    faster swing
//   40 chorus feedback   the chorus level times the loop gain     stronger
//                        1 / (1 - g): there is no feedback path;    chorus
//                        fed back, the delayed copies add up to
//                        that. The voices stay FluidSynth's three,
//                        so no feedback is a plain chorus, not none.
//   41 chorus level      level                                    more chorus
//   42 chorus to reverb  added to the reverb level                more reverb
constexpr std::array<std::int32_t, kEffectEventCount> kMaximum{
    10000, // 32 reverb time
    10000, // 33 reverb delay
    10000, // 34 reverb low cut
    10000, // 35 reverb high cut
    1000,  // 36 reverb level
    10000, // 37 chorus delay
    10000, // 38 chorus depth
    10000, // 39 chorus rate
    200,   // 40 chorus feedback
    1000,  // 41 chorus level
    1000,  // 42 chorus to reverb
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
    0,     // no feedback
    200,   // level 2.0
    0,     // no chorus sent to the reverb
};

constexpr double kMaxDepthMsEach = 20.0;
constexpr double kMinSpeedHz = 0.1;
constexpr double kMaxSpeedHz = 5.0;
constexpr int kChorusVoices = 3;
// The loop gain at full feedback: the chorus up to four times as strong.
constexpr double kMaxFeedbackGain = 0.75;
constexpr double kMaxChorusLevel = 10.0; // FluidSynth's limit

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
    c.voices = kChorusVoices;
    const double loopGain = 1.0 / (1.0 - kMaxFeedbackGain * v(MidiEvent::ChorusFeedback));
    c.level = std::min(v(MidiEvent::ChorusLevel) * kMaxChorusLevel * loopGain, kMaxChorusLevel);
    c.speedHz = kMinSpeedHz + v(MidiEvent::ChorusRate) * (kMaxSpeedHz - kMinSpeedHz);
    c.depthMs = (v(MidiEvent::ChorusDelay) + v(MidiEvent::ChorusDepth)) * kMaxDepthMsEach;
    return c;
}

} // namespace melorit::audio
