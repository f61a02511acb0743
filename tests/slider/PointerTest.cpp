// The pointer protocol: press on or off the thumb, dragging with clamping and snapping, the
// release, and the order of the signals.
#include "SliderTestSupport.h"

#include <gtest/gtest.h>

using namespace trackel;
using namespace trackel::test;
using namespace Qt::StringLiterals;

namespace {

// A horizontal slider 200 pixels long: the thumb travels 184 pixels, 18.4 per unit of 0..10.
class SliderPointer : public ::testing::Test {
protected:
    void SetUp() override
    {
        makeHorizontal(slider, 200);
        slider.setShowValueTip(false);
    }

    ucxSlider slider;
    SignalLog log{slider};
};

} // namespace

TEST_F(SliderPointer, DraggingToTheEndsRaisesTheChangeThenTheArrival)
{
    press(slider, QPointF(8, 8)); // on the thumb, at the minimum
    moveTo(slider, QPointF(400, 8));
    EXPECT_EQ(slider.value(), 10);
    EXPECT_EQ(slider.thumbRect().left(), 184);
    moveTo(slider, QPointF(500, 8)); // no change, no signal
    moveTo(slider, QPointF(-60, 8));
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(slider.thumbRect().left(), 0);
    release(slider, QPointF(8, 8));
    EXPECT_EQ(log.take(),
              (QStringList{u"MouseDown(0)"_s, u"ValueChanged"_s, u"ArrivedLast"_s,
                           u"ValueChanged"_s, u"ArrivedFirst"_s, u"click"_s, u"MouseUp(0)"_s}));
    EXPECT_FALSE(slider.isDragging());
}

TEST_F(SliderPointer, APressOnTheRailCentresTheThumbAndChangesTheValueBeforeMouseDown)
{
    press(slider, QPointF(100, 8)); // thumb left = 100 - 8 = 92: 5 units
    EXPECT_EQ(slider.value(), 5);
    EXPECT_EQ(slider.thumbRect().left(), 92);
    EXPECT_EQ(log.take(), (QStringList{u"ValueChanged"_s, u"MouseDown(0)"_s}));
}

TEST_F(SliderPointer, TheGrabPointIsKeptAndTheThumbSnapsRoundingHalvesToEven)
{
    press(slider, QPointF(3, 8));   // 3 pixels into the thumb
    moveTo(slider, QPointF(14, 8)); // left 11: 0.6 -> 1 (centred it would be 0.3 -> 0)
    EXPECT_EQ(slider.value(), 1);
    EXPECT_EQ(slider.thumbRect().left(), 18); // snapped to 18.4
    moveTo(slider, QPointF(3 + 46, 8));       // 2.5 -> 2
    EXPECT_EQ(slider.value(), 2);
    EXPECT_EQ(slider.thumbRect().left(), 37); // 36.8
    moveTo(slider, QPointF(3 + 138, 8));      // 7.5 -> 8
    EXPECT_EQ(slider.value(), 8);
}

TEST_F(SliderPointer, ButtonsShiftStateAndWhereTheReleaseHappens)
{
    press(slider, QPointF(150, 8), Qt::RightButton); // only the left button drags
    release(slider, QPointF(150, 8), Qt::RightButton);
    EXPECT_TRUE(log.take().isEmpty());

    press(slider, QPointF(8, 8), Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    release(slider, QPointF(8, 16), Qt::LeftButton, Qt::AltModifier); // y 16 is outside
    EXPECT_EQ(log.take(), (QStringList{u"MouseDown(3)"_s, u"MouseUp(4)"_s}));

    press(slider, QPointF(8, 8));
    release(slider, QPointF(8, 8), Qt::RightButton); // any release ends the drag
    moveTo(slider, QPointF(190, 8));
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(log.take(), (QStringList{u"MouseDown(0)"_s, u"MouseUp(0)"_s}));

    slider.setSliderEnabled(false); // presses are ignored, the click is still reported
    press(slider, QPointF(150, 8));
    moveTo(slider, QPointF(190, 8));
    release(slider, QPointF(150, 8));
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(log.take(), QStringList{u"click"_s});
}

TEST_F(SliderPointer, AVerticalSliderDragsUpTowardsItsMaximum)
{
    ucxSlider vertical;
    makeVertical(vertical, 200);
    vertical.setShowValueTip(false);
    SignalLog vlog(vertical);
    press(vertical, QPointF(8, 8)); // away from the thumb at the bottom: top 0 is the maximum
    EXPECT_EQ(vertical.thumbRect().top(), 0);
    EXPECT_EQ(vlog.take(), (QStringList{u"ValueChanged"_s, u"ArrivedLast"_s, u"MouseDown(0)"_s}));
    moveTo(vertical, QPointF(8, 8 + 46)); // 138 pixels above the bottom: 7.5 -> 8
    EXPECT_EQ(vertical.value(), 8);
    moveTo(vertical, QPointF(8, 400));
    EXPECT_EQ(vertical.value(), 0);
    EXPECT_EQ(vertical.thumbRect().top(), 184);
}

TEST_F(SliderPointer, AValueSetDuringTheDragWaitsButOneSetAtMouseUpMovesTheThumb)
{
    press(slider, QPointF(100, 8));
    slider.setValue(9);
    EXPECT_EQ(slider.thumbRect().left(), 92) << "the thumb stays under the pointer";
    QObject::connect(&slider, &ucxSlider::MouseUp, &slider, [this] { slider.setValue(2); });
    release(slider, QPointF(100, 8));
    EXPECT_EQ(slider.thumbRect().left(), 37);
}

TEST_F(SliderPointer, ARangeOfZeroMakesDraggingDoNothing)
{
    slider.setMax(0);
    press(slider, QPointF(150, 8));
    moveTo(slider, QPointF(60, 8));
    release(slider, QPointF(60, 8));
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(slider.thumbRect().left(), 0);
    EXPECT_EQ(log.take(), (QStringList{u"MouseDown(0)"_s, u"click"_s, u"MouseUp(0)"_s}));
}

TEST_F(SliderPointer, HidingTheSliderMidDragEndsTheDragWithMouseUp)
{
    press(slider, QPointF(100, 8));
    log.take();
    slider.hide();
    EXPECT_FALSE(slider.isDragging());
    EXPECT_EQ(log.take(), QStringList{u"MouseUp(0)"_s});
}
