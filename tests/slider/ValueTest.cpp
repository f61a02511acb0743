// Value, Min and Max: stored values, change and end-stop signals, the refused Min, and the
// names hosts reach the control by.
#include "SliderTestSupport.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <limits>

using namespace trackel;
using namespace trackel::test;
using namespace Qt::StringLiterals;

TEST(SliderValue, PropertiesEnumerationsAndSignalsAreReachableByName)
{
    ucxSlider slider; // its defaults are checked by the persistence tests
    const QMetaObject *meta = slider.metaObject();
    EXPECT_STREQ(meta->userProperty().name(), "Value");
    for (const char *name : {"Value", "ShowValueTip", "RailPicture", "SliderIcon", "RailStyle",
                             "Orientation", "Min", "Max", "Backcolor", "Enabled"}) {
        EXPECT_TRUE(meta->property(meta->indexOfProperty(name)).isWritable()) << name;
    }
    const QMetaEnum style = meta->enumerator(meta->indexOfEnumerator("RailStyleConstants"));
    EXPECT_EQ(style.keyToValue("RaisedSoft"), 3);
    EXPECT_EQ(style.keyToValue("ByPicture"), 99);
    const QMetaEnum orientation = meta->enumerator(meta->indexOfEnumerator("OrientationConstants"));
    EXPECT_EQ(orientation.keyToValue("Vertical"), 1);
    int previous = -1;
    for (const char *signal : {"click()", "ArrivedFirst()", "ArrivedLast()", "ValueChanged()",
                               "MouseDown(short)", "MouseUp(short)"}) {
        EXPECT_GT(meta->indexOfSignal(signal), previous) << signal << " missing or out of order";
        previous = meta->indexOfSignal(signal);
    }

    QSignalSpy changed(&slider, SIGNAL(ValueChanged()));
    EXPECT_TRUE(slider.setProperty("Orientation", u"Horizontal"_s));
    EXPECT_EQ(slider.orientation(), ucxSlider::Horizontal);
    EXPECT_TRUE(slider.setProperty("RailStyle", 99));
    EXPECT_EQ(slider.railStyle(), ucxSlider::ByPicture);
    EXPECT_TRUE(slider.setProperty("Value", 7));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(slider.setProperty("Enabled", false));
    EXPECT_FALSE(slider.sliderEnabled());
    EXPECT_TRUE(slider.isEnabled()) << "the widget itself stays enabled";
    slider.setProperty("Backcolor", QColor(Qt::red));
    EXPECT_EQ(slider.backcolor(), QColor(Qt::red));
    slider.setBackcolor(QColor());
    EXPECT_EQ(slider.backcolor(), slider.palette().color(QPalette::Button));
}

TEST(SliderValue, OnlyANewValueIsAnnouncedWithTheArrivalAfterTheChange)
{
    ucxSlider slider;
    makeHorizontal(slider, 200);
    SignalLog log(slider);
    slider.setValue(4);
    EXPECT_EQ(log.take(), QStringList{u"ValueChanged"_s});
    const QRect thumb = slider.thumbRect();
    slider.setValue(4);
    EXPECT_TRUE(log.take().isEmpty());
    EXPECT_EQ(slider.thumbRect(), thumb);
    slider.setValue(10);
    EXPECT_EQ(log.take(), (QStringList{u"ValueChanged"_s, u"ArrivedLast"_s}));
    slider.setValue(0);
    EXPECT_EQ(log.take(), (QStringList{u"ValueChanged"_s, u"ArrivedFirst"_s}));
}

TEST(SliderValue, OutOfRangeValuesAreKeptAndTheirThumbStaysAtTheNearerEnd)
{
    ucxSlider slider;
    makeHorizontal(slider, 200); // travel 184
    slider.setValue(25);
    EXPECT_EQ(slider.value(), 25);
    EXPECT_EQ(slider.thumbRect().left(), 184);
    slider.setValue(std::numeric_limits<int>::min());
    EXPECT_EQ(slider.thumbRect().left(), 0);

    slider.setMax(std::numeric_limits<int>::max()); // a range beyond 32 bits
    ASSERT_TRUE(slider.setMin(std::numeric_limits<int>::min()));
    slider.setValue(0);
    EXPECT_EQ(slider.thumbRect().left(), 92);
}

TEST(SliderMin, MovesTheValueToTheNewMinimumWithItsSignals)
{
    ucxSlider slider;
    slider.setValue(8);
    SignalLog log(slider);
    EXPECT_TRUE(slider.setProperty("Min", 5));
    EXPECT_EQ(slider.min(), 5);
    EXPECT_EQ(slider.value(), 5);
    EXPECT_EQ(log.take(), (QStringList{u"ValueChanged"_s, u"ArrivedFirst"_s}));
    ASSERT_TRUE(slider.setMin(-2));
    EXPECT_EQ(slider.value(), -2) << "lowering Min moves the value down too";
}

TEST(SliderMin, AMinNotBelowMaxIsRefusedWithError380AndChangesNothing)
{
    ucxSlider slider;
    slider.setValue(3);
    SignalLog log(slider);
    EXPECT_FALSE(slider.setMin(10));
    EXPECT_EQ(slider.lastError(), 380);
    slider.setProperty("Min", 11);
    EXPECT_EQ(slider.lastError(), ucxSlider::ErrInvalidPropertyValue);
    EXPECT_EQ(slider.min(), 0);
    EXPECT_EQ(slider.value(), 3);
    EXPECT_TRUE(log.take().isEmpty());
    EXPECT_TRUE(slider.setMin(9));
    EXPECT_EQ(slider.lastError(), 0) << "an accepted assignment clears the error";
}

TEST(SliderMax, IsAcceptedAsGivenAndMovesTheThumbUnlessTheRangeIsZero)
{
    ucxSlider slider;
    makeHorizontal(slider, 200);
    slider.setValue(5);
    EXPECT_EQ(slider.thumbRect().left(), 92);
    slider.setMax(20);
    EXPECT_EQ(slider.thumbRect().left(), 46) << "the thumb follows the new range";

    slider.setMax(0); // not above Min: accepted, and the thumb has no place to go
    EXPECT_EQ(slider.max(), 0);
    EXPECT_EQ(slider.lastError(), 0);
    EXPECT_EQ(slider.thumbRect().left(), 46);
    SignalLog log(slider);
    slider.setValue(0);
    EXPECT_EQ(log.take(), (QStringList{u"ValueChanged"_s, u"ArrivedLast"_s, u"ArrivedFirst"_s}));
    EXPECT_EQ(slider.thumbRect().left(), 46);
}
