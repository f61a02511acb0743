// Stepping a bank or a program to the next preset the SoundFont holds.
#include "panels/PresetStepping.h"
#include "panels/PresetNames.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

using namespace melorit::panels;

namespace {

PresetNames fontWith(std::initializer_list<std::pair<int, int>> presets)
{
    PresetNames names;
    for (const auto &[bank, program] : presets) {
        names.setPreset(bank, program, QStringLiteral("P%1/%2").arg(bank).arg(program));
    }
    return names;
}

} // namespace

TEST(PresetNames, TableFromAFontAndMaxBankBelowTheDrumKits)
{
    const PresetNames empty;
    EXPECT_EQ(empty.MaxBank(), 0);
    EXPECT_EQ(empty.name(0, 0), u"");
    EXPECT_FALSE(empty.catalog().exists(0, 0));
    EXPECT_EQ(PresetCatalog{}.MaxBank(), 0) << "no SoundFont";
    EXPECT_EQ(PresetCatalog{}.nameOf(0, 0), u"");

    const PresetNames names =
        PresetNames::fromLookup([](int bank, int program) -> std::optional<std::string_view> {
            using namespace std::string_view_literals;
            if (bank == 0 && program == 0) {
                return "Grand \xE9t\xE9"sv; // Windows-1252
            }
            if (bank == 2 && program == 1) {
                return "Bass\0\0\0"sv; // a fixed field
            }
            if (bank == 7 && program == 3) {
                return ""sv;
            }
            if (bank == 128 && program == 0) {
                return "Kit"sv;
            }
            return std::nullopt;
        });
    const PresetCatalog catalog = names.catalog();
    EXPECT_EQ(catalog.nameOf(0, 0), u"Grand \u00e9t\u00e9");
    EXPECT_EQ(catalog.nameOf(2, 1), u"Bass");
    EXPECT_EQ(catalog.MaxBank(), 2) << "a preset without a name counts as none";
    EXPECT_FALSE(catalog.exists(7, 3));
    EXPECT_EQ(catalog.nameOf(128, 0), u"Kit");
    EXPECT_FALSE(catalog.exists(129, 0));
    EXPECT_FALSE(catalog.exists(0, 128));
    EXPECT_FALSE(catalog.exists(-1, 0));
}

TEST(PresetStepping, WrapsOfBanksAndPrograms)
{
    EXPECT_EQ(wrapProgram(128), 0);
    EXPECT_EQ(wrapProgram(-1), 127);
    EXPECT_EQ(wrapProgram(64), 64);
    EXPECT_EQ(nextBank(3, 1, 3), 0);
    EXPECT_EQ(nextBank(0, -1, 3), 3);
    EXPECT_EQ(nextBank(1, 1, 3), 2);
    // From a bank the font does not reach, down lands on its last bank.
    EXPECT_EQ(nextBank(9, -1, 3), 3);
    EXPECT_EQ(nextBank(9, 1, 3), 0);
}

TEST(PresetStepping, BankSkipsBanksWithoutTheProgramAndWraps)
{
    const PresetNames names = fontWith({{0, 5}, {2, 5}, {4, 1}});
    EXPECT_EQ(stepBank(names.catalog(), {0, 5}, 1, false), (BankProgram{2, 5}));
    EXPECT_EQ(stepBank(names.catalog(), {2, 5}, 1, false), (BankProgram{0, 5}));
    EXPECT_EQ(stepBank(names.catalog(), {0, 5}, -1, false), (BankProgram{2, 5}));
    EXPECT_EQ(stepBank(names.catalog(), {2, 5}, -1, false), (BankProgram{0, 5}));
}

TEST(PresetStepping, BankWrapsMoveAnOverriddenProgram)
{
    const PresetNames names = fontWith({{0, 5}, {2, 7}});
    // 1/5 and 2/5 missing; wrap, program 6: 0-2 missing; wrap, program 7:
    // 0/7 and 1/7 missing, 2/7 found.
    EXPECT_EQ(stepBank(names.catalog(), {0, 5}, 1, true), (BankProgram{2, 7}));
    // Backwards the program goes down at each wrap: from 2/7, 1/7 and 0/7
    // missing, wrap to 2/6 ... then 0/5.
    EXPECT_EQ(stepBank(names.catalog(), {2, 7}, -1, true), (BankProgram{0, 5}));
    // With the program following the song, only the program's own banks.
    EXPECT_EQ(stepBank(names.catalog(), {2, 7}, -1, false), (BankProgram{2, 7}));
}

TEST(PresetStepping, BankWithoutAnyPresetMovesOneStep)
{
    const PresetNames names = fontWith({{0, 1}, {3, 1}});
    EXPECT_EQ(stepBank(names.catalog(), {3, 9}, 1, false), (BankProgram{0, 9}));
    EXPECT_EQ(stepBank(names.catalog(), {1, 9}, -1, false), (BankProgram{0, 9}));
    const PresetNames empty;
    EXPECT_EQ(stepBank(empty.catalog(), {0, 9}, 1, true), (BankProgram{0, 9}));
    EXPECT_EQ(stepBank(empty.catalog(), {5, 9}, -1, true), (BankProgram{0, 9}));
}

TEST(PresetStepping, ProgramSkipsMissingPresetsAndWrapsBothWays)
{
    const PresetNames names = fontWith({{0, 0}, {0, 5}, {0, 127}, {1, 3}});
    EXPECT_EQ(stepProgram(names.catalog(), {0, 0}, 1, false, false), (BankProgram{0, 5}));
    EXPECT_EQ(stepProgram(names.catalog(), {0, 5}, 1, false, false), (BankProgram{0, 127}));
    EXPECT_EQ(stepProgram(names.catalog(), {0, 127}, 1, false, false), (BankProgram{0, 0}));
    EXPECT_EQ(stepProgram(names.catalog(), {0, 0}, -1, false, false), (BankProgram{0, 127}));
    EXPECT_EQ(stepProgram(names.catalog(), {1, 3}, 1, false, false), (BankProgram{1, 3}))
        << "the only preset of its bank stays";
}

TEST(PresetStepping, ProgramWrapsMoveAnOverriddenBank)
{
    const PresetNames names = fontWith({{0, 120}, {1, 3}});
    EXPECT_EQ(stepProgram(names.catalog(), {0, 120}, 1, true, false), (BankProgram{1, 3}));
    // Backwards from 1/3: 1/2 ... 1/0 missing, wrap: bank 0, 0/127 ... 0/120.
    EXPECT_EQ(stepProgram(names.catalog(), {1, 3}, -1, true, false), (BankProgram{0, 120}));
    // Without the bank override the search stays in bank 0.
    EXPECT_EQ(stepProgram(names.catalog(), {0, 121}, 1, false, false), (BankProgram{0, 120}));
}

TEST(PresetStepping, DrumModeSearchesTheKitsAndLeavesTheBank)
{
    const PresetNames names = fontWith({{0, 5}, {2, 1}, {128, 8}, {128, 25}});
    EXPECT_EQ(stepProgram(names.catalog(), {0, 0}, 1, true, true), (BankProgram{0, 8}));
    EXPECT_EQ(stepProgram(names.catalog(), {2, 25}, 1, true, true), (BankProgram{2, 8}));
    EXPECT_EQ(stepProgram(names.catalog(), {0, 8}, -1, false, true), (BankProgram{0, 25}));
}

TEST(PresetStepping, ProgramSearchesEndWithoutPresets)
{
    const PresetNames empty;
    EXPECT_EQ(stepProgram(empty.catalog(), {0, 127}, 1, true, false), (BankProgram{0, 0}));
    // An overridden bank the font does not reach never comes round again:
    // the search still ends.
    const PresetNames names = fontWith({{0, 3}, {2, 3}});
    EXPECT_EQ(stepProgram(names.catalog(), {9, 3}, 1, true, false), (BankProgram{0, 3}));
    const PresetNames kitsOnly = fontWith({{128, 0}});
    EXPECT_EQ(stepProgram(kitsOnly.catalog(), {40, 50}, 1, true, false), (BankProgram{40, 51}));
}
