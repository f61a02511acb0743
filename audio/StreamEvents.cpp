// The stream's events: the song's own, played by the sequencer with their
// syncs, and the program's, sent through sendEvent() without syncs. Both go
// through the same channel state, so the current values read back are what
// the synthesizer holds.

#include "audio/StreamEngine.h"

#include "audio/Error.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace melorit::audio {

namespace {

// Controllers that are events of their own: the song's are reported to event
// syncs as that event, and sendEvent() sends the event as that controller.
// The bank is reported as an event too but is sent and read as a whole bank
// number (MSB and LSB), not as controller 0.
struct ControllerEvent {
    int number;
    MidiEvent event;
};
constexpr std::array kControllerEvents{
    ControllerEvent{0, MidiEvent::Bank},        ControllerEvent{1, MidiEvent::Modulation},
    ControllerEvent{7, MidiEvent::Volume},      ControllerEvent{10, MidiEvent::Pan},
    ControllerEvent{11, MidiEvent::Expression}, ControllerEvent{64, MidiEvent::Sustain},
    ControllerEvent{91, MidiEvent::Reverb},     ControllerEvent{93, MidiEvent::Chorus},
    ControllerEvent{120, MidiEvent::SoundOff},  ControllerEvent{121, MidiEvent::Reset},
    ControllerEvent{123, MidiEvent::NotesOff},
};

// The event a controller number is reported as, for event syncs.
std::optional<MidiEvent> controllerEvent(int number)
{
    for (const ControllerEvent &entry : kControllerEvents) {
        if (entry.number == number) {
            return entry.event;
        }
    }
    return std::nullopt;
}

// The controller number an event is sent as, or -1.
int eventController(MidiEvent event)
{
    if (event == MidiEvent::Bank) {
        return -1;
    }
    for (const ControllerEvent &entry : kControllerEvents) {
        if (entry.event == event) {
            return entry.number;
        }
    }
    return -1;
}

// The largest parameter an event takes; the mode messages (120 and up) take
// any value and send 0.
std::uint32_t eventLimit(MidiEvent event)
{
    switch (event) {
    case MidiEvent::Tempo:
        return 0xFFFFFF;
    case MidiEvent::MixLevel:
    case MidiEvent::Transpose:
        return 200;
    case MidiEvent::Pitch:
        return 16383;
    case MidiEvent::Note:
        return 0x7F7F;
    default:
        return eventController(event) >= 120 ? ~0u : 127;
    }
}

// Events sendEvent() handles other than effects and controllers.
bool isOwnEvent(MidiEvent event)
{
    switch (event) {
    case MidiEvent::Tempo:
    case MidiEvent::MixLevel:
    case MidiEvent::Transpose:
    case MidiEvent::Note:
    case MidiEvent::Program:
    case MidiEvent::Bank:
    case MidiEvent::Drums:
    case MidiEvent::Pitch:
    case MidiEvent::PitchRange:
    case MidiEvent::ChannelPressure:
        return true;
    default:
        return false;
    }
}

// The value of an event that the channel state holds (controllers,
// program, bank, drum mode, pitch, pressure); nothing for other events.
std::optional<std::int32_t> stateValue(const ChannelValues &values, MidiEvent event)
{
    if (const int cc = eventController(event); cc >= 0 && cc < 120) {
        return values.cc[cc];
    }
    switch (event) {
    case MidiEvent::Program:
        return values.program;
    case MidiEvent::Bank:
        return values.bank();
    case MidiEvent::Drums:
        return values.drums ? 1 : 0;
    case MidiEvent::Pitch:
        return values.pitch;
    case MidiEvent::PitchRange:
        return values.pitchRange;
    case MidiEvent::ChannelPressure:
        return values.pressure;
    default:
        return std::nullopt;
    }
}

} // namespace

void StreamEngine::applySongEvent(const SongEvent &event)
{
    switch (event.kind) {
    case SongEvent::Kind::Channel:
        applySongChannelMessage(event);
        return;
    case SongEvent::Kind::Tempo:
        m_timeline.changeTempo(event.tick, event.value);
        m_syncs.fireEvent(MidiEvent::Tempo, 0, event.value);
        return;
    case SongEvent::Kind::Mark:
        m_syncs.fireMark(static_cast<MarkType>(event.status), event.value);
        return;
    case SongEvent::Kind::Sysex:
        applySysex(m_file->sysex(event.value));
        return;
    case SongEvent::Kind::EndOfTrack:
        return;
    }
}

void StreamEngine::applySongChannelMessage(const SongEvent &event)
{
    const int channel = event.channel();
    switch (event.command()) {
    case 0x80:
        noteOff(channel, event.data1);
        m_syncs.fireEvent(MidiEvent::Note, channel, event.data1);
        return;
    case 0x90:
        noteOn(channel, event.data1, event.data2);
        m_syncs.fireEvent(MidiEvent::Note, channel, event.data1 | (event.data2 << 8));
        return;
    case 0xA0:
        if (m_heldKey[channel][event.data1] >= 0) {
            m_synth->keyPressure(channel, m_heldKey[channel][event.data1], event.data2);
        }
        return;
    case 0xB0:
        m_songState.channelMessage(event.status, event.data1, event.data2);
        controller(channel, event.data1, event.data2);
        if (auto reported = controllerEvent(event.data1)) {
            m_syncs.fireEvent(*reported, channel, event.data2);
        }
        return;
    case 0xC0:
        m_state.channelMessage(event.status, event.data1, 0);
        m_songState.channelMessage(event.status, event.data1, 0);
        m_synth->programChange(channel, event.data1);
        m_syncs.fireEvent(MidiEvent::Program, channel, event.data1);
        return;
    case 0xD0:
        m_state.channelMessage(event.status, event.data1, 0);
        m_songState.channelMessage(event.status, event.data1, 0);
        m_synth->channelPressure(channel, event.data1);
        m_syncs.fireEvent(MidiEvent::ChannelPressure, channel, event.data1);
        return;
    case 0xE0: {
        m_state.channelMessage(event.status, event.data1, event.data2);
        m_songState.channelMessage(event.status, event.data1, event.data2);
        const int value = event.data1 | (event.data2 << 7);
        m_synth->pitchBend(channel, value);
        m_syncs.fireEvent(MidiEvent::Pitch, channel, static_cast<std::uint32_t>(value));
        return;
    }
    default:
        return;
    }
}

void StreamEngine::applySysex(const SysexMessage &message)
{
    const auto bytes = m_file->sysexBytes(message);
    int channel = -1;
    bool drums = false;
    m_songState.sysex(bytes);
    switch (m_state.sysex(bytes, &channel, &drums)) {
    case MidiState::SysexEffect::Reset:
        m_synth->reset();
        for (int ch = 0; ch < kMidiChannels; ++ch) {
            forgetHeldNotes(ch);
        }
        applyEverything();
        return;
    case MidiState::SysexEffect::DrumPart:
        m_synth->setDrums(channel, drums, m_state.channel(channel).program);
        m_syncs.fireEvent(MidiEvent::Drums, channel, drums ? 1 : 0);
        return;
    case MidiState::SysexEffect::None:
        m_synth->sysex(bytes);
        return;
    }
}

// Transposition moves the keys a channel plays, drum channels excepted (a
// drum key is an instrument). The key played is remembered per song key, so
// a note ends on the key it started on whatever the transposition is by then.
void StreamEngine::noteOn(int channel, int key, int velocity)
{
    noteOff(channel, key);
    const ChannelValues &values = m_state.channel(channel);
    const int played = values.drums ? key : key + m_transpose[channel];
    if (played < 0 || played > 127) {
        return;
    }
    m_heldKey[channel][key] = static_cast<std::int16_t>(played);
    m_synth->noteOn(channel, played, velocity);
}

void StreamEngine::noteOff(int channel, int key)
{
    const int played = m_heldKey[channel][key];
    if (played >= 0) {
        m_heldKey[channel][key] = -1;
        m_synth->noteOff(channel, played);
    }
}

void StreamEngine::forgetHeldNotes(int channel)
{
    m_heldKey[channel].fill(-1);
}

void StreamEngine::controller(int channel, int number, int value)
{
    m_state.channelMessage(0xB0 | channel, number, value);
    m_synth->controlChange(channel, number, value);
    if (number == 121) {
        applyAttenuation(channel); // FluidSynth clears the channel's generators too
    } else if (number == 120 || number == 123) {
        forgetHeldNotes(channel);
    }
}

double StreamEngine::presentTick() const
{
    // At the frame where the present tempo segment starts (a tempo event just
    // played, a seek just made), the present is that segment's tick exactly.
    const double start = m_timeline.presentTick();
    if (std::llround(m_timeline.frameAt(start)) == m_frame) {
        return start;
    }
    return m_timeline.tickAt(static_cast<double>(m_frame));
}

bool StreamEngine::sendEvent(int channel, MidiEvent event, std::uint32_t param)
{
    if (const Error error = checkEvent(channel, event, param); error != Error::Ok) {
        return detail::fail(error);
    }
    ensureChased();
    if (isEffectEvent(event)) {
        m_effects.set(event, static_cast<std::int32_t>(std::min<std::uint32_t>(param, 1u << 30)));
        m_synth->setEffects(m_effects);
        return detail::succeed();
    }
    switch (event) {
    case MidiEvent::Tempo:
        m_timeline.changeTempo(presentTick(), param);
        break;
    case MidiEvent::MixLevel:
        m_mixLevel[channel] = static_cast<int>(param);
        applyMix();
        break;
    case MidiEvent::Transpose:
        m_transpose[channel] = static_cast<int>(param) - 100;
        break;
    default:
        applyChannelEvent(channel, event, static_cast<int>(param));
        break;
    }
    return detail::succeed();
}

Error StreamEngine::checkEvent(int channel, MidiEvent event, std::uint32_t param)
{
    if (channel < 0 || channel >= kMidiChannels) {
        return Error::IllParam;
    }
    if (isEffectEvent(event)) {
        return Error::Ok;
    }
    if (param > eventLimit(event) || (event == MidiEvent::Tempo && param == 0)) {
        return Error::IllParam;
    }
    return isOwnEvent(event) || eventController(event) >= 0 ? Error::Ok : Error::IllType;
}

// A checked channel event.
void StreamEngine::applyChannelEvent(int channel, MidiEvent event, int value)
{
    switch (event) {
    case MidiEvent::Note: {
        const int velocity = (value >> 8) & 0x7F;
        if (velocity > 0) {
            noteOn(channel, value & 0x7F, velocity);
        } else {
            noteOff(channel, value & 0x7F);
        }
        return;
    }
    case MidiEvent::Program:
        m_state.channelMessage(0xC0 | channel, value, 0);
        m_synth->programChange(channel, value);
        return;
    case MidiEvent::Bank:
        m_state.channelMessage(0xB0 | channel, 0, value);
        m_synth->setBank(channel, value);
        return;
    case MidiEvent::Drums:
        m_state.setDrums(channel, value != 0);
        m_synth->setDrums(channel, value != 0, m_state.channel(channel).program);
        return;
    case MidiEvent::Pitch:
        m_state.channelMessage(0xE0 | channel, value & 0x7F, value >> 7);
        m_synth->pitchBend(channel, value);
        return;
    case MidiEvent::PitchRange:
        m_state.channelMessage(0xB0 | channel, 101, 0);
        m_state.channelMessage(0xB0 | channel, 100, 0);
        m_state.channelMessage(0xB0 | channel, 6, value);
        m_synth->pitchRange(channel, value);
        return;
    case MidiEvent::ChannelPressure:
        m_state.channelMessage(0xD0 | channel, value, 0);
        m_synth->channelPressure(channel, value);
        return;
    default: {
        const int cc = eventController(event);
        controller(channel, cc, cc >= 120 ? 0 : value);
        return;
    }
    }
}

std::int32_t StreamEngine::eventValue(int channel, MidiEvent event)
{
    if (channel < 0 || channel >= kMidiChannels) {
        detail::setLastError(Error::IllParam);
        return -1;
    }
    ensureChased();
    std::optional<std::int32_t> result;
    if (isEffectEvent(event)) {
        result = m_effects.value(event);
    } else if (!(result = stateValue(m_state.channel(channel), event))) {
        switch (event) {
        case MidiEvent::Tempo:
            result = static_cast<std::int32_t>(m_timeline.tempo());
            break;
        case MidiEvent::MixLevel:
            result = m_mixLevel[channel];
            break;
        case MidiEvent::Transpose:
            result = m_transpose[channel] + 100;
            break;
        default:
            detail::setLastError(Error::IllType);
            return -1;
        }
    }
    detail::setLastError(Error::Ok);
    return *result;
}

std::int32_t StreamEngine::songEventValue(int channel, MidiEvent event)
{
    if (channel < 0 || channel >= kMidiChannels) {
        detail::setLastError(Error::IllParam);
        return -1;
    }
    ensureChased();
    // Songs never set the global effects: theirs are the synthesizer's own.
    static const EffectParams kSynthesizerEffects;
    const std::optional<std::int32_t> result =
        isEffectEvent(event) ? kSynthesizerEffects.value(event)
                             : stateValue(m_songState.channel(channel), event);
    if (!result) {
        detail::setLastError(Error::IllType);
        return -1;
    }
    detail::setLastError(Error::Ok);
    return *result;
}

} // namespace melorit::audio
