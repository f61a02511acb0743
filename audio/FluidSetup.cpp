#include "audio/FluidSetup.h"

#include "audio/Diagnostics.h"
#include "audio/Format.h"

#include <fluidsynth.h>

namespace melorit::audio::detail {

fluid_settings_t *newFluidSettings(SynthRole role)
{
    ensureFluidLogRouted();
    fluid_settings_t *settings = new_fluid_settings();
    if (!settings) {
        return nullptr;
    }
    fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
    fluid_settings_setint(settings, "synth.midi-channels", kMidiChannels);
    fluid_settings_setint(settings, "synth.audio-channels", 1);
    // Every sample of a font is loaded with the font: loading on demand would
    // read the disk inside the rendering, at the first note of each preset.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 0);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    // A synthesizer is only ever used by the thread that renders it, so the
    // API lock would be pure overhead.
    fluid_settings_setint(settings, "synth.threadsafe-api", 0);
    const bool stream = role == SynthRole::Stream;
    fluid_settings_setint(settings, "synth.reverb.active", stream ? 1 : 0);
    fluid_settings_setint(settings, "synth.chorus.active", stream ? 1 : 0);
    fluid_settings_setint(settings, "synth.polyphony", stream ? 256 : 1);
    return settings;
}

} // namespace melorit::audio::detail
