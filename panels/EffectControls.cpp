#include "panels/EffectControls.h"

#include "base/TextUtil.h"
#include "engine/ControllerTable.h"
#include "engine/MixTarget.h"
#include "engine/Mixer.h"

#include <algorithm>
#include <array>

namespace melorit::panels {

using namespace melorit::engine;

namespace {

constexpr std::array<EffectKnob, kEffectControlCount> kKnobs{{
    {10000, 100}, // reverb time
    {10000, 100}, // reverb delay
    {10000, 100}, // reverb low cut-off
    {10000, 100}, // reverb high cut-off
    {1000, 10},   // reverb level
    {10000, 100}, // chorus delay
    {10000, 100}, // chorus depth
    {10000, 100}, // chorus rate
    {200, 1},     // chorus feedback
    {1000, 10},   // chorus level
    {1000, 10},   // chorus to reverb
}};

constexpr int kCtrlDivisor = 10;
constexpr int kShiftFactor = 10;

} // namespace

bool isEffectControl(int index)
{
    return index >= kFirstEffectControl && index < kFirstEffectControl + kEffectControlCount;
}

EffectKnob effectKnob(int index)
{
    return kKnobs[isEffectControl(index) ? index - kFirstEffectControl : 0];
}

int effectDragValue(int index, int start, double distance, const KeyMods &mods)
{
    const EffectKnob knob = effectKnob(index);
    // 64-bit on the way: a long drag on a fine knob times ten stays exact.
    long long d = static_cast<long long>(text::toInt(distance)) * knob.step;
    if (mods.ctrl) {
        d = static_cast<long long>(text::roundHalfEven(static_cast<double>(d) / kCtrlDivisor));
    }
    if (mods.shift) {
        d *= kShiftFactor;
    }
    return static_cast<int>(std::clamp<long long>(start + d, 0, knob.maximum));
}

EffectKnobFace effectKnobFace(int index, int value, bool mark)
{
    const EffectKnob knob = effectKnob(index);
    EffectKnobFace face;
    face.maximum = knob.maximum;
    face.value = std::clamp(value, 0, knob.maximum);
    face.mark = mark;
    face.label = QString::number(face.value);
    return face;
}

EffectControls::EffectControls(Mixer &mixer) : m_mixer(mixer)
{
}

void EffectControls::send(int index, int value)
{
    if (MixTarget *target = m_mixer.target()) {
        target->sendEvent(0, eventOfIndex(index), static_cast<std::uint32_t>(value));
    }
}

int EffectControls::pressLeft(int index)
{
    if (!isEffectControl(index)) {
        return 0;
    }
    const ControllerTable &table = m_mixer.controllers();
    if (!table.hasOverride(index)) {
        m_mixer.setOverride(index, std::max(table.CtrlDefault(index), 0));
    }
    return table.CtrlOverride(index);
}

void EffectControls::pressRight(int index)
{
    if (!isEffectControl(index) || !m_mixer.controllers().hasOverride(index)) {
        return;
    }
    m_mixer.setOverride(index, kNoOverride);
    m_mixer.SaveCC(index);
    send(index, m_mixer.controllers().CtrlDefault(index));
}

void EffectControls::preview(int index, int value)
{
    if (isEffectControl(index)) {
        send(index, value);
    }
}

void EffectControls::commit(int index, int value)
{
    if (isEffectControl(index)) {
        m_mixer.setOverride(index, value);
        m_mixer.SaveCC(index);
    }
}

} // namespace melorit::panels
