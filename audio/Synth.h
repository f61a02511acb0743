#pragma once

#include "audio/EffectParams.h"
#include "audio/MidiState.h"

#include <cstdint>
#include <memory>
#include <span>

typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_hashtable_t fluid_settings_t;

namespace melorit::audio {

class SoundFont;

// One FluidSynth synthesizer as a stream uses it: MIDI in, float audio out,
// plus the per-channel attenuation and the global gain the mixer works with.
// Only the thread that renders it may call it. Internal to the library.
class Synth {
public:
    // FluidSynth's output gain (its own default), before font volume and mix.
    static constexpr double kBaseGain = 0.2;

    // A synthesizer with the font's presets (none: it stays silent). nullptr
    // when FluidSynth cannot create one.
    static std::unique_ptr<Synth> create(const SoundFont *font);
    ~Synth();
    Synth(const Synth &) = delete;
    Synth &operator=(const Synth &) = delete;

    void noteOn(int channel, int key, int velocity);
    void noteOff(int channel, int key);
    // Controller 0 selects the bank (GS style: the MSB alone); 32 is ignored.
    void controlChange(int channel, int number, int value);
    void programChange(int channel, int program);
    void setBank(int channel, int bank);
    void pitchBend(int channel, int value);
    void pitchRange(int channel, int semitones);
    void channelPressure(int channel, int value);
    void keyPressure(int channel, int key, int value);
    // Switches a channel between the melodic banks and the drum bank and
    // selects its program again from the new bank.
    void setDrums(int channel, bool drums, int program);
    // A complete message, F0 to F7.
    void sysex(std::span<const std::uint8_t> message);

    // Releases every note: sustain pedal up, then all notes off, on every channel.
    void releaseAll();
    // Stops every voice at once and clears the effects: the state of a
    // synthesizer just switched on.
    void reset();
    // Brings a reset synthesizer to the given channel state.
    void applyState(const MidiState &state);

    void setChannelAttenuation(int channel, double centibels);
    void setGain(double gain);
    void setEffects(const EffectParams &params);

    void render(float *left, float *right, int frames);
    // Renders and drops what is left of FluidSynth's current internal block,
    // so that the next frame rendered starts a block made after this call.
    void discardPartialBlock(float *left, float *right);
    int activeVoices() const;

private:
    Synth() = default;
    void applyChannel(int channel, const ChannelValues &values);

    fluid_settings_t *m_settings = nullptr;
    fluid_synth_t *m_synth = nullptr;
    std::uint64_t m_rendered = 0; // frames rendered since creation
};

} // namespace melorit::audio
