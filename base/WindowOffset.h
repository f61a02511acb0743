#pragma once

#include <QLatin1StringView>
#include <QPoint>
#include <QString>

#include <functional>

namespace melorit {

// What a secondary window (a panel, the lyrics window) knows of the main
// window it follows. Members may be left empty. UI thread.
struct MainWindowLink {
    // The main window is moving its secondary windows along with itself.
    std::function<bool()> movingSecondaryWindows;
    // The main window's position (pixels), and where the window's offset
    // from it (twips) is kept for the main window to move it along.
    std::function<QPoint()> mainWindowPos;
    std::function<void(QPoint offsetTwips)> offsetChanged;
};

// A secondary window's offset from the main window, in twips.
QPoint windowOffsetTwips(QPoint windowPos, QPoint mainWindowPos);

// Stores an offset as "X" and "Y" (twips) of a section of the configuration
// file ("" is "Melorit.ini").
void writeWindowOffset(QLatin1StringView section, QPoint offsetTwips,
                       const QString &configFile = {});

// MemoPosition of a secondary window that moved: unless the main window is
// moving it, its offset is announced and stored under `section`.
void MemoOffset(const MainWindowLink &link, QPoint windowPos, QLatin1StringView section,
                const QString &configFile);

} // namespace melorit
