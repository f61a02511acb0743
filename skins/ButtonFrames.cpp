#include "skins/ButtonFrames.h"

#include <algorithm>

namespace melorit::skins {

namespace {

constexpr int kSoloMuteWidth = 24;
constexpr int kSoloMuteHeight = 12;
constexpr int kLargeSize = 32;
constexpr int kLargeTop = 48;
constexpr int kLastLargeButton = 37;
constexpr int kSmallSize = 24;
constexpr int kSmallTop = 160;
constexpr int kFirstSmallButton = 38;
constexpr int kPlaylistTop = 112;

// The repeat cells, shared by both windows.
constexpr QPoint kRepeatOffCell{72, 0};
constexpr QPoint kRepeatSongCell{72, 24};
constexpr QPoint kRepeatListCell{96, 24};
// The paused play button, right of the pressed row of the large buttons.
constexpr QPoint kPausedCell{192, 80};

Frame buttonCell(int x, int y, int width, int height)
{
    return {Sheet::Buttons, QRect(x, y, width, height)};
}

Frame smallCell(QPoint topLeft)
{
    return buttonCell(topLeft.x(), topLeft.y(), kSmallSize, kSmallSize);
}

} // namespace

std::optional<Frame> mainButtonFrame(int index, int state)
{
    if (index < kFirstSoloButton || index > kLastCommandButton) {
        return std::nullopt;
    }
    if (index < kFirstCommandButton) {
        const int x = index < kFirstMuteButton ? 0 : kSoloMuteWidth;
        const int s = std::clamp(state, 0, 3);
        return buttonCell(x, kSoloMuteHeight * s, kSoloMuteWidth, kSoloMuteHeight);
    }
    if (index == kRepeatButton) {
        const int s = std::clamp(state, 0, 3);
        if (s == 2) {
            return smallCell(kRepeatSongCell);
        }
        if (s == 3) {
            return smallCell(kRepeatListCell);
        }
    }
    if (index == kPlayButton && state == kPausedState) {
        return buttonCell(kPausedCell.x(), kPausedCell.y(), kLargeSize, kLargeSize);
    }
    const int s = std::clamp(state, 0, 1);
    if (index <= kLastLargeButton) {
        return buttonCell(kLargeSize * (index - kFirstCommandButton), kLargeTop + kLargeSize * s,
                          kLargeSize, kLargeSize);
    }
    return smallCell({kSmallSize * (index - kFirstSmallButton), kSmallTop + kSmallSize * s});
}

std::optional<Frame> playlistButtonFrame(int index, int state)
{
    if (index < kFirstPlaylistButton || index > kLastPlaylistButton) {
        return std::nullopt;
    }
    if (index == kPlaylistRepeatButton) {
        const int s = std::clamp(state, 0, 3);
        if (s == 0) {
            return smallCell(kRepeatOffCell);
        }
        return smallCell(s == 2 ? kRepeatSongCell : kRepeatListCell);
    }
    const int s = std::clamp(state, 0, 1);
    return smallCell({kSmallSize * (index - kFirstPlaylistButton), kPlaylistTop + kSmallSize * s});
}

} // namespace melorit::skins
