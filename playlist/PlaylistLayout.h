#pragma once

#include <QRect>
#include <QSize>

// Where the playlist window's controls go, in pixels.
namespace melorit::playlist::layout {

// The list starts right of the button column, at the top.
inline constexpr int kListLeft = 32;
// Below this inner width (height) the list keeps its last width (height).
inline constexpr int kMinimumSide = 160;

inline constexpr int kButtonSize = 24;
inline constexpr int kButtonMargin = 4;

// The singer's column, right of the songs' (which takes the rest).
inline constexpr int kSingerColumnWidth = 110;

// The window's size when it is first shown.
inline constexpr QSize kInitialSize{360, 240};

// Form_Resize: the list's size for the window's inner size. The height
// follows an inner height of at least 160, the width (inner width less the
// button column) an inner width of at least 160; otherwise the list keeps
// the size it has.
QSize listSize(QSize inner, QSize current);

// Button 48 to 54: one column 4 pixels from the left, the first 4 pixels
// from the top, each directly below the previous one.
QRect buttonRect(int button);

} // namespace melorit::playlist::layout
