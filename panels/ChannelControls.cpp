#include "panels/ChannelControls.h"

#include "base/TextUtil.h"
#include "engine/ControllerTable.h"
#include "engine/MixTarget.h"
#include "engine/Mixer.h"
#include "panels/KnobTips.h"
#include "panels/PresetStepping.h"

#include <algorithm>
#include <utility>

namespace melorit::panels {

using namespace melorit::engine;

namespace {

constexpr int kMaxValue = 127;
constexpr int kCoarseDivisor = 10; // banks and programs, and Ctrl
constexpr int kDrumDivisor = 100;
// A knob crosses its whole range over this many pixels of drag; Shift or
// Ctrl make the steps ten times finer.
constexpr double kKnobTravel = 200.0;
constexpr double kFineDivisor = 10.0;
constexpr int kDrumKitBank = 128; // where drum-mode channels take their kits

int dividedRounded(int value, int divisor)
{
    return text::toInt(static_cast<double>(value) / divisor);
}

bool isChannelControl(int index)
{
    return index >= 0 && index < kChannelControlCount;
}

} // namespace

int channelDragMode(int index)
{
    if (!isChannelControl(index)) {
        return 0;
    }
    switch (rowBaseOf(index)) {
    case kRowVolume:
        return kDragVolume;
    case kRowPan:
        return kDragPan;
    case kRowReverb:
        return kDragReverb;
    case kRowChorus:
        return kDragChorus;
    case kRowBank:
        return kDragBank;
    case kRowProgram:
        return kDragProgram;
    default:
        return kDragDrums;
    }
}

int channelKnobKind(int index)
{
    switch (channelDragMode(index)) {
    case kDragPan:
        return 1;
    case kDragBank:
        return 2;
    case kDragProgram:
        return 3;
    case kDragDrums:
        return 5;
    default:
        return 0;
    }
}

int channelMaximum(int index, int maxBank)
{
    switch (channelDragMode(index)) {
    case kDragBank:
        return maxBank;
    case kDragDrums:
        return 1;
    default:
        return kMaxValue;
    }
}

int channelDragValue(int mode, int start, double distance, const KeyMods &mods, int maxBank)
{
    if (mode == kDragVolume || mode == kDragPan || mode == kDragReverb || mode == kDragChorus) {
        const double fine = mods.ctrl || mods.shift ? kFineDivisor : 1.0;
        const double steps = distance * kMaxValue / kKnobTravel / fine;
        return static_cast<int>(
            std::clamp(start + text::roundHalfEven(steps), 0.0, static_cast<double>(kMaxValue)));
    }
    int d = text::toInt(distance);
    if (mode == kDragBank || mode == kDragProgram) {
        d = dividedRounded(d, kCoarseDivisor);
    } else if (mode == kDragDrums) {
        d = dividedRounded(d, kDrumDivisor);
    }
    if (mods.ctrl) {
        d = dividedRounded(d, kCoarseDivisor);
    }
    const int maximum = mode == kDragBank ? maxBank : mode == kDragDrums ? 1 : kMaxValue;
    return std::clamp(start + d, 0, std::max(maximum, 0));
}

ChannelControls::ChannelControls(Mixer &mixer, PresetCatalog presets)
    : m_mixer(mixer), m_presets(std::move(presets))
{
}

bool ChannelControls::drumMode(int channel) const
{
    return m_mixer.controllers().effective(kRowDrums + channel) != 0;
}

int ChannelControls::maxBank() const
{
    return m_presets.MaxBank();
}

void ChannelControls::send(int channel, MidiEvent event, int value)
{
    if (MixTarget *target = m_mixer.target()) {
        target->sendEvent(channel, event, static_cast<std::uint32_t>(value));
    }
}

// A program change never goes out alone: the synthesizer takes the bank
// with the program that follows it.
void ChannelControls::sendBankAndProgram(int channel, int bank, int program)
{
    send(channel, MIDI_EVENT_BANK, bank);
    send(channel, MIDI_EVENT_PROGRAM, program);
}

void ChannelControls::storeOverride(int index, int value)
{
    m_mixer.setOverride(index, value);
    m_mixer.SaveCC(index);
}

int ChannelControls::takeOver(int index)
{
    const int songValue = m_mixer.controllers().CtrlDefault(index);
    m_mixer.setOverride(index, songValue);
    return songValue;
}

int ChannelControls::pressLeft(int index, const KeyMods &mods)
{
    if (!isChannelControl(index)) {
        return 0;
    }
    const ControllerTable &table = m_mixer.controllers();
    if (!table.hasOverride(index)) {
        return takeOver(index);
    }
    const int channel = channelOfIndex(index);
    const int direction = mods.shift ? -1 : 1;
    switch (channelDragMode(index)) {
    case kDragBank:
        if (drumMode(channel)) {
            // The bank display of a drum-mode channel shows the drum kit:
            // a click steps the kit, which is a program of bank 128, so it
            // is kept as the program override. The bank override keeps the
            // melodic bank for when drum mode is left.
            stepProgramControl(channel, direction);
            m_mixer.SaveCC(kRowProgram + channel);
            return table.CtrlOverride(index);
        }
        return stepBankControl(channel, direction);
    case kDragProgram:
        return stepProgramControl(channel, direction);
    case kDragDrums:
        return toggleDrums(channel, direction);
    default:
        return table.CtrlOverride(index);
    }
}

int ChannelControls::stepBankControl(int channel, int direction)
{
    const ControllerTable &table = m_mixer.controllers();
    const int bankIndex = kRowBank + channel;
    const int programIndex = kRowProgram + channel;
    const bool programOverridden = table.hasOverride(programIndex);
    const BankProgram from{table.CtrlOverride(bankIndex), table.effective(programIndex)};
    const BankProgram to = stepBank(m_presets, from, direction, programOverridden);
    // Both values are in the table before either control is drawn, so that
    // each tip names the preset of the new pair.
    if (programOverridden) {
        m_mixer.controllers().setOverride(programIndex, to.program);
    }
    m_mixer.setOverride(bankIndex, to.bank);
    if (programOverridden) {
        storeOverride(programIndex, to.program);
    }
    sendBankAndProgram(channel, to.bank, table.effective(programIndex));
    return to.bank;
}

int ChannelControls::stepProgramControl(int channel, int direction)
{
    const ControllerTable &table = m_mixer.controllers();
    const int bankIndex = kRowBank + channel;
    const int programIndex = kRowProgram + channel;
    const bool bankOverridden = table.hasOverride(bankIndex);
    const BankProgram from{table.effective(bankIndex), table.effective(programIndex)};
    const BankProgram to =
        stepProgram(m_presets, from, direction, bankOverridden, drumMode(channel));
    if (bankOverridden) {
        m_mixer.controllers().setOverride(bankIndex, to.bank);
    }
    m_mixer.setOverride(programIndex, to.program);
    if (bankOverridden) {
        storeOverride(bankIndex, to.bank);
    }
    sendBankAndProgram(channel, table.effective(bankIndex), to.program);
    return to.program;
}

int ChannelControls::toggleDrums(int channel, int direction)
{
    const int index = kRowDrums + channel;
    const int value = (m_mixer.controllers().effective(index) + direction + 2) % 2;
    m_mixer.setOverride(index, value);
    send(channel, MIDI_EVENT_DRUMS, value);
    return value;
}

void ChannelControls::pressRight(int index)
{
    if (!isChannelControl(index) || !m_mixer.controllers().hasOverride(index)) {
        return;
    }
    storeOverride(index, kNoOverride);
    const ControllerTable &table = m_mixer.controllers();
    const int channel = channelOfIndex(index);
    const int songValue = table.CtrlDefault(index);
    switch (channelDragMode(index)) {
    case kDragBank:
        sendBankAndProgram(channel, songValue, table.effective(kRowProgram + channel));
        return;
    case kDragProgram:
        sendBankAndProgram(channel, table.effective(kRowBank + channel), songValue);
        return;
    default:
        send(channel, eventOfIndex(index), songValue);
        return;
    }
}

void ChannelControls::preview(int index, int value)
{
    if (!isChannelControl(index)) {
        return;
    }
    const ControllerTable &table = m_mixer.controllers();
    const int channel = channelOfIndex(index);
    switch (channelDragMode(index)) {
    case kDragBank:
        sendBankAndProgram(channel, value, table.effective(kRowProgram + channel));
        return;
    case kDragProgram:
        sendBankAndProgram(channel, table.effective(kRowBank + channel), value);
        return;
    default:
        send(channel, eventOfIndex(index), value);
        return;
    }
}

void ChannelControls::commit(int index, int value)
{
    if (isChannelControl(index)) {
        storeOverride(index, value);
    }
}

QString ChannelControls::TipPreset(int channel, int bank, int program) const
{
    const ControllerTable &table = m_mixer.controllers();
    if (bank < 0) {
        bank = drumMode(channel) ? kDrumKitBank : table.effective(kRowBank + channel);
    }
    if (program < 0) {
        program = table.effective(kRowProgram + channel);
    }
    return m_presets.nameOf(bank, program);
}

ChannelKnobFace ChannelControls::face(int index, int value, const MarkOf &markOf) const
{
    ChannelKnobFace f;
    if (!isChannelControl(index)) {
        return f;
    }
    const int channel = channelOfIndex(index);
    f.kind = channelKnobKind(index);
    f.value = std::clamp(value, 0, kMaxValue);
    f.mark = markOf(index);
    switch (channelDragMode(index)) {
    case kDragPan:
        f.tip = panTip(f.value);
        break;
    case kDragBank:
        if (drumMode(channel)) {
            f.value = kDrumKitBank;
            f.mark = f.mark || markOf(kRowDrums + channel);
        }
        f.tip = TipPreset(channel, f.value);
        break;
    case kDragProgram:
        f.tip = TipPreset(channel, -1, f.value);
        break;
    case kDragDrums:
        f.tip = drumTip(f.value);
        break;
    default:
        f.tip = QString::number(f.value);
        break;
    }
    return f;
}

} // namespace melorit::panels
