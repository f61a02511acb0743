#include "panels/EffectControls.h"

#include "base/TextUtil.h"
#include "engine/ControllerTable.h"
#include "engine/MixTarget.h"
#include "engine/Mixer.h"
#include "engine/TimeText.h"

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

// A knob crosses its whole range over this many pixels of drag; Shift or
// Ctrl make the steps ten times finer.
constexpr double kKnobTravel = 200.0;
constexpr double kFineDivisor = 10.0;

// What a value is for the synthesizer (audio/EffectParams.cpp): the chorus
// delay and depth each lengthen the chorus' delay line by up to 20 ms, its
// rate is 0.1 to 5 Hz; everything else is a share of a setting's range.
enum class Unit { Percent, Milliseconds, Hertz };
constexpr std::array<Unit, kEffectControlCount> kUnits{
    Unit::Percent, Unit::Percent,      Unit::Percent,      Unit::Percent,
    Unit::Percent, Unit::Milliseconds, Unit::Milliseconds, Unit::Hertz,
    Unit::Percent, Unit::Percent,      Unit::Percent};
constexpr double kMaxChorusDelayMs = 20.0;
constexpr double kMinRateHz = 0.1;
constexpr double kMaxRateHz = 5.0;

QString decimal(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(u'.', engine::userDecimalPoint());
}

} // namespace

QString effectValueText(int index, int value)
{
    const EffectKnob knob = effectKnob(index);
    const double share = static_cast<double>(std::clamp(value, 0, knob.maximum)) / knob.maximum;
    switch (kUnits[static_cast<std::size_t>(isEffectControl(index) ? index - kFirstEffectControl
                                                                   : 0)]) {
    case Unit::Milliseconds:
        return decimal(share * kMaxChorusDelayMs, 1) + QStringLiteral(" ms");
    case Unit::Hertz:
        return decimal(kMinRateHz + share * (kMaxRateHz - kMinRateHz), 2) + QStringLiteral(" Hz");
    case Unit::Percent:
        break;
    }
    return decimal(share * 100, 1) + QStringLiteral(" %");
}

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
    const double fine = mods.ctrl || mods.shift ? kFineDivisor : 1.0;
    const double steps = text::roundHalfEven(distance * knob.maximum / kKnobTravel / fine);
    return static_cast<int>(std::clamp(start + steps, 0.0, static_cast<double>(knob.maximum)));
}

EffectKnobFace effectKnobFace(int index, int value, bool mark)
{
    const EffectKnob knob = effectKnob(index);
    EffectKnobFace face;
    face.maximum = knob.maximum;
    face.value = std::clamp(value, 0, knob.maximum);
    face.mark = mark;
    face.label = effectValueText(index, face.value);
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
