#pragma once

// Stepping a channel's bank or program to the next preset the SoundFont
// holds, as a click on the channel panel's bank or program display does.
// Stepping never fails: when the font has no preset to go to, the value
// still moves one step.
namespace melorit::panels {

struct PresetCatalog;

struct BankProgram {
    int bank = 0;
    int program = 0;

    friend bool operator==(const BankProgram &, const BankProgram &) = default;
};

// One step of a program, wrapping between 0 and 127.
int wrapProgram(int program);
// One step (+1 or -1) of a bank, wrapping between 0 and `maxBank`: below 0
// it becomes `maxBank`, above `maxBank` 0. A step down from a bank above
// `maxBank` (one the font does not reach) lands on `maxBank`.
int nextBank(int bank, int direction, int maxBank);

// The next bank (direction +1 or -1) that has a preset for the program. At
// each wrap of the bank, an overridden program moves one step the same way.
// After 128 wraps without a preset the bank moves one step and the program
// stays as it was.
BankProgram stepBank(const PresetCatalog &presets, BankProgram from, int direction,
                     bool programOverridden);

// The next program (direction +1 or -1) with a preset in the channel's bank,
// or in the drum-kit bank 128 in drum mode. At each wrap of the program, an
// overridden bank moves one step (not in drum mode, where the bank is not
// the one looked in). When the search comes round to the start, the start
// stays when it is a preset (the only one there is); otherwise the program
// moves one step and the bank stays.
BankProgram stepProgram(const PresetCatalog &presets, BankProgram from, int direction,
                        bool bankOverridden, bool drumMode);

} // namespace melorit::panels
