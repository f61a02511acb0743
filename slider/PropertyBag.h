#pragma once

#include "slider/TrackelExport.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>
#include <vector>

namespace trackel {

// Named values that a control saves and reads back, in the order they were written. A host
// keeps the bag wherever it keeps its settings. Names compare case-insensitively.
class TRACKEL_EXPORT PropertyBag {
public:
    // Stores value under name, replacing an earlier value of that name in its place. When the
    // value equals defaultValue nothing is stored and an earlier value is removed, so a bag
    // only holds what differs from the defaults.
    void writeProperty(const QString &name, const QVariant &value, const QVariant &defaultValue);
    // The value stored under name, or defaultValue when there is none.
    QVariant readProperty(const QString &name, const QVariant &defaultValue) const;

    bool contains(const QString &name) const;
    // Names in the order they were first written.
    QStringList names() const;
    bool isEmpty() const { return m_entries.empty(); }
    void clear() { m_entries.clear(); }

private:
    std::vector<std::pair<QString, QVariant>>::const_iterator find(const QString &name) const;

    std::vector<std::pair<QString, QVariant>> m_entries;
};

} // namespace trackel
