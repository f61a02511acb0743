#include "engine/Mixer.h"

#include "base/TextUtil.h"
#include "engine/MixTarget.h"
#include "engine/MixTexts.h"
#include "engine/MixView.h"
#include "engine/SongSettings.h"

namespace melorit::engine {
namespace {

constexpr int kTransposeOffset = 100;

} // namespace

Mixer::Mixer() = default;

bool Mixer::hasStream() const
{
    return m_target != nullptr && m_target->hasStream();
}

void Mixer::sendEvent(int channel, MidiEvent event, int param) noexcept
{
    if (m_target != nullptr) {
        m_target->sendEvent(channel, event, static_cast<std::uint32_t>(param));
    }
}

int Mixer::readEvent(int channel, MidiEvent event) const noexcept
{
    return m_target != nullptr ? m_target->eventValue(channel, event) : -1;
}

int Mixer::readSongValue(int channel, MidiEvent event) const
{
    return m_target != nullptr ? m_target->songEventValue(channel, event) : -1;
}

// --- drawing ---------------------------------------------------------------

void Mixer::drawVolume(int channel, int volume)
{
    if (m_view != nullptr) {
        m_view->mixerControlChanged(channel, volume, volumeTip(volume));
    }
}

void Mixer::drawGain(int gain)
{
    if (m_view != nullptr) {
        m_view->mixerControlChanged(kGainControl, gain, gainTip(m_languageFile, gain));
    }
}

void Mixer::drawTranspose(int semitones)
{
    if (m_view != nullptr) {
        m_view->mixerControlChanged(kTransposeControl, semitones,
                                    transposeTip(m_languageFile, semitones));
    }
}

void Mixer::drawTempo(int tempoShift)
{
    if (m_view == nullptr) {
        return;
    }
    const TempoReadout readout = tempoReadout(tempoShift, BaseTempo());
    m_view->tempoReadoutChanged(readout.text, readout.glyphRow);
}

void Mixer::DispSoloMute()
{
    if (m_view == nullptr) {
        return;
    }
    for (int ch = 0; ch < kChannelCount; ++ch) {
        m_view->soloMuteButtonChanged(ch, soloButtonState(m_state, ch));
    }
    for (int ch = 0; ch < kChannelCount; ++ch) {
        m_view->soloMuteButtonChanged(kFirstMuteButton + ch, muteButtonState(m_state, ch));
    }
}

// --- per-song settings ---------------------------------------------------

void Mixer::LoadGain()
{
    m_state.MasterGain = mst::readGain(m_settingsFile);
    drawGain(m_state.MasterGain);
}

void Mixer::LoadTempo()
{
    m_tempo.TempoShift = mst::readTempo(m_settingsFile);
    drawTempo(TempoShift());
}

void Mixer::LoadTranspose()
{
    m_state.TransposeSemis = mst::readTranspose(m_settingsFile);
    drawTranspose(m_state.TransposeSemis);
}

void Mixer::LoadVolume()
{
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const mst::ChannelVolume stored = mst::readVolume(m_settingsFile, ch);
        m_state.ChannelVolume[ch] = stored.volume;
        if (stored.muted) {
            m_state.ChannelMute[ch] = 1;
        }
        drawVolume(ch, stored.volume);
    }
    // A "0" volume mutes its channel, which may leave a single one unmuted.
    recomputeSolo(m_state);
}

void Mixer::LoadMute()
{
    for (int ch = 0; ch < kChannelCount; ++ch) {
        m_state.ChannelMute[ch] = mst::readMute(m_settingsFile, ch) ? 1 : 0;
    }
    recomputeSolo(m_state);
}

void Mixer::LoadCC()
{
    for (int index = 0; index < kCtrlCount; ++index) {
        if (const auto stored = mst::readCC(m_settingsFile, index)) {
            m_table.setOverride(index, *stored < 0 ? kNoOverride : *stored);
        }
    }
}

void Mixer::SaveGain()
{
    mst::writeGain(m_settingsFile, m_state.MasterGain);
}

void Mixer::SaveTempo()
{
    mst::writeTempo(m_settingsFile, TempoShift());
}

void Mixer::SaveTranspose()
{
    mst::writeTranspose(m_settingsFile, m_state.TransposeSemis);
}

void Mixer::SaveCC(int index)
{
    if (isValidIndex(index)) {
        mst::writeCC(m_settingsFile, index, m_table.CtrlOverride(index));
    }
}

void Mixer::SaveVolume(int channel)
{
    if (m_settingsFile.isEmpty() || channel >= kChannelCount) {
        return;
    }
    const int first = channel < 0 ? 0 : channel;
    const int last = channel < 0 ? kChannelCount - 1 : channel;
    for (int ch = first; ch <= last; ++ch) {
        mst::writeVolume(m_settingsFile, ch, m_state.ChannelVolume[ch]);
    }
}

void Mixer::SaveMute(int channel)
{
    if (m_settingsFile.isEmpty() || channel >= kChannelCount) {
        return;
    }
    const int first = channel < 0 ? 0 : channel;
    const int last = channel < 0 ? kChannelCount - 1 : channel;
    for (int ch = first; ch <= last; ++ch) {
        mst::writeMute(m_settingsFile, ch, m_state.ChannelMute[ch] == 1);
    }
}

// --- applying ------------------------------------------------------------

void Mixer::ApplyVolume(int gain)
{
    if (m_target != nullptr) {
        m_target->setFontVolume(static_cast<float>(gainFactor(gain)));
    }
    if (m_view != nullptr) {
        m_view->gainCaptionChanged(gainCaption(gain));
    }
}

void Mixer::ApplyTranspose(int semitones)
{
    if (!hasStream()) {
        return;
    }
    for (int ch = 0; ch < kChannelCount; ++ch) {
        sendEvent(ch, MIDI_EVENT_TRANSPOSE, semitones + kTransposeOffset);
    }
}

void Mixer::ApplyLevels()
{
    for (int ch = 0; ch < kChannelCount; ++ch) {
        sendEvent(ch, MIDI_EVENT_MIXLEVEL, levelOf(m_state, ch));
    }
}

void Mixer::sendLevel(int channel, int volume)
{
    sendEvent(channel, MIDI_EVENT_MIXLEVEL, levelWithVolume(m_state, channel, volume));
}

void Mixer::sendTempo() noexcept
{
    const double ratio = mst::tempoRatio(m_tempo.TempoShift.load());
    m_tempo.TempoRatio.store(ratio);
    const int base = m_tempo.BaseTempo.load();
    // A failed read leaves no tempo to scale; the stream keeps its own.
    if (base > 0 && hasStream()) {
        sendEvent(0, MIDI_EVENT_TEMPO, text::toInt(base * ratio));
    }
}

void Mixer::NewTempo()
{
    sendTempo();
    drawTempo(TempoShift());
}

void Mixer::ReadBaseTempo()
{
    m_tempo.BaseTempo.store(readEvent(0, MIDI_EVENT_TEMPO));
}

// --- solo and mute buttons -----------------------------------------------

bool Mixer::PicSM_Click(int button)
{
    if (button < 0 || button >= kSoloMuteButtonCount) {
        return false;
    }
    if (button < kFirstMuteButton) {
        soloClick(m_state, button, m_lastPicSMButton);
    } else {
        muteClick(m_state, button - kFirstMuteButton, m_lastPicSMButton);
    }
    DispSoloMute();
    SaveMute(-1);
    ApplyLevels();
    return true;
}

// --- song start ----------------------------------------------------------

void Mixer::startSongMix()
{
    resetControllers();
    LoadCC();
    for (int index = 0; index < kCtrlCount; ++index) {
        if (m_table.hasOverride(index)) {
            markKnob(index, true);
        }
    }
    RefreshControllers();
    LoadMute();
    LoadVolume();
    DispSoloMute();
    LoadGain();
    ApplyVolume(m_state.MasterGain);
    LoadTranspose();
    ApplyTranspose(m_state.TransposeSemis);
    ApplyLevels();
}

void Mixer::startSongTempo()
{
    ReadBaseTempo();
    m_tempo.TempoShift.store(0);
    NewTempo();
}

void Mixer::loadSongTempo()
{
    ReadBaseTempo();
    LoadTempo();
    NewTempo();
}

void Mixer::afterSeek()
{
    RefreshControllers();
    ReadBaseTempo();
    NewTempo();
}

} // namespace melorit::engine
