#include "panels/KnobDrag.h"
#include "base/KeyMods.h"
#include "panels/KnobTag.h"
#include "panels/KnobTips.h"

#include "base/TextUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace melorit;
using namespace melorit::panels;
using melorit::text::toInt;

namespace {

// The mixer of the main window: faders (modes 1 channel volume, 2 gain)
// follow the vertical distance; the transposition knob (3) both.
KnobDragHooks mixerHooks(std::vector<int> *resets)
{
    KnobDragHooks hooks;
    hooks.distanceRule = [](int mode) {
        return mode <= 2 ? DistanceRule::Vertical : DistanceRule::Diagonal;
    };
    hooks.rightPress = [resets](int index) { resets->push_back(index); };
    hooks.valueFor = [](int mode, int start, double distance, const KeyMods &) {
        switch (mode) {
        case 1:
            return std::clamp(start + toInt(distance * 201 / 91), 0, 200);
        case 2:
            return std::clamp(start + toInt(distance * 41 / 91), -20, 20);
        default:
            return std::clamp(start + toInt(distance * 25 / 100), -12, 12);
        }
    };
    return hooks;
}

// A panel knob: a left press takes the control over from the song's value;
// Ctrl divides the distance by ten.
KnobDragHooks panelHooks(int songValue)
{
    KnobDragHooks hooks;
    hooks.leftPress = [songValue](int, int value) { return value < 0 ? songValue : value; };
    hooks.valueFor = [](int, int start, double distance, const KeyMods &mods) {
        int d = toInt(distance);
        if (mods.ctrl) {
            d = toInt(d / 10.0);
        }
        return std::clamp(start + d, 0, 127);
    };
    return hooks;
}

} // namespace

TEST(KeyMods, ShiftArgumentBits)
{
    EXPECT_EQ(KeyMods::fromShift(0), (KeyMods{false, false, false}));
    EXPECT_EQ(KeyMods::fromShift(1), (KeyMods{false, true, false}));
    EXPECT_EQ(KeyMods::fromShift(2), (KeyMods{true, false, false}));
    EXPECT_EQ(KeyMods::fromShift(4), (KeyMods{false, false, true}));
    EXPECT_EQ(KeyMods::fromShift(7), (KeyMods{true, true, true}));
    EXPECT_EQ(shiftArgument(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftArgument(Qt::ControlModifier | Qt::MetaModifier), 2);
    EXPECT_EQ(shiftArgument(Qt::NoModifier), 0);
}

TEST(DragDistance, VerticalOnlyOrBothAxes)
{
    EXPECT_EQ(dragDistance(DistanceRule::Vertical, {10, 50}, {90, 40}), 10);
    EXPECT_EQ(dragDistance(DistanceRule::Diagonal, {10, 50}, {90, 40}), 90);
    EXPECT_EQ(dragDistance(DistanceRule::Diagonal, {10, 50}, {4, 50}), -6);
    EXPECT_EQ(dragDistance(DistanceRule::Vertical, {10, 50}, {10, 60}), -10);
}

TEST(KnobDrag, FaderFollowsVerticalDistanceAndCommitsOnRelease)
{
    std::vector<int> resets;
    KnobDrag drag(mixerHooks(&resets), false);
    drag.press(3, MouseButton::Left, 0, {12, 60}, 1, 100);
    EXPECT_TRUE(drag.dragging());
    EXPECT_EQ(drag.move(0, {200, 60}), 100); // sideways changes nothing
    EXPECT_EQ(drag.move(0, {12, 51}), 120);  // 9 up: 19.88 -> 20
    EXPECT_EQ(drag.move(0, {12, 200}), 0);   // clamped
    EXPECT_EQ(drag.move(0, {12, 40}), 144);  // 20 up: 44.18 -> 44
    const auto commit = drag.release();
    ASSERT_TRUE(commit.has_value());
    EXPECT_EQ(commit->index, 3);
    EXPECT_EQ(commit->mode, 1);
    EXPECT_EQ(commit->value, 144);
    EXPECT_FALSE(drag.dragging());
    EXPECT_FALSE(drag.release().has_value());
    EXPECT_FALSE(drag.move(0, {12, 0}).has_value());
    EXPECT_TRUE(resets.empty());
}

TEST(KnobDrag, TranspositionUsesBothAxesRoundedHalfToEven)
{
    std::vector<int> resets;
    KnobDrag drag(mixerHooks(&resets), false);
    drag.press(17, MouseButton::Left, 0, {50, 50}, 3, 0);
    EXPECT_EQ(drag.move(0, {56, 50}), 2);  // 6 x 25 / 100 = 1.5 -> 2
    EXPECT_EQ(drag.move(0, {60, 50}), 2);  // 2.5 -> 2
    EXPECT_EQ(drag.move(0, {50, 36}), 4);  // 3.5 -> 4
    EXPECT_EQ(drag.move(0, {40, 50}), -2); // left decreases
}

TEST(KnobDrag, PressWithoutMoveCommitsThePressValue)
{
    std::vector<int> resets;
    KnobDrag drag(mixerHooks(&resets), false);
    drag.press(16, MouseButton::Left, 0, {0, 0}, 2, -7);
    const auto commit = drag.release();
    ASSERT_TRUE(commit.has_value());
    EXPECT_EQ(commit->value, -7);
}

TEST(KnobDrag, RightButtonResetsAndStartsNoDrag)
{
    std::vector<int> resets;
    KnobDrag drag(mixerHooks(&resets), false);
    drag.press(5, MouseButton::Right, 0, {0, 0}, 1, 150);
    EXPECT_EQ(resets, std::vector<int>{5});
    EXPECT_FALSE(drag.dragging());
    EXPECT_FALSE(drag.move(0, {0, -50}).has_value());
    EXPECT_FALSE(drag.release().has_value());
}

TEST(KnobDrag, ModeZeroNeverDrags)
{
    std::vector<int> resets;
    KnobDrag drag(mixerHooks(&resets), false);
    drag.press(5, MouseButton::Left, 0, {0, 0}, 0, 150);
    EXPECT_FALSE(drag.move(0, {0, -50}).has_value());
    EXPECT_FALSE(drag.release().has_value());
}

TEST(KnobDrag, PanelPressTakesOverFromTheSongAndLeftMovesDecrease)
{
    KnobDrag drag(panelHooks(90), true);
    drag.press(20, MouseButton::Left, 0, {30, 30}, 2, -1);
    EXPECT_EQ(drag.startValue(), 90);
    EXPECT_EQ(drag.value(), 90);
    EXPECT_EQ(drag.move(0, {25, 30}), 85); // left only, no vertical move
    EXPECT_EQ(drag.move(0, {30, 20}), 100);
    EXPECT_EQ(drag.release()->value, 100);
}

TEST(KnobDrag, MiddleButtonActsLikeLeft)
{
    KnobDrag drag(panelHooks(40), true);
    drag.press(1, MouseButton::Middle, 0, {0, 0}, 1, -1);
    EXPECT_TRUE(drag.dragging());
    EXPECT_EQ(drag.startValue(), 40);
}

TEST(KnobDrag, PanelsRefreshKeyModsOnPressAndMoveMainWindowDoesNot)
{
    KnobDrag panel(panelHooks(0), true);
    panel.press(0, MouseButton::Left, 1, {0, 0}, 1, 0);
    EXPECT_TRUE(keyMods().shift);
    EXPECT_FALSE(keyMods().ctrl);
    EXPECT_EQ(panel.move(2, {100, 0}), 10); // Ctrl held from this move on
    EXPECT_TRUE(keyMods().ctrl);
    EXPECT_EQ(panel.move(0, {100, 0}), 100);
    panel.release();
    EXPECT_FALSE(panel.move(4, {0, 0}).has_value()); // no drag, modifiers still read
    EXPECT_EQ(keyMods(), (KeyMods{false, false, true}));

    refreshKeyMods(2);
    std::vector<int> resets;
    KnobDrag main(mixerHooks(&resets), false);
    main.press(0, MouseButton::Left, 3, {0, 0}, 1, 0);
    main.move(3, {0, -1});
    EXPECT_EQ(keyMods(), (KeyMods{true, false, false}));
}

TEST(KnobDrag, WithoutHooksTheDistanceIsAddedRoundedHalfToEven)
{
    KnobDrag drag({}, false);
    drag.press(0, MouseButton::Left, 0, {0, 0}, 1, 10);
    EXPECT_EQ(drag.move(0, {2.5, 0}), 12);
    EXPECT_EQ(drag.move(0, {3.5, 0}), 14);
    drag.press(0, MouseButton::Right, 0, {0, 0}, 1, 10); // no hook: nothing to call
    EXPECT_FALSE(drag.dragging());
}

TEST(KnobTips, PanShowsSideAndDistanceFromCentre)
{
    EXPECT_EQ(panTip(64), QStringLiteral(" C "));
    EXPECT_EQ(panTip(60), QStringLiteral("G 4"));
    EXPECT_EQ(panTip(0), QStringLiteral("G 64"));
    EXPECT_EQ(panTip(127), QStringLiteral("D 63"));
    EXPECT_EQ(drumTip(0), QStringLiteral("Melodic"));
    EXPECT_EQ(drumTip(1), QStringLiteral("DrumSet"));
}

TEST(KnobTag, KindAndMarkDigits)
{
    EXPECT_EQ(KnobTag::parse(QStringLiteral("30")).kind, 3);
    EXPECT_FALSE(KnobTag::parse(QStringLiteral("30")).mark);
    EXPECT_TRUE(KnobTag::parse(QStringLiteral("41")).mark);
    EXPECT_EQ(KnobTag::parse(QString()).kind, 0);
    EXPECT_FALSE(KnobTag::parse(QStringLiteral("5")).mark);
    EXPECT_EQ(KnobTag::parse(QStringLiteral("x1")).kind, 0);
    EXPECT_EQ((KnobTag{5, true}).text(), QStringLiteral("51"));
}

TEST(KnobTag, OnlyTheSecondDigitIsRewritten)
{
    EXPECT_EQ(withMark(QStringLiteral("20"), true), QStringLiteral("21"));
    EXPECT_EQ(withMark(QStringLiteral("21"), false), QStringLiteral("20"));
    EXPECT_EQ(withMark(QStringLiteral("109"), true), QStringLiteral("11"));
}
