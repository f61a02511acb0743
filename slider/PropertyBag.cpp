#include "slider/PropertyBag.h"

#include <algorithm>

namespace trackel {

std::vector<std::pair<QString, QVariant>>::const_iterator
PropertyBag::find(const QString &name) const
{
    return std::find_if(m_entries.begin(), m_entries.end(), [&name](const auto &entry) {
        return entry.first.compare(name, Qt::CaseInsensitive) == 0;
    });
}

void PropertyBag::writeProperty(const QString &name, const QVariant &value,
                                const QVariant &defaultValue)
{
    const auto found = find(name);
    const bool isDefault = value == defaultValue;
    if (found == m_entries.end()) {
        if (!isDefault) {
            m_entries.emplace_back(name, value);
        }
        return;
    }
    const auto index = found - m_entries.cbegin();
    if (isDefault) {
        m_entries.erase(m_entries.begin() + index);
    } else {
        m_entries[static_cast<std::size_t>(index)].second = value;
    }
}

QVariant PropertyBag::readProperty(const QString &name, const QVariant &defaultValue) const
{
    const auto found = find(name);
    return found == m_entries.end() ? defaultValue : found->second;
}

bool PropertyBag::contains(const QString &name) const
{
    return find(name) != m_entries.end();
}

QStringList PropertyBag::names() const
{
    QStringList result;
    result.reserve(static_cast<qsizetype>(m_entries.size()));
    for (const auto &entry : m_entries) {
        result.append(entry.first);
    }
    return result;
}

} // namespace trackel
