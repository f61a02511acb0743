// Where the main window and its four secondary windows open: stored
// positions are honoured, the others are placed beside one another.
#include "app/program/Program.h"

#include "app/program/ProgramKeys.h"
#include "base/Geometry.h"
#include "base/Ini.h"
#include "base/TextUtil.h"
#include "base/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>

namespace melorit::program {

namespace {

// The frame a window manager puts around a secondary window is not known
// before the window has been shown; room is kept for a usual title bar.
constexpr QMargins kAssumedFrame(0, 28, 0, 0);
constexpr int kWindowGap = 8;

const std::array<QLatin1StringView, kSecondaryWindowCount> kSections{
    keys::kReglageSection, keys::kReverbSection, keys::kParolesSection, keys::kPlayListSection};

std::optional<int> storedCoordinate(QLatin1StringView section, QLatin1StringView key)
{
    const QString value = ReadIni(section, key);
    if (value.isEmpty()) {
        return std::nullopt;
    }
    return text::toInt(text::Val(value));
}

// A secondary window's stored offset in twips; a missing "X" or "Y" reads
// as 0, and a window with neither has none.
std::optional<QPoint> storedOffset(QLatin1StringView section)
{
    const std::optional<int> x = storedCoordinate(section, keys::kXKey);
    const std::optional<int> y = storedCoordinate(section, keys::kYKey);
    if (!x && !y) {
        return std::nullopt;
    }
    return QPoint(x.value_or(0), y.value_or(0));
}

QRect screenArea(std::optional<QPoint> at)
{
    QScreen *screen = at ? QGuiApplication::screenAt(*at) : nullptr;
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

// The stored position of the main window in pixels, when it lies on the
// primary screen; otherwise the window is placed with the others.
std::optional<QPoint> Program::storedMainPosition() const
{
    const int x = storedCoordinate(keys::kMainSection, keys::kXKey).value_or(keys::kUnsetPosition);
    const int y = storedCoordinate(keys::kMainSection, keys::kYKey).value_or(keys::kUnsetPosition);
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    if (!geometry::onScreen(
            x - geometry::pixelsToTwips(area.x()), y - geometry::pixelsToTwips(area.y()),
            geometry::pixelsToTwips(area.width()), geometry::pixelsToTwips(area.height()))) {
        return std::nullopt;
    }
    return QPoint(geometry::twipsToPixels(x), geometry::twipsToPixels(y));
}

void Program::placeWindows()
{
    std::array<std::optional<QPoint>, kSecondaryWindowCount> stored;
    for (std::size_t i = 0; i < kSections.size(); ++i) {
        stored[i] = storedOffset(kSections[i]);
        m_offsets[i] = stored[i].value_or(QPoint());
    }
    createChannelPanel();
    createEffectsPanel();
    createLyricsWindow();
    createScoring();
    createPlaylistWindow();

    std::array<QSize, kSecondaryWindowCount> sizes;
    std::array<std::optional<QPoint>, kSecondaryWindowCount> storedPixels;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const QWidget *window = secondaryWindow(static_cast<SecondaryWindow>(i));
        sizes[i] = window ? window->size() : QSize();
        if (stored[i]) {
            storedPixels[i] = QPoint(geometry::twipsToPixels(stored[i]->x()),
                                     geometry::twipsToPixels(stored[i]->y()));
        }
    }
    placement::Layout layout;
    layout.storedMainPos = storedMainPosition();
    layout.screen = screenArea(layout.storedMainPos);
    layout.mainSize = m_main.window->size();
    layout.decoration = kAssumedFrame;
    layout.gap = kWindowGap;
    const placement::Plan plan =
        placement::planWindows(layout, placement::windowsWithDefaultSides(sizes, storedPixels));
    m_main.window->move(plan.mainPos);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        if (!stored[i]) {
            m_offsets[i] = QPoint(geometry::pixelsToTwips(plan.offsets[i].x()),
                                  geometry::pixelsToTwips(plan.offsets[i].y()));
        }
    }
    BougeFilles();
}

} // namespace melorit::program
