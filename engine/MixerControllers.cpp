// The controller table of the mixer: applying overrides to the stream,
// refreshing the song's values from it, and the watchers that keep the
// user's values in force while the song sends its own.
#include "engine/Mixer.h"

#include "engine/MixTarget.h"
#include "engine/MixView.h"

namespace melorit::engine {
namespace {

constexpr int kMaxChannelValue = 127;
constexpr int kFirstGlobalUser = 7;
constexpr int kLastGlobalUser = kFirstGlobalUser + kGlobalCount - 1; // 17
constexpr int kDrumsUser = 18;

// The row watched by a controller watcher's user value (1-6, 18), or -1.
int rowOfUser(int user)
{
    switch (user) {
    case 1:
        return kRowVolume;
    case 2:
        return kRowPan;
    case 3:
        return kRowReverb;
    case 4:
        return kRowChorus;
    case 5:
        return kRowProgram;
    case 6:
        return kRowBank;
    case kDrumsUser:
        return kRowDrums;
    default:
        return -1;
    }
}

} // namespace

void Mixer::drawKnob(int index)
{
    if (m_view != nullptr) {
        m_view->controllerKnobChanged(index, m_table.effective(index));
    }
}

void Mixer::markKnob(int index, bool overridden)
{
    if (m_view != nullptr) {
        m_view->controllerMarkChanged(index, overridden);
    }
}

void Mixer::setOverride(int index, int value)
{
    if (!isValidIndex(index)) {
        return;
    }
    m_table.setOverride(index, value < 0 ? kNoOverride : value);
    markKnob(index, value >= 0);
    drawKnob(index);
}

void Mixer::resetControllers()
{
    m_table.reset();
    m_state.ChannelMute.fill(0);
    m_state.ChannelSolo.fill(0);
    for (int index = 0; index < kCtrlCount; ++index) {
        markKnob(index, false);
    }
    for (int index = kRowGlobal; index < kCtrlCount; ++index) {
        drawKnob(index);
    }
}

// Sends the bank and then the program of a channel with their values in
// effect, when either of them has an override. A program change never goes
// out alone, since the synthesizer takes the bank with the next program.
void Mixer::sendBankAndProgram(int channel) noexcept
{
    const int bankIndex = kRowBank + channel;
    const int programIndex = kRowProgram + channel;
    if (!m_table.hasOverride(bankIndex) && !m_table.hasOverride(programIndex)) {
        return;
    }
    sendEvent(channel, MIDI_EVENT_BANK, m_table.effective(bankIndex));
    sendEvent(channel, MIDI_EVENT_PROGRAM, m_table.effective(programIndex));
}

void Mixer::ApplyController(int index, int channel, MidiEvent event)
{
    if (!isValidIndex(index)) {
        return;
    }
    if (event == MIDI_EVENT_BANK) {
        sendBankAndProgram(channel);
        drawKnob(index);
        drawKnob(index - (kRowBank - kRowProgram));
        return;
    }
    if (event != MIDI_EVENT_PROGRAM && m_table.hasOverride(index)) {
        sendEvent(channel, event, m_table.CtrlOverride(index));
    }
    drawKnob(index);
}

// The defaults are the song's own values, never what the stream holds after
// an override was sent: a refresh after the overrides went out (the end of a
// song's start, a seek) would otherwise make the override the value a
// right-click gives back.
void Mixer::refreshChannel(int channel)
{
    for (const int rowBase : kRefreshOrder) {
        const int index = rowBase + channel;
        const int value = readSongValue(channel, eventOfIndex(index));
        if (value >= 0 && value <= kMaxChannelValue) {
            m_table.setDefault(index, value);
        }
    }
    for (const int rowBase : kRefreshOrder) {
        ApplyController(rowBase + channel, channel, eventOfIndex(rowBase + channel));
    }
}

void Mixer::RefreshControllers()
{
    for (int ch = 0; ch < kChannelCount; ++ch) {
        refreshChannel(ch);
    }
    for (int k = 0; k < kGlobalCount; ++k) {
        const int index = kRowGlobal + k;
        const MidiEvent event = globalEffectEvent(k);
        // A failed read (-1) keeps the previous value: a negative default
        // would read as "no override" once the user takes the knob over.
        const int value = readSongValue(0, event);
        if (value >= 0) {
            m_table.setDefault(index, value);
        }
        ApplyController(index, 0, event);
    }
}

// --- watchers (audio thread) ---------------------------------------------

void Mixer::requestKnobRedraw(int index) noexcept
{
    m_knobDirty[index].store(true, std::memory_order_relaxed);
    m_anyDirty.store(true, std::memory_order_release);
}

void Mixer::onChannelEvent(int rowBase, int channel, int param) noexcept
{
    const int index = rowBase + channel;
    m_table.setDefault(index, param & 0xFF);
    if (rowBase == kRowProgram || rowBase == kRowBank) {
        sendBankAndProgram(channel);
    } else if (m_table.hasOverride(index)) {
        sendEvent(channel, eventOfIndex(index), m_table.CtrlOverride(index));
    }
    if (!m_table.hasOverride(index)) {
        requestKnobRedraw(index);
    }
}

void Mixer::onGlobalEvent(int k, int param) noexcept
{
    const int index = kRowGlobal + k;
    m_table.setDefault(index, param);
    if (m_table.hasOverride(index)) {
        sendEvent(0, globalEffectEvent(k), m_table.CtrlOverride(index));
    } else {
        requestKnobRedraw(index);
    }
}

void Mixer::onControllerEvent(int user, std::uint32_t data) noexcept
{
    const int channel = static_cast<int>(data >> 16);
    const int param = static_cast<int>(data & 0xFFFF);
    if (user >= kFirstGlobalUser && user <= kLastGlobalUser) {
        onGlobalEvent(user - kFirstGlobalUser, param);
        return;
    }
    const int rowBase = rowOfUser(user);
    if (rowBase >= 0 && channel < kChannelCount) {
        onChannelEvent(rowBase, channel, param);
    }
}

void Mixer::onTempoEvent() noexcept
{
    m_tempo.BaseTempo.store(readEvent(0, MIDI_EVENT_TEMPO));
    sendTempo();
    m_tempoDirty.store(true, std::memory_order_relaxed);
    m_anyDirty.store(true, std::memory_order_release);
}

void Mixer::flushPendingRedraws()
{
    if (!m_anyDirty.exchange(false, std::memory_order_acquire)) {
        return;
    }
    for (int index = 0; index < kCtrlCount; ++index) {
        if (m_knobDirty[index].exchange(false, std::memory_order_relaxed)) {
            drawKnob(index);
        }
    }
    if (m_tempoDirty.exchange(false, std::memory_order_relaxed)) {
        drawTempo(isDragging() && m_drag.mode == DragMode::Tempo ? m_drag.value : TempoShift());
    }
}

} // namespace melorit::engine
