#include "party/ScreenChoice.h"

#include <algorithm>

namespace melorit::party {
namespace {

qint64 area(const ScreenInfo &screen)
{
    return qint64(screen.size.width()) * screen.size.height();
}

int sameNamedBefore(const QList<ScreenInfo> &screens, int index)
{
    int count = 0;
    for (int i = 0; i < index; ++i) {
        count += screens[i].name == screens[index].name ? 1 : 0;
    }
    return count;
}

bool nameShared(const QList<ScreenInfo> &screens, int index)
{
    for (int i = 0; i < screens.size(); ++i) {
        if (i != index && screens[i].name == screens[index].name) {
            return true;
        }
    }
    return false;
}

} // namespace

int defaultLyricsScreen(const QList<ScreenInfo> &screens, int mainScreen)
{
    int best = -1;
    for (int i = 0; i < screens.size(); ++i) {
        if (i != mainScreen && (best < 0 || area(screens[i]) > area(screens[best]))) {
            best = i;
        }
    }
    if (best >= 0) {
        return best;
    }
    return screens.isEmpty() ? -1 : std::clamp(mainScreen, 0, int(screens.size()) - 1);
}

int lyricsScreen(const QList<ScreenInfo> &screens, int mainScreen, const QString &stored)
{
    const int chosen = screenOfKey(screens, stored);
    return chosen >= 0 ? chosen : defaultLyricsScreen(screens, mainScreen);
}

QString screenKey(const QList<ScreenInfo> &screens, int index)
{
    if (index < 0 || index >= screens.size()) {
        return {};
    }
    const QString &name = screens[index].name;
    if (!nameShared(screens, index)) {
        return name;
    }
    return QStringLiteral("%1 #%2").arg(name).arg(sameNamedBefore(screens, index) + 1);
}

int screenOfKey(const QList<ScreenInfo> &screens, const QString &stored)
{
    if (stored.isEmpty()) {
        return -1;
    }
    for (int i = 0; i < screens.size(); ++i) {
        if (screenKey(screens, i) == stored) {
            return i;
        }
    }
    // Stored while the name was its own, and now shared: the first so named.
    for (int i = 0; i < screens.size(); ++i) {
        if (screens[i].name == stored) {
            return i;
        }
    }
    return -1;
}

} // namespace melorit::party
