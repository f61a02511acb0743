// Pointer handling of the main window's mixer controls: channel volume
// faders, gain fader, transposition knob and tempo read-out.
#include "engine/Mixer.h"

#include "base/TextUtil.h"
#include "engine/MixView.h"

namespace melorit::engine {
namespace {

// Value change for a pointer travel, by drag mode: the faders follow the
// vertical travel, the knob and the tempo the sum of both directions.
int dragDelta(int mode, int dx, int dy)
{
    switch (mode) {
    case 1:
        return text::toInt(dy * 201.0 / 91.0);
    case 2:
        return text::toInt(dy * 41.0 / 91.0);
    case 3:
        // The transposition knob crosses its 24 semitones over 200 pixels.
        return text::toInt((dx + dy) * 24.0 / 200.0);
    case 4:
        return text::toInt((dx + dy) * 3101.0 / 500.0);
    default:
        return 0;
    }
}

// The step of one notch of the mouse wheel, by drag mode.
int wheelStep(int mode)
{
    switch (mode) {
    case 1:
        return 5;
    case 4:
        return 10;
    default:
        return 1;
    }
}

Range rangeOf(int mode)
{
    switch (mode) {
    case 1:
        return kVolumeRange;
    case 2:
        return kGainRange;
    case 3:
        return kTransposeRange;
    default:
        return kTempoRange;
    }
}

} // namespace

int Mixer::committedValue(DragMode mode, int control) const
{
    switch (mode) {
    case DragMode::Volume:
        return m_state.ChannelVolume[control];
    case DragMode::Gain:
        return m_state.MasterGain;
    case DragMode::Transpose:
        return m_state.TransposeSemis;
    case DragMode::Tempo:
        return TempoShift();
    case DragMode::None:
        break;
    }
    return 0;
}

void Mixer::Potard_MouseDown(int control, MouseButton button, int x, int y)
{
    DragMode mode = DragMode::None;
    if (control >= 0 && control < kChannelCount) {
        mode = DragMode::Volume;
    } else if (control == kGainControl) {
        mode = DragMode::Gain;
    } else if (control == kTransposeControl) {
        mode = DragMode::Transpose;
    } else if (control == kTempoControl) {
        mode = DragMode::Tempo;
    } else {
        return;
    }
    const int start = committedValue(mode, control);
    m_drag = Drag{control, x, y, mode, start, start};
    TestButton(button);
}

void Mixer::Potard_MouseMove(int x, int y)
{
    ControllerMove(x, y);
}

void Mixer::TestButton(MouseButton button)
{
    if (button != MouseButton::Right || !isDragging()) {
        return;
    }
    resetControl();
    m_drag.mode = DragMode::None;
}

// The right button puts a control back to its neutral value at once.
void Mixer::resetControl()
{
    switch (m_drag.mode) {
    case DragMode::Volume: {
        const int ch = m_drag.control;
        m_state.ChannelVolume[ch] = kUnityVolume;
        SaveVolume(ch);
        drawVolume(ch, kUnityVolume);
        sendLevel(ch, kUnityVolume);
        break;
    }
    case DragMode::Gain:
        m_state.MasterGain = 0;
        ApplyVolume(0);
        SaveGain();
        drawGain(0);
        break;
    case DragMode::Transpose:
        m_state.TransposeSemis = 0;
        ApplyTranspose(0);
        SaveTranspose();
        drawTranspose(0);
        break;
    case DragMode::Tempo:
        m_tempo.TempoShift.store(0);
        NewTempo();
        SaveTempo();
        if (m_view != nullptr) {
            m_view->tempoRatioCommitted(TempoRatio());
        }
        break;
    case DragMode::None:
        break;
    }
}

void Mixer::ControllerMove(int x, int y)
{
    if (!isDragging()) {
        return;
    }
    const int mode = static_cast<int>(m_drag.mode);
    const int delta = dragDelta(mode, x - m_drag.pressX, m_drag.pressY - y);
    m_drag.value = rangeOf(mode).clamp(m_drag.startValue + delta);
    previewDrag();
}

// What a drag does before the release: the volume, gain and transposition
// are heard at once; the tempo is only shown.
void Mixer::previewDrag()
{
    const int value = m_drag.value;
    switch (m_drag.mode) {
    case DragMode::Volume:
        sendLevel(m_drag.control, value);
        drawVolume(m_drag.control, value);
        break;
    case DragMode::Gain:
        ApplyVolume(value);
        drawGain(value);
        break;
    case DragMode::Transpose:
        ApplyTranspose(value);
        drawTranspose(value);
        break;
    case DragMode::Tempo:
        drawTempo(value);
        break;
    case DragMode::None:
        break;
    }
}

void Mixer::Potard_Wheel(int control, int notches)
{
    if (isDragging() || notches == 0) {
        return;
    }
    Potard_MouseDown(control, MouseButton::Left, 0, 0);
    if (!isDragging()) {
        return;
    }
    const int mode = static_cast<int>(m_drag.mode);
    m_drag.value = rangeOf(mode).clamp(m_drag.startValue + notches * wheelStep(mode));
    previewDrag();
    Potard_MouseUp();
}

void Mixer::Potard_MouseUp()
{
    if (!isDragging()) {
        return;
    }
    commitDrag();
    m_drag.mode = DragMode::None;
}

void Mixer::commitDrag()
{
    const int value = m_drag.value;
    switch (m_drag.mode) {
    case DragMode::Volume:
        m_state.ChannelVolume[m_drag.control] = value;
        SaveVolume(m_drag.control);
        break;
    case DragMode::Gain:
        m_state.MasterGain = value;
        SaveGain();
        break;
    case DragMode::Transpose:
        m_state.TransposeSemis = value;
        SaveTranspose();
        break;
    case DragMode::Tempo:
        m_tempo.TempoShift.store(value);
        NewTempo();
        SaveTempo();
        if (m_view != nullptr) {
            m_view->tempoRatioCommitted(TempoRatio());
        }
        break;
    case DragMode::None:
        break;
    }
}

} // namespace melorit::engine
