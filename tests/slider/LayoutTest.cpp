// Sizes, the rail rectangle and where the thumb sits for a value.
#include "SliderTestSupport.h"

#include <gtest/gtest.h>

using namespace trackel;
using namespace trackel::test;

namespace {

QPixmap solidPicture(QSize size, QColor colour)
{
    QPixmap picture(size);
    picture.fill(colour);
    return picture;
}

// Rail edges as the layout gives them: left, top, right and bottom, the last two exclusive.
struct Edges {
    int left, top, right, bottom;
};

Edges edgesOf(const QRect &rect)
{
    return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
}

} // namespace

TEST(SliderLayout, AHorizontalSliderIsAsHighAsItsThumbWithTheRailAlongTheThumbsCentre)
{
    ucxSlider slider;
    slider.show();
    slider.setOrientation(ucxSlider::Horizontal);
    slider.resize(200, 50);
    EXPECT_EQ(slider.size(), QSize(200, 16));
    const Edges rail = edgesOf(slider.railRect());
    EXPECT_EQ(rail.top, 6);
    EXPECT_EQ(rail.bottom, 10);
    EXPECT_EQ(rail.left, 6);
    EXPECT_EQ(rail.right, 194);
}

TEST(SliderLayout, AVerticalSliderIsAsWideAsItsThumb)
{
    ucxSlider slider;
    slider.show();
    slider.resize(40, 120);
    EXPECT_EQ(slider.size(), QSize(16, 120));
    const Edges rail = edgesOf(slider.railRect());
    EXPECT_EQ(rail.left, 6);
    EXPECT_EQ(rail.right, 10);
    EXPECT_EQ(rail.top, 6);
    EXPECT_EQ(rail.bottom, 114);
}

TEST(SliderLayout, TheLengthIsNeverShorterThanTheThumb)
{
    ucxSlider slider;
    slider.show();
    slider.setOrientation(ucxSlider::Horizontal);
    slider.resize(0, 0);
    EXPECT_EQ(slider.size(), QSize(16, 16));
}

TEST(SliderLayout, RailEdgesRoundHalvesToEven)
{
    ucxSlider slider;
    slider.show();
    slider.setOrientation(ucxSlider::Horizontal);
    slider.setSliderIcon(solidPicture(QSize(15, 15), Qt::blue)); // (15 - 4) / 2 = 5.5
    slider.resize(100, 15);
    Edges rail = edgesOf(slider.railRect());
    EXPECT_EQ(rail.top, 6);
    EXPECT_EQ(rail.left, 6); // 7.5 - 2 = 5.5
    EXPECT_EQ(rail.right, 100 + 6 - 15 + 4);

    slider.setSliderIcon(solidPicture(QSize(13, 13), Qt::blue)); // 4.5 both ways
    rail = edgesOf(slider.railRect());
    EXPECT_EQ(rail.top, 4);
    EXPECT_EQ(rail.left, 4);
    EXPECT_EQ(slider.height(), 13);
}

TEST(SliderLayout, AVerticalSliderShowsItsMinimumAtTheBottom)
{
    ucxSlider slider;
    slider.show();
    makeVertical(slider, 200);
    EXPECT_EQ(slider.thumbRect(), QRect(0, 184, 16, 16));
    slider.setValue(10);
    EXPECT_EQ(slider.thumbRect().top(), 0);
    slider.setValue(5);
    EXPECT_EQ(slider.thumbRect().top(), 92);
    slider.setValue(3); // 184 - 55.2 = 128.8
    EXPECT_EQ(slider.thumbRect().top(), 129);
}

TEST(SliderLayout, TheThumbFollowsTheValueWhenTheSliderIsResized)
{
    ucxSlider slider;
    slider.show();
    makeHorizontal(slider, 200);
    slider.setValue(5);
    EXPECT_EQ(slider.thumbRect().left(), 92);
    slider.resize(300, 16);
    EXPECT_EQ(slider.thumbRect().left(), 142);

    ucxSlider vertical;
    vertical.show();
    makeVertical(vertical, 100);
    vertical.resize(16, 300);
    EXPECT_EQ(vertical.thumbRect().top(), 284) << "the minimum stays at the bottom";
}

TEST(SliderLayout, ChangingOrientationPutsTheThumbAtTheMinimumEnd)
{
    ucxSlider slider;
    slider.show();
    slider.resize(16, 200);
    slider.setOrientation(ucxSlider::Horizontal);
    EXPECT_EQ(slider.height(), 16);
    EXPECT_EQ(slider.thumbRect().topLeft(), QPoint(0, 0));
    slider.resize(200, 16);
    slider.setOrientation(ucxSlider::Vertical);
    EXPECT_EQ(slider.width(), 16);
    EXPECT_EQ(slider.thumbRect().top(), slider.height() - 16);
}

TEST(SliderLayout, ByPictureWithoutAPictureKeepsTheCrossSizeOfTheThumb)
{
    ucxSlider slider;
    slider.show();
    slider.setOrientation(ucxSlider::Horizontal);
    slider.setRailStyle(ucxSlider::ByPicture);
    slider.resize(150, 40);
    EXPECT_EQ(slider.size(), QSize(150, 16));
}

TEST(SliderLayout, APictureRailSizesTheWholeControl)
{
    ucxSlider slider;
    slider.show();
    slider.setOrientation(ucxSlider::Horizontal);
    slider.setRailStyle(ucxSlider::ByPicture);
    slider.setRailPicture(solidPicture(QSize(120, 8), Qt::darkGreen));
    EXPECT_EQ(slider.size(), QSize(124, 16));
    slider.resize(300, 300);
    EXPECT_EQ(slider.size(), QSize(124, 16)) << "the picture fixes the size";

    slider.setRailPicture(solidPicture(QSize(120, 30), Qt::darkGreen));
    EXPECT_EQ(slider.size(), QSize(124, 30));
    EXPECT_EQ(slider.thumbRect().top(), 7) << "the thumb is centred across a thicker rail";

    slider.setOrientation(ucxSlider::Vertical);
    slider.setRailPicture(solidPicture(QSize(8, 90), Qt::darkGreen));
    EXPECT_EQ(slider.size(), QSize(16, 94));

    slider.setRailStyle(ucxSlider::Sunken);
    slider.resize(16, 200);
    EXPECT_EQ(slider.size(), QSize(16, 200)) << "an edge rail frees the length again";
}

TEST(SliderLayout, ANullIconBringsTheBuiltInThumbBack)
{
    ucxSlider slider;
    slider.show();
    const QImage builtIn = slider.sliderIcon().toImage();
    slider.setSliderIcon(solidPicture(QSize(24, 24), Qt::blue));
    EXPECT_EQ(slider.width(), 24);
    slider.setSliderIcon(QPixmap());
    EXPECT_EQ(slider.sliderIcon().toImage(), builtIn);
    EXPECT_EQ(slider.width(), 16);
}
