#include "audio/Synth.h"

#include "audio/FluidSetup.h"
#include "audio/Format.h"
#include "audio/SoundFont.h"

#include <fluidsynth.h>

namespace melorit::audio {

namespace {

constexpr int kBankSelect = 0;
constexpr int kBankSelectLsb = 32;
constexpr int kDataEntry = 6;
constexpr int kDataEntryLsb = 38;
constexpr int kSustain = 64;
constexpr int kSostenuto = 66;
constexpr int kRpnLsb = 100;
constexpr int kRpnMsb = 101;
constexpr int kAllNotesOff = 123;

// Controllers whose value is state: not bank select, data entry, parameter
// selection or channel mode messages, which are actions.
bool isStateController(int number)
{
    return number != kBankSelect && number != kBankSelectLsb && number != kDataEntry &&
           number != kDataEntryLsb && !(number >= 96 && number <= 101) && number < 120;
}

} // namespace

std::unique_ptr<Synth> Synth::create(const SoundFont *font)
{
    std::unique_ptr<Synth> synth(new Synth);
    synth->m_settings = detail::newFluidSettings(detail::SynthRole::Stream);
    synth->m_synth = synth->m_settings ? new_fluid_synth(synth->m_settings) : nullptr;
    if (!synth->m_synth) {
        return nullptr;
    }
    fluid_synth_set_gain(synth->m_synth, static_cast<float>(kBaseGain));
    if (font) {
        // The samples come from FluidSynth's sample cache, filled by the font.
        fluid_synth_sfload(synth->m_synth, font->path().c_str(), 1);
    }
    return synth;
}

Synth::~Synth()
{
    if (m_synth) {
        delete_fluid_synth(m_synth);
    }
    if (m_settings) {
        delete_fluid_settings(m_settings);
    }
}

void Synth::noteOn(int channel, int key, int velocity)
{
    fluid_synth_noteon(m_synth, channel, key, velocity);
}

void Synth::noteOff(int channel, int key)
{
    fluid_synth_noteoff(m_synth, channel, key);
}

void Synth::controlChange(int channel, int number, int value)
{
    if (number == kBankSelect) {
        setBank(channel, value);
    } else if (number != kBankSelectLsb) {
        fluid_synth_cc(m_synth, channel, number, value);
    }
}

void Synth::programChange(int channel, int program)
{
    fluid_synth_program_change(m_synth, channel, program);
}

void Synth::setBank(int channel, int bank)
{
    fluid_synth_bank_select(m_synth, channel, bank);
}

void Synth::pitchBend(int channel, int value)
{
    fluid_synth_pitch_bend(m_synth, channel, value);
}

void Synth::pitchRange(int channel, int semitones)
{
    fluid_synth_pitch_wheel_sens(m_synth, channel, semitones);
}

void Synth::channelPressure(int channel, int value)
{
    fluid_synth_channel_pressure(m_synth, channel, value);
}

void Synth::keyPressure(int channel, int key, int value)
{
    fluid_synth_key_pressure(m_synth, channel, key, value);
}

void Synth::setDrums(int channel, bool drums, int program)
{
    fluid_synth_set_channel_type(m_synth, channel,
                                 drums ? CHANNEL_TYPE_DRUM : CHANNEL_TYPE_MELODIC);
    fluid_synth_program_change(m_synth, channel, program);
}

void Synth::sysex(std::span<const std::uint8_t> message)
{
    if (message.size() < 3) {
        return;
    }
    // FluidSynth takes the message without its F0 and F7.
    fluid_synth_sysex(m_synth, reinterpret_cast<const char *>(message.data() + 1),
                      static_cast<int>(message.size() - 2), nullptr, nullptr, nullptr, 0);
}

void Synth::releaseAll()
{
    for (int channel = 0; channel < kMidiChannels; ++channel) {
        fluid_synth_cc(m_synth, channel, kSustain, 0);
        fluid_synth_cc(m_synth, channel, kSostenuto, 0);
        fluid_synth_cc(m_synth, channel, kAllNotesOff, 0);
    }
}

void Synth::reset()
{
    fluid_synth_system_reset(m_synth);
    // The reset alone lets the voices ring on for a while.
    fluid_synth_all_sounds_off(m_synth, -1);
}

void Synth::applyState(const MidiState &state)
{
    for (int channel = 0; channel < kMidiChannels; ++channel) {
        applyChannel(channel, state.channel(channel));
    }
}

void Synth::applyChannel(int channel, const ChannelValues &values)
{
    fluid_synth_set_channel_type(m_synth, channel,
                                 values.drums ? CHANNEL_TYPE_DRUM : CHANNEL_TYPE_MELODIC);
    fluid_synth_bank_select(m_synth, channel, values.bank());
    fluid_synth_program_change(m_synth, channel, values.program);
    for (int number = 1; number < 120; ++number) {
        if (isStateController(number)) {
            fluid_synth_cc(m_synth, channel, number, values.cc[number]);
        }
    }
    fluid_synth_pitch_wheel_sens(m_synth, channel, values.pitchRange);
    fluid_synth_cc(m_synth, channel, kRpnMsb, 0);
    fluid_synth_cc(m_synth, channel, kRpnLsb, 1);
    fluid_synth_cc(m_synth, channel, kDataEntryLsb, values.fineTune & 0x7F);
    fluid_synth_cc(m_synth, channel, kDataEntry, values.fineTune >> 7);
    fluid_synth_cc(m_synth, channel, kRpnLsb, 2);
    fluid_synth_cc(m_synth, channel, kDataEntry, values.coarseTune);
    fluid_synth_cc(m_synth, channel, kRpnMsb, values.cc[kRpnMsb]);
    fluid_synth_cc(m_synth, channel, kRpnLsb, values.cc[kRpnLsb]);
    fluid_synth_pitch_bend(m_synth, channel, values.pitch);
    fluid_synth_channel_pressure(m_synth, channel, values.pressure);
}

void Synth::setChannelAttenuation(int channel, double centibels)
{
    fluid_synth_set_gen(m_synth, channel, GEN_ATTENUATION, static_cast<float>(centibels));
}

void Synth::setGain(double gain)
{
    fluid_synth_set_gain(m_synth, static_cast<float>(gain));
}

void Synth::setEffects(const EffectParams &params)
{
    const ReverbSettings r = params.reverb();
    fluid_synth_set_reverb_group_roomsize(m_synth, -1, r.roomSize);
    fluid_synth_set_reverb_group_damp(m_synth, -1, r.damping);
    fluid_synth_set_reverb_group_width(m_synth, -1, r.width);
    fluid_synth_set_reverb_group_level(m_synth, -1, r.level);
    const ChorusSettings c = params.chorus();
    fluid_synth_set_chorus_group_nr(m_synth, -1, c.voices);
    fluid_synth_set_chorus_group_level(m_synth, -1, c.level);
    fluid_synth_set_chorus_group_speed(m_synth, -1, c.speedHz);
    fluid_synth_set_chorus_group_depth(m_synth, -1, c.depthMs);
}

void Synth::render(float *left, float *right, int frames)
{
    fluid_synth_write_float(m_synth, frames, left, 0, 1, right, 0, 1);
    m_rendered += static_cast<std::uint64_t>(frames);
}

void Synth::discardPartialBlock(float *left, float *right)
{
    const auto rest = static_cast<int>((kSynthBlock - m_rendered % kSynthBlock) % kSynthBlock);
    if (rest > 0) {
        render(left, right, rest);
    }
}

int Synth::activeVoices() const
{
    return fluid_synth_get_active_voice_count(m_synth);
}

} // namespace melorit::audio
