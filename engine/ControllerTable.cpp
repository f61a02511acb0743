#include "engine/ControllerTable.h"

#include "audio/EffectParams.h"

namespace melorit::engine {
namespace {

constexpr int kDrumChannel = 9;

MidiEvent rowEvent(int rowBase)
{
    switch (rowBase) {
    case kRowPan:
        return MIDI_EVENT_PAN;
    case kRowReverb:
        return MIDI_EVENT_REVERB;
    case kRowChorus:
        return MIDI_EVENT_CHORUS;
    case kRowProgram:
        return MIDI_EVENT_PROGRAM;
    case kRowBank:
        return MIDI_EVENT_BANK;
    case kRowDrums:
        return MIDI_EVENT_DRUMS;
    default:
        return MIDI_EVENT_VOLUME;
    }
}

} // namespace

int rowBaseOf(int index)
{
    if (!isValidIndex(index)) {
        return -1;
    }
    return index >= kRowGlobal ? kRowGlobal : index - index % kChannelCount;
}

MidiEvent eventOfIndex(int index)
{
    if (isGlobalIndex(index)) {
        return globalEffectEvent(index - kRowGlobal);
    }
    return rowEvent(rowBaseOf(index));
}

int channelOfIndex(int index)
{
    if (!isValidIndex(index) || isGlobalIndex(index)) {
        return 0;
    }
    return index % kChannelCount;
}

int resetDefaultOf(int index)
{
    switch (rowBaseOf(index)) {
    case kRowVolume:
        return 100;
    case kRowPan:
        return 64;
    case kRowDrums:
        return channelOfIndex(index) == kDrumChannel ? 1 : 0;
    case kRowGlobal:
        // The synthesizer's own settings, so the effects panel shows them
        // before a song has been opened.
        return audio::EffectParams().value(eventOfIndex(index));
    default:
        return 0;
    }
}

ControllerTable::ControllerTable()
{
    reset();
}

int ControllerTable::CtrlOverride(int index) const
{
    return isValidIndex(index) ? m_override[index].load(std::memory_order_relaxed) : kNoOverride;
}

int ControllerTable::CtrlDefault(int index) const
{
    return isValidIndex(index) ? m_default[index].load(std::memory_order_relaxed) : -1;
}

void ControllerTable::setOverride(int index, int value)
{
    if (isValidIndex(index)) {
        m_override[index].store(value, std::memory_order_relaxed);
    }
}

void ControllerTable::setDefault(int index, int value)
{
    if (isValidIndex(index)) {
        m_default[index].store(value, std::memory_order_relaxed);
    }
}

int ControllerTable::effective(int index) const
{
    const int user = CtrlOverride(index);
    return user >= 0 ? user : CtrlDefault(index);
}

void ControllerTable::reset()
{
    for (int i = 0; i < kCtrlCount; ++i) {
        m_override[i].store(kNoOverride, std::memory_order_relaxed);
        m_default[i].store(resetDefaultOf(i), std::memory_order_relaxed);
    }
}

} // namespace melorit::engine
