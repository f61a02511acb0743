#include "playlist/PlaylistLayout.h"

#include "skins/ButtonFrames.h"

namespace melorit::playlist::layout {

QSize listSize(QSize inner, QSize current)
{
    QSize size = current;
    if (inner.height() >= kMinimumSide) {
        size.setHeight(inner.height());
    }
    if (inner.width() >= kMinimumSide) {
        size.setWidth(inner.width() - kListLeft);
    }
    return size;
}

QRect buttonRect(int button)
{
    const int row = button - skins::kFirstPlaylistButton;
    return {kButtonMargin, kButtonMargin + kButtonSize * row, kButtonSize, kButtonSize};
}

} // namespace melorit::playlist::layout
