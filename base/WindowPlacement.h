#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <optional>
#include <vector>

// Where the main window and the four windows that follow it open when the
// user has not placed them: beside one another, on the main window's screen,
// none over another. A window the user placed keeps its stored offset and
// the others are arranged around it. Pure arithmetic in pixels, any thread.
namespace melorit::placement {

inline constexpr int kWindowCount = 4; // channel panel, effects panel, lyrics, playlist
// An anchor: the main window, or a window by its index 0..3.
inline constexpr int kMain = -1;

enum class Side { Below, Above, Right, Left };

// "Put me on this side of that window"; the arrangement with the least
// cost in all wins.
struct Preference {
    int anchor = kMain;
    Side side = Side::Below;
    int cost = 0;
};

struct Window {
    // The window's own size, without the frame; empty for a window that
    // does not exist (it is left out).
    QSize size;
    // The offset from the main window the user gave it, in pixels.
    std::optional<QPoint> storedOffset;
    // Tried in this order before any other free place next to a window
    // (which costs more than any of them).
    std::vector<Preference> preferences;
};

struct Layout {
    // The part of the main window's screen windows may use.
    QRect screen;
    QSize mainSize;
    // Where the user left the main window; without it the arrangement is
    // centred on the screen.
    std::optional<QPoint> storedMainPos;
    // The frame a window manager adds around a secondary window (the main
    // window has none); a window placed at a point has its frame there.
    QMargins decoration;
    int gap = 8;
};

struct Plan {
    QPoint mainPos;
    std::array<QPoint, kWindowCount> offsets{}; // pixels from mainPos
    // The windows are all on the screen and none covers another; when false
    // the main window is at least left uncovered wherever the screen allows.
    bool apart = false;
};

// The sides the windows prefer: the channel panel under the main window, the
// effects panel under the channel panel or above the main window, the lyrics
// window to the right and the playlist to the left of the main window. When
// the screen is too narrow for both, the lyrics window keeps its side.
std::array<Window, kWindowCount>
windowsWithDefaultSides(const std::array<QSize, kWindowCount> &sizes,
                        const std::array<std::optional<QPoint>, kWindowCount> &storedOffsets);

Plan planWindows(const Layout &layout, const std::array<Window, kWindowCount> &windows);

} // namespace melorit::placement
