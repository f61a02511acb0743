// Saving and restoring a slider through a PropertyBag.
#include "SliderTestSupport.h"

#include <gtest/gtest.h>

using namespace trackel;
using namespace trackel::test;
using namespace Qt::StringLiterals;

TEST(PropertyBag, KeepsWhatDiffersFromTheDefaultsInWritingOrder)
{
    PropertyBag bag;
    bag.writeProperty(u"Max"_s, 10, 10);
    EXPECT_TRUE(bag.isEmpty());
    bag.writeProperty(u"Min"_s, 3, 0);
    bag.writeProperty(u"Value"_s, 4, 0);
    bag.writeProperty(u"min"_s, 5, 0);
    EXPECT_EQ(bag.names(), (QStringList{u"Min"_s, u"Value"_s})) << "replaced in place";
    EXPECT_EQ(bag.readProperty(u"MIN"_s, 0).toInt(), 5);
    EXPECT_EQ(bag.readProperty(u"Max"_s, 10).toInt(), 10);
    bag.writeProperty(u"Min"_s, 0, 0);
    EXPECT_EQ(bag.names(), QStringList{u"Value"_s}) << "back at its default, it is dropped";
}

TEST(SliderPersistence, EveryPropertySurvivesARoundTripInTheDocumentedKeyOrder)
{
    ucxSlider fresh;
    PropertyBag bag;
    fresh.writeProperties(bag);
    EXPECT_TRUE(bag.isEmpty()) << "defaults are not stored";

    QPixmap icon(12, 20);
    icon.fill(Qt::blue);
    QPixmap rail(150, 6);
    rail.fill(Qt::green);
    ucxSlider original;
    original.setBackcolor(QColor(0x33, 0x66, 0x99));
    original.setSliderEnabled(false);
    original.setSliderIcon(icon);
    original.setOrientation(ucxSlider::Horizontal);
    original.setRailPicture(rail);
    original.setRailStyle(ucxSlider::ByPicture);
    original.setShowValueTip(false);
    original.setMax(50);
    ASSERT_TRUE(original.setMin(-5));
    original.setValue(20);
    original.show();
    original.writeProperties(bag);
    EXPECT_EQ(bag.names(), (QStringList{u"BackColor"_s, u"Enabled"_s, u"SliderIcon"_s,
                                        u"Orientation"_s, u"RailPicture"_s, u"RailStyle"_s,
                                        u"ShowValueTip"_s, u"Min"_s, u"Max"_s, u"Value"_s}));

    ucxSlider restored;
    restored.show();
    SignalLog log(restored);
    restored.readProperties(bag);
    EXPECT_EQ(restored.backcolor(), QColor(0x33, 0x66, 0x99));
    EXPECT_FALSE(restored.sliderEnabled());
    EXPECT_EQ(restored.sliderIcon().toImage(), icon.toImage());
    EXPECT_EQ(restored.orientation(), ucxSlider::Horizontal);
    EXPECT_EQ(restored.railPicture().toImage(), rail.toImage());
    EXPECT_EQ(restored.railStyle(), ucxSlider::ByPicture);
    EXPECT_FALSE(restored.showValueTip());
    EXPECT_EQ(restored.min(), -5);
    EXPECT_EQ(restored.max(), 50);
    EXPECT_EQ(restored.value(), 20);
    EXPECT_EQ(restored.size(), QSize(154, 20));
    EXPECT_EQ(restored.thumbRect(), original.thumbRect());
    restored.setValue(20);
    EXPECT_TRUE(log.take().isEmpty()) << "reading raises nothing and counts as announced";

    restored.readProperties(PropertyBag());
    EXPECT_EQ(restored.orientation(), ucxSlider::Vertical);
    EXPECT_EQ(restored.max(), 10);
    EXPECT_TRUE(restored.railPicture().isNull());
    EXPECT_EQ(restored.backcolor(), restored.palette().color(QPalette::Button));
}

TEST(SliderPersistence, StoredValuesAreTakenAsGivenAndWrongTypesReadAsDefaults)
{
    PropertyBag bag;
    bag.writeProperty(u"Min"_s, 8, 0);
    bag.writeProperty(u"Max"_s, 8, 10); // range 0: no error
    bag.writeProperty(u"Value"_s, u"lots"_s, 0);
    bag.writeProperty(u"Enabled"_s, 0, true);
    bag.writeProperty(u"SliderIcon"_s, u"not a picture"_s, QVariant());
    ucxSlider slider;
    slider.show();
    slider.readProperties(bag);
    EXPECT_EQ(slider.min(), 8);
    EXPECT_EQ(slider.max(), 8);
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(slider.lastError(), 0);
    EXPECT_FALSE(slider.sliderEnabled());
    EXPECT_EQ(slider.sliderIcon().size(), QSize(16, 16));
}
