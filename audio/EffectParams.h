#pragma once

#include "audio/MidiEvent.h"

#include <array>
#include <cstdint>

namespace melorit::audio {

// FluidSynth's reverb and chorus settings.
struct ReverbSettings {
    double roomSize = 0;
    double damping = 0;
    double width = 0;
    double level = 0;
};

struct ChorusSettings {
    int voices = 0;
    double level = 0;
    double speedHz = 0;
    double depthMs = 0;
};

// The eleven global effect parameters (events 32-42) as the program sets
// them, and how they map onto FluidSynth's reverb and chorus (each onto the
// setting closest in meaning; the table is in EffectParams.cpp and
// audio/README.md). Each parameter has a range (0-10000, 0-1000 or 0-200);
// values are clamped to it. The defaults are FluidSynth's own settings, so a
// song sounds as FluidSynth plays it until the program changes a parameter.
class EffectParams {
public:
    EffectParams();

    static std::int32_t maximum(MidiEvent event);
    std::int32_t value(MidiEvent event) const;
    // Returns false for an event that is not one of the eleven.
    bool set(MidiEvent event, std::int32_t value);

    ReverbSettings reverb() const;
    ChorusSettings chorus() const;

private:
    static std::size_t slot(MidiEvent event);
    std::array<std::int32_t, kEffectEventCount> m_values{};
};

} // namespace melorit::audio
