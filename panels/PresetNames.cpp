#include "panels/PresetNames.h"

#include "base/CodePages.h"

#include <algorithm>

namespace melorit::panels {

PresetNames PresetNames::fromLookup(const Lookup &lookup)
{
    PresetNames names;
    for (int bank = 0; bank < kBanks; ++bank) {
        for (int program = 0; program < kPrograms; ++program) {
            if (const auto raw = lookup(bank, program)) {
                const std::string_view bytes = raw->substr(0, raw->find('\0'));
                names.setPreset(bank, program,
                                codepages::decodeWindows1252(QByteArrayView(
                                    bytes.data(), static_cast<qsizetype>(bytes.size()))));
            }
        }
    }
    return names;
}

int PresetNames::slot(int bank, int program)
{
    if (bank < 0 || bank >= kBanks || program < 0 || program >= kPrograms) {
        return -1;
    }
    return bank * kPrograms + program;
}

void PresetNames::setPreset(int bank, int program, const QString &name)
{
    const int at = slot(bank, program);
    if (at < 0 || name.isEmpty()) {
        return;
    }
    if (m_names.empty()) {
        m_names.resize(static_cast<std::size_t>(kBanks) * kPrograms);
    }
    m_names[static_cast<std::size_t>(at)] = name;
    if (bank != kDrumBank) {
        m_maxBank = std::max(m_maxBank, bank);
    }
}

void PresetNames::clear()
{
    m_names.clear();
    m_maxBank = 0;
}

QString PresetNames::name(int bank, int program) const
{
    const int at = slot(bank, program);
    return at >= 0 && !m_names.empty() ? m_names[static_cast<std::size_t>(at)] : QString();
}

PresetCatalog PresetNames::catalog() const
{
    return {[this](int bank, int program) { return name(bank, program); },
            [this] { return MaxBank(); }};
}

} // namespace melorit::panels
