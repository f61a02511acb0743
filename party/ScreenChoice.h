#pragma once

#include <QList>
#include <QSize>
#include <QString>

namespace melorit::party {

// A screen as the choice of the lyrics screen sees it: its name and size.
struct ScreenInfo {
    QString name;
    QSize size;
};

// The screen the lyrics go full screen on when none is chosen: the largest
// (by area; the first of equals) that does not hold the main window; the
// main window's own when it is the only one. -1 without screens.
int defaultLyricsScreen(const QList<ScreenInfo> &screens, int mainScreen);

// The chosen screen (its stored text, see screenKey) when it is there,
// otherwise the default one.
int lyricsScreen(const QList<ScreenInfo> &screens, int mainScreen, const QString &stored);

// The text that names screen `index` for the settings: its name, or
// "name #n" for the n-th of several screens with that name (two X screens
// of one server may both be called "screen").
QString screenKey(const QList<ScreenInfo> &screens, int index);

// The screen a stored text names; -1 when it names none of them.
int screenOfKey(const QList<ScreenInfo> &screens, const QString &stored);

} // namespace melorit::party
