// Sizes, the rail rectangle, and where the thumb sits for a value.
#include "SliderTestSupport.h"

#include <gtest/gtest.h>

using namespace trackel;
using namespace trackel::test;

namespace {

QPixmap solid(QSize size)
{
    QPixmap picture(size);
    picture.fill(Qt::darkGreen);
    return picture;
}

// left, top, right, bottom with the right and bottom edges exclusive, as the layout has them
QList<int> edges(const QRect &r)
{
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

} // namespace

TEST(SliderLayout, TheCrossSizeIsTheThumbsAndTheRailRunsAlongItsCentre)
{
    ucxSlider slider;
    slider.show();
    slider.resize(40, 120);
    EXPECT_EQ(slider.size(), QSize(16, 120));
    EXPECT_EQ(edges(slider.railRect()), (QList<int>{6, 6, 10, 114}));

    slider.setOrientation(ucxSlider::Horizontal);
    slider.resize(200, 50);
    EXPECT_EQ(slider.size(), QSize(200, 16));
    EXPECT_EQ(edges(slider.railRect()), (QList<int>{6, 6, 194, 10}));
    slider.resize(0, 0);
    EXPECT_EQ(slider.size(), QSize(16, 16)) << "never shorter than the thumb";
}

TEST(SliderLayout, RailEdgesRoundHalvesToEven)
{
    ucxSlider slider;
    slider.show();
    slider.setOrientation(ucxSlider::Horizontal);
    slider.setSliderIcon(solid(QSize(15, 15))); // (15 - 4) / 2 = 7.5 - 2 = 5.5
    slider.resize(100, 15);
    EXPECT_EQ(edges(slider.railRect()), (QList<int>{6, 6, 100 + 6 - 15 + 4, 10}));
    slider.setSliderIcon(solid(QSize(13, 13))); // 4.5
    EXPECT_EQ(edges(slider.railRect()), (QList<int>{4, 4, 100 + 4 - 13 + 4, 8}));
}

TEST(SliderLayout, AVerticalSliderShowsItsMinimumAtTheBottomAlsoAfterAResize)
{
    ucxSlider slider;
    makeVertical(slider, 200);
    EXPECT_EQ(slider.thumbRect(), QRect(0, 184, 16, 16));
    slider.setValue(10);
    EXPECT_EQ(slider.thumbRect().top(), 0);
    slider.setValue(3); // 184 - 55.2
    EXPECT_EQ(slider.thumbRect().top(), 129);
    slider.resize(16, 384);
    EXPECT_EQ(slider.thumbRect().top(), 368 - 110) << "the thumb follows the value";
    slider.setOrientation(ucxSlider::Horizontal);
    EXPECT_EQ(slider.size(), QSize(16, 16));
    EXPECT_EQ(slider.thumbRect().topLeft(), QPoint(0, 0));
}

TEST(SliderLayout, APictureRailSizesTheControlAndWithoutOneTheThumbDoes)
{
    ucxSlider slider;
    slider.show();
    slider.setOrientation(ucxSlider::Horizontal);
    slider.setRailStyle(ucxSlider::ByPicture);
    slider.resize(150, 40);
    EXPECT_EQ(slider.size(), QSize(150, 16)) << "no picture: the cross size follows the thumb";

    slider.setRailPicture(solid(QSize(120, 8)));
    EXPECT_EQ(slider.size(), QSize(124, 16));
    slider.resize(300, 300);
    EXPECT_EQ(slider.size(), QSize(124, 16));
    slider.setRailPicture(solid(QSize(120, 30)));
    EXPECT_EQ(slider.size(), QSize(124, 30));
    EXPECT_EQ(slider.thumbRect().top(), 7) << "the thumb is centred across a thicker rail";
    slider.setOrientation(ucxSlider::Vertical);
    slider.setRailPicture(solid(QSize(8, 90)));
    EXPECT_EQ(slider.size(), QSize(16, 94));

    slider.setRailStyle(ucxSlider::Sunken);
    slider.resize(16, 200);
    EXPECT_EQ(slider.size(), QSize(16, 200)) << "an edge rail frees the length again";
}

TEST(SliderLayout, ANullIconBringsTheBuiltInThumbBack)
{
    ucxSlider slider;
    const QImage builtIn = slider.sliderIcon().toImage();
    slider.setSliderIcon(solid(QSize(24, 24)));
    EXPECT_EQ(slider.width(), 24);
    slider.setSliderIcon(QPixmap());
    EXPECT_EQ(slider.sliderIcon().toImage(), builtIn);
    EXPECT_EQ(slider.width(), 16);
}
