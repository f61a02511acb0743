#pragma once

#include "audio/Format.h"

#include <array>
#include <cstdint>
#include <span>

namespace melorit::audio {

// What one MIDI channel currently holds: controllers, program, bank, drum
// mode, pitch bend and the registered parameters that matter for playback.
struct ChannelValues {
    std::array<std::uint8_t, 128> cc{};
    std::uint8_t program = 0;
    bool drums = false;
    std::uint16_t pitch = 8192;
    std::uint8_t pressure = 0;
    // Registered parameters, from data entry while RPN 0, 1 or 2 is selected.
    std::uint8_t pitchRange = 2;      // semitones
    std::uint8_t pitchRangeCents = 0; // data entry LSB
    std::uint16_t fineTune = 8192;    // 14 bits, 8192 = none
    std::uint8_t coarseTune = 64;     // semitones + 64
    bool nrpnSelected = false;        // data entry goes to an NRPN, not an RPN

    std::uint8_t bank() const { return cc[0]; }
    int selectedRpn() const { return (cc[101] << 7) | cc[100]; }
};

// The state of the sixteen channels as the song and the program set it. It
// mirrors what is sent to the synthesizer, so that the current values can be
// read back and so that a seek can rebuild the state at any point of the song
// by replaying the events before it, without sound.
class MidiState {
public:
    MidiState() { reset(); }

    // The state of a synthesizer just switched on (channel 9 plays drums).
    void reset();
    // Controller 121: the controllers a "reset all controllers" clears.
    void resetControllers(int channel);

    void channelMessage(int status, int data1, int data2);
    void setDrums(int channel, bool drums) { m_channels[channel].drums = drums; }

    // A system exclusive message, F0 to F7. Returns what it did.
    enum class SysexEffect { None, Reset, DrumPart };
    SysexEffect sysex(std::span<const std::uint8_t> message, int *drumChannel = nullptr,
                      bool *drums = nullptr);

    const ChannelValues &channel(int channel) const { return m_channels[channel]; }

private:
    void dataEntry(ChannelValues &c, bool msb, int value);

    std::array<ChannelValues, kMidiChannels> m_channels;
};

} // namespace melorit::audio
