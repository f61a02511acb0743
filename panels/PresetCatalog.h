#pragma once

#include <QString>

#include <functional>

namespace melorit::panels {

// Where the channel panel finds the loaded SoundFont's presets: `PresetName`
// (bank 0-128, 128 = drum kits, program 0-127; an empty name means there is
// no such preset) and `MaxBank` (the highest bank below 128 with a preset).
// The player keeps both; without a SoundFont either may be left empty.
struct PresetCatalog {
    std::function<QString(int bank, int program)> presetName;
    std::function<int()> maxBank;

    QString nameOf(int bank, int program) const
    {
        return presetName ? presetName(bank, program) : QString();
    }
    bool exists(int bank, int program) const { return !nameOf(bank, program).isEmpty(); }
    int MaxBank() const { return maxBank ? maxBank() : 0; }
};

} // namespace melorit::panels
