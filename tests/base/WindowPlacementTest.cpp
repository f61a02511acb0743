#include "base/WindowPlacement.h"

#include <gtest/gtest.h>

namespace melorit::placement {
namespace {

// The program's windows: main window, channel panel, effects panel, lyrics
// window, playlist, and the title bar a window manager adds.
const QSize kMain(610, 446);
const std::array<QSize, kWindowCount> kSizes{QSize(548, 238), QSize(760, 130), QSize(640, 360),
                                             QSize(360, 240)};
const QMargins kFrame(0, 28, 0, 0);

Layout layoutOn(QRect screen, std::optional<QPoint> main = std::nullopt)
{
    Layout layout;
    layout.screen = screen;
    layout.mainSize = kMain;
    layout.storedMainPos = main;
    layout.decoration = kFrame;
    return layout;
}

std::vector<QRect> frames(const Plan &plan)
{
    std::vector<QRect> rects{QRect(plan.mainPos, kMain)};
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        rects.emplace_back(plan.mainPos + plan.offsets[i], kSizes[i].grownBy(kFrame));
    }
    return rects;
}

bool apart(const std::vector<QRect> &rects, const QRect &screen)
{
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (!screen.contains(rects[i])) {
            return false;
        }
        for (std::size_t j = i + 1; j < rects.size(); ++j) {
            if (rects[i].intersects(rects[j])) {
                return false;
            }
        }
    }
    return true;
}

TEST(WindowPlacement, WithRoomEachWindowTakesItsSideOfTheMainWindow)
{
    const QRect screen(0, 0, 1920, 1080);
    const Plan plan = planWindows(layoutOn(screen), windowsWithDefaultSides(kSizes, {}));
    const std::vector<QRect> r = frames(plan);
    ASSERT_TRUE(plan.apart);
    EXPECT_TRUE(apart(r, screen));
    EXPECT_GT(r[1].top(), r[0].bottom()); // channel panel under the main window
    EXPECT_GT(r[2].top(), r[1].bottom()); // effects panel under the channel panel
    EXPECT_GT(r[3].left(), r[0].right()); // lyrics to the right
    EXPECT_LT(r[4].right(), r[0].left()); // playlist to the left
    // The group is centred: as much room left of it as right of it.
    const QRect group = r[0] | r[1] | r[2] | r[3] | r[4];
    EXPECT_NEAR(group.left() - screen.left(), screen.right() - group.right(), 1);

    // The next start finds the main window stored there: the same places.
    const Plan again =
        planWindows(layoutOn(screen, plan.mainPos), windowsWithDefaultSides(kSizes, {}));
    EXPECT_EQ(again.offsets, plan.offsets);
}

TEST(WindowPlacement, StoredOffsetsAreKeptAndTheOthersGoAroundThem)
{
    const QRect screen(100, 0, 1600, 1200); // a second screen, right of another
    std::array<std::optional<QPoint>, kWindowCount> stored{};
    stored[2] = QPoint(0, 460); // the lyrics window where the channel panel would go
    const Plan plan =
        planWindows(layoutOn(screen, QPoint(500, 100)), windowsWithDefaultSides(kSizes, stored));
    EXPECT_EQ(plan.mainPos, QPoint(500, 100));
    EXPECT_EQ(plan.offsets[2], QPoint(0, 460));
    EXPECT_TRUE(plan.apart);
    EXPECT_TRUE(apart(frames(plan), screen));
}

TEST(WindowPlacement, OnASmallScreenTheMainWindowStaysUncovered)
{
    const QRect screen(0, 0, 1280, 800);
    const Plan plan = planWindows(layoutOn(screen), windowsWithDefaultSides(kSizes, {}));
    EXPECT_FALSE(plan.apart); // the five do not fit side by side
    const std::vector<QRect> r = frames(plan);
    for (const QRect &window : r) {
        EXPECT_TRUE(screen.contains(window));
    }
    for (std::size_t i = 1; i < r.size(); ++i) {
        EXPECT_FALSE(r[i].intersects(r[0])) << i;
    }
}

} // namespace
} // namespace melorit::placement
