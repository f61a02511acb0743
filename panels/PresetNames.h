#pragma once

#include "panels/PresetCatalog.h"

#include <QString>

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace melorit::panels {

// A table of preset names by bank (0-128, 128 = drum kits) and program
// (0-127), filled from a SoundFont, with its `MaxBank`; an empty name means
// that there is no such preset. For owners of a font that keep no table of
// their own (tools, tests). UI thread.
class PresetNames {
public:
    static constexpr int kBanks = 129;
    static constexpr int kPrograms = 128;
    static constexpr int kDrumBank = 128;

    // The font's preset name at a bank and program, nothing when it has none.
    // Names are bytes in Windows-1252, ending at the first zero byte.
    using Lookup = std::function<std::optional<std::string_view>(int bank, int program)>;

    // The table of a font, asked once for every bank and program.
    static PresetNames fromLookup(const Lookup &lookup);

    // One preset; out-of-range banks and programs are ignored.
    void setPreset(int bank, int program, const QString &name);
    void clear();

    // The preset's name; "" when there is no such preset.
    QString name(int bank, int program) const;
    // The highest bank below 128 with at least one preset; 0 when there is none.
    int MaxBank() const { return m_maxBank; }

    // The table as the panels read it; valid while the table lives.
    PresetCatalog catalog() const;

private:
    static int slot(int bank, int program);

    std::vector<QString> m_names; // empty until a preset is set
    int m_maxBank = 0;
};

} // namespace melorit::panels
