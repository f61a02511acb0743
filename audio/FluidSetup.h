#pragma once

// The FluidSynth settings every synthesizer of the library is made with.
// Internal to the library.

typedef struct _fluid_hashtable_t fluid_settings_t;

namespace melorit::audio::detail {

enum class SynthRole {
    Stream, // renders a stream: reverb, chorus, full polyphony
    Keeper, // holds a SoundFont's samples and never plays
};

// New settings for one synthesizer (each synthesizer owns its settings).
fluid_settings_t *newFluidSettings(SynthRole role);

} // namespace melorit::audio::detail
