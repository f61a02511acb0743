#pragma once

#include "base/KeyMods.h"
#include "engine/MidiEvents.h"
#include "panels/PresetCatalog.h"

#include <QString>

#include <functional>
#include <utility>

namespace melorit::engine {
class Mixer;
} // namespace melorit::engine

// The rules of the channel panel's 112 controls (volume, pan, reverb send,
// chorus send, program, bank and drum mode of each channel): taking a
// controller over, stepping through the presets the SoundFont holds, drag
// scaling, giving it back to the song, and what each control shows. The
// values are the mixer's controller table; the window only draws them and
// forwards the pointer. UI thread.
namespace melorit::panels {

// Controls 0-111; a control's index is its controller table index (row base
// plus channel).
inline constexpr int kChannelControlCount = 112;

// Drag modes of the rows: what a press starts and how a move is scaled.
inline constexpr int kDragVolume = 1;
inline constexpr int kDragPan = 2;
inline constexpr int kDragReverb = 3;
inline constexpr int kDragChorus = 4;
inline constexpr int kDragBank = 5;
inline constexpr int kDragProgram = 6;
inline constexpr int kDragDrums = 7;

// The drag mode of a control, 0 outside 0-111.
int channelDragMode(int index);
// The kind digit of a control's tag (the family of pictures it is drawn
// from): 0 rotary knob, 1 pan knob, 2 bank display, 3 program display,
// 5 drum-mode button.
int channelKnobKind(int index);
// The highest value of a control: 127, `maxBank` for banks, 1 for drum mode.
int channelMaximum(int index, int maxBank);

// The value a drag reaches from its start value for a pointer distance
// (right plus up, in pixels): a knob crosses its range 0-127 over 200
// pixels, ten times finer while Shift or Ctrl is held; banks and programs
// take the distance rounded and divided by 10, drum mode by 100, then by 10
// again while Ctrl is held. Each step is rounded half to even; the result is
// kept between 0 and the row's maximum.
int channelDragValue(int mode, int start, double distance, const KeyMods &mods, int maxBank);

// What a control shows for a value.
struct ChannelKnobFace {
    int kind = 0;
    int value = 0; // 0-127, or 128 on the bank display of a drum-mode channel
    bool mark = false;
    QString tip;
};

class ChannelControls {
public:
    // The override mark a control carries (its tag's second digit).
    using MarkOf = std::function<bool(int index)>;

    // Without a SoundFont the catalog may be empty: every name is then "".
    ChannelControls(engine::Mixer &mixer, PresetCatalog presets);
    void setPresets(PresetCatalog presets) { m_presets = std::move(presets); }

    // `TestButton` for a left or middle press: a control that follows the
    // song is taken over at the song's value, without a sound change; an
    // overridden bank, program or drum-mode control steps (backwards with
    // Shift). Returns the value a drag starts from.
    int pressLeft(int index, const KeyMods &mods);
    // `TestButton` for a right press: an overridden control is given back
    // to the song, stored empty and the song's value sent again.
    void pressRight(int index);
    // A drag's value sent to the channel at once; the override is unchanged.
    void preview(int index, int value);
    // The release: the dragged value becomes the override and is stored.
    void commit(int index, int value);

    // `DrawKnob`'s choice of picture and tip for a value.
    ChannelKnobFace face(int index, int value, const MarkOf &markOf) const;
    // The preset name at a bank and program; -1 takes the channel's
    // effective bank (128 in drum mode) or program.
    QString TipPreset(int channel, int bank = -1, int program = -1) const;

    bool drumMode(int channel) const;
    int maxBank() const;

private:
    void send(int channel, engine::MidiEvent event, int value);
    void sendBankAndProgram(int channel, int bank, int program);
    int takeOver(int index);
    int stepBankControl(int channel, int direction);
    int stepProgramControl(int channel, int direction);
    int toggleDrums(int channel, int direction);
    void storeOverride(int index, int value);

    engine::Mixer &m_mixer;
    PresetCatalog m_presets;
};

} // namespace melorit::panels
