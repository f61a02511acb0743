#include "base/WindowOffset.h"

#include "base/Geometry.h"
#include "base/Ini.h"

namespace melorit {

QPoint windowOffsetTwips(QPoint windowPos, QPoint mainWindowPos)
{
    return (windowPos - mainWindowPos) * geometry::kTwipsPerPixel;
}

void writeWindowOffset(QLatin1StringView section, QPoint offsetTwips, const QString &configFile)
{
    WriteIni(section, QStringLiteral("X"), QString::number(offsetTwips.x()), configFile);
    WriteIni(section, QStringLiteral("Y"), QString::number(offsetTwips.y()), configFile);
}

void MemoOffset(const MainWindowLink &link, QPoint windowPos, QLatin1StringView section,
                const QString &configFile)
{
    if (link.movingSecondaryWindows && link.movingSecondaryWindows()) {
        return;
    }
    if (!link.mainWindowPos) {
        return;
    }
    const QPoint offset = windowOffsetTwips(windowPos, link.mainWindowPos());
    if (link.offsetChanged) {
        link.offsetChanged(offset);
    }
    writeWindowOffset(section, offset, configFile);
}

} // namespace melorit
