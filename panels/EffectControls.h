#pragma once

#include "base/KeyMods.h"

#include <QString>

namespace melorit::engine {
class Mixer;
} // namespace melorit::engine

// The rules of the effects panel's eleven knobs, the synthesizer's global
// reverb and chorus parameters (controller table entries 112-122, events
// 32-42 on channel 0): taking a parameter over, drag scaling and giving it
// back to the song. UI thread.
namespace melorit::panels {

inline constexpr int kFirstEffectControl = 112;
inline constexpr int kEffectControlCount = 11;
// Knobs 0-4 sit in the reverb frame, 5-10 in the chorus frame.
inline constexpr int kReverbKnobCount = 5;

// Knob k: its highest value and the change per pixel of a drag.
struct EffectKnob {
    int maximum;
    int step;
};
// The knob of a controller index 112-122; an index outside gives knob 0.
EffectKnob effectKnob(int index);
bool isEffectControl(int index);

// The value a drag reaches: 200 pixels (right plus up) cross the knob's
// whole range, ten times finer while Shift or Ctrl is held; the change is
// rounded half to even, added to the start value and kept between 0 and the
// knob's maximum.
int effectDragValue(int index, int start, double distance, const KeyMods &mods);

// A value as the user reads it, with its unit: the chorus delay and depth in
// milliseconds ("4.0 ms"), the chorus rate in hertz ("0.30 Hz"), every other
// parameter as a share of its range ("90.0 %").
QString effectValueText(int index, int value);

// What a knob shows for a value: the value limited to the knob's range, and
// its text with its unit in the knob's label.
struct EffectKnobFace {
    int value = 0;
    int maximum = 0;
    bool mark = false;
    QString label;
};
EffectKnobFace effectKnobFace(int index, int value, bool mark);

class EffectControls {
public:
    explicit EffectControls(engine::Mixer &mixer);

    // `TestButton`, left or middle: a knob that follows the song is taken
    // over at the song's value; an overridden one is left as it is. Returns
    // the value a drag starts from.
    int pressLeft(int index);
    // `TestButton`, right: an overridden knob is given back to the song,
    // stored empty, and the song's value is sent again.
    void pressRight(int index);
    // A drag's value sent at once; the override is unchanged.
    void preview(int index, int value);
    // The release: the dragged value becomes the override and is stored.
    void commit(int index, int value);

private:
    void send(int index, int value);

    engine::Mixer &m_mixer;
};

} // namespace melorit::panels
