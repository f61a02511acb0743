#include "audio/MidiState.h"

#include <algorithm>

namespace melorit::audio {

namespace {

bool matches(std::span<const std::uint8_t> message, std::initializer_list<int> pattern)
{
    if (message.size() != pattern.size()) {
        return false;
    }
    return std::equal(pattern.begin(), pattern.end(), message.begin(),
                      [](int p, std::uint8_t b) { return p < 0 || p == b; });
}

// GS part numbers: part 10 (the drum part) is 0x10, parts 1-9 are 0x11-0x19,
// parts 11-16 are 0x1A-0x1F.
int gsPartToChannel(int part)
{
    if (part == 0x10) {
        return 9;
    }
    if (part >= 0x11 && part <= 0x19) {
        return part - 0x11;
    }
    if (part >= 0x1A && part <= 0x1F) {
        return part - 0x10;
    }
    return -1;
}

} // namespace

void MidiState::reset()
{
    for (int ch = 0; ch < kMidiChannels; ++ch) {
        ChannelValues &c = m_channels[ch];
        c = ChannelValues{};
        c.cc.fill(0);
        c.cc[7] = 100;  // volume
        c.cc[10] = 64;  // pan
        c.cc[11] = 127; // expression
        for (int n = 70; n <= 79; ++n) {
            c.cc[n] = 64; // sound controllers: no change
        }
        c.cc[98] = c.cc[99] = c.cc[100] = c.cc[101] = 127; // no parameter selected
        c.drums = ch == 9;
    }
}

void MidiState::resetControllers(int channel)
{
    ChannelValues &c = m_channels[channel];
    c.pitch = 8192;
    c.pressure = 0;
    for (int n = 1; n < 120; ++n) {
        const bool kept =
            n == 7 || n == 10 || n == 32 || (n >= 91 && n <= 95) || (n >= 70 && n <= 79);
        if (!kept) {
            c.cc[n] = 0;
        }
    }
    c.cc[11] = 127;
    c.cc[98] = c.cc[99] = c.cc[100] = c.cc[101] = 127;
}

void MidiState::channelMessage(int status, int data1, int data2)
{
    ChannelValues &c = m_channels[status & 0x0F];
    switch (status & 0xF0) {
    case 0xB0:
        if (data1 == 121) {
            resetControllers(status & 0x0F);
            return;
        }
        if (data1 >= 120) {
            return; // channel mode messages hold no value
        }
        if (data1 == 6 || data1 == 38) {
            dataEntry(c, data1 == 6, data2);
        } else if (data1 == 98 || data1 == 99) {
            c.nrpnSelected = true;
        } else if (data1 == 100 || data1 == 101) {
            c.nrpnSelected = false;
        }
        c.cc[data1] = static_cast<std::uint8_t>(data2);
        return;
    case 0xC0:
        c.program = static_cast<std::uint8_t>(data1);
        return;
    case 0xD0:
        c.pressure = static_cast<std::uint8_t>(data1);
        return;
    case 0xE0:
        c.pitch = static_cast<std::uint16_t>(data1 | (data2 << 7));
        return;
    default:
        return;
    }
}

void MidiState::dataEntry(ChannelValues &c, bool msb, int value)
{
    if (c.nrpnSelected) {
        return;
    }
    switch (c.selectedRpn()) {
    case 0:
        if (msb) {
            c.pitchRange = static_cast<std::uint8_t>(value);
        } else {
            c.pitchRangeCents = static_cast<std::uint8_t>(value);
        }
        return;
    case 1:
        c.fineTune = static_cast<std::uint16_t>(msb ? (value << 7) | (c.fineTune & 0x7F)
                                                    : (c.fineTune & ~0x7F) | value);
        return;
    case 2:
        if (msb) {
            c.coarseTune = static_cast<std::uint8_t>(value);
        }
        return;
    default:
        return;
    }
}

MidiState::SysexEffect MidiState::sysex(std::span<const std::uint8_t> message, int *drumChannel,
                                        bool *drums)
{
    const bool gmOn = matches(message, {0xF0, 0x7E, -1, 0x09, 0x01, 0xF7}) ||
                      matches(message, {0xF0, 0x7E, -1, 0x09, 0x03, 0xF7});
    const bool gsReset =
        matches(message, {0xF0, 0x41, -1, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, -1, 0xF7});
    const bool xgReset = matches(message, {0xF0, 0x43, -1, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7});
    if (gmOn || gsReset || xgReset) {
        reset();
        return SysexEffect::Reset;
    }
    // GS "use for rhythm part": F0 41 dev 42 12 40 1x 15 mode sum F7.
    if (matches(message, {0xF0, 0x41, -1, 0x42, 0x12, 0x40, -1, 0x15, -1, -1, 0xF7})) {
        const int channel = gsPartToChannel(message[6]);
        if (channel >= 0) {
            const bool isDrums = message[8] != 0;
            m_channels[channel].drums = isDrums;
            if (drumChannel && drums) {
                *drumChannel = channel;
                *drums = isDrums;
            }
            return SysexEffect::DrumPart;
        }
    }
    return SysexEffect::None;
}

} // namespace melorit::audio
