#include "panels/PresetStepping.h"

#include "panels/PresetCatalog.h"

namespace melorit::panels {

namespace {

constexpr int kPrograms = 128;
constexpr int kLastProgram = kPrograms - 1;
constexpr int kDrumBank = 128;
constexpr int kMaxWraps = 128;

} // namespace

int wrapProgram(int program)
{
    if (program < 0) {
        return kLastProgram;
    }
    return program > kLastProgram ? 0 : program;
}

namespace {

struct BankStep {
    int bank;
    bool wrapped;
};

BankStep bankStep(int bank, int direction, int maxBank)
{
    const int next = bank + direction;
    if (next < 0) {
        return {maxBank, true};
    }
    if (next > maxBank) {
        return direction < 0 ? BankStep{maxBank, false} : BankStep{0, true};
    }
    return {next, false};
}

} // namespace

int nextBank(int bank, int direction, int maxBank)
{
    return bankStep(bank, direction, maxBank).bank;
}

BankProgram stepBank(const PresetCatalog &presets, BankProgram from, int direction,
                     bool programOverridden)
{
    const int maxBank = presets.MaxBank();
    BankProgram at = from;
    int wraps = 0;
    // The 128 program steps of the wraps bring an overridden program back to
    // where it started, so every bank and program has been looked at once
    // the banks after the last wrap are done too.
    while (true) {
        const BankStep step = bankStep(at.bank, direction, maxBank);
        at.bank = step.bank;
        if (step.wrapped) {
            if (++wraps > kMaxWraps) {
                break;
            }
            if (programOverridden) {
                at.program = wrapProgram(at.program + direction);
            }
        }
        if (presets.exists(at.bank, at.program)) {
            return at;
        }
    }
    return {nextBank(from.bank, direction, maxBank), from.program};
}

BankProgram stepProgram(const PresetCatalog &presets, BankProgram from, int direction,
                        bool bankOverridden, bool drumMode)
{
    const int maxBank = presets.MaxBank();
    const bool movesBank = bankOverridden && !drumMode;
    // Enough steps to meet every bank and program once, from any start (a
    // bank above MaxBank never comes round again, the search must end anyway).
    const int limit = kPrograms * (movesBank ? maxBank + 2 : 1);
    const auto hasPreset = [&](BankProgram p) {
        return presets.exists(drumMode ? kDrumBank : p.bank, p.program);
    };
    BankProgram at = from;
    for (int n = 0; n < limit; ++n) {
        const int next = at.program + direction;
        at.program = wrapProgram(next);
        if (at.program != next && movesBank) {
            at.bank = nextBank(at.bank, direction, maxBank);
        }
        if (at == from) {
            break;
        }
        if (hasPreset(at)) {
            return at;
        }
    }
    // Round to the start: the only preset there is stays where it is.
    if (hasPreset(from)) {
        return from;
    }
    return {from.bank, wrapProgram(from.program + direction)};
}

} // namespace melorit::panels
