// Value, Min and Max: stored values, the change and end-stop signals, refused assignments, and
// the names hosts reach the control by.
#include "SliderTestSupport.h"

#include <QApplication>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <limits>

using namespace trackel;
using namespace trackel::test;
using namespace Qt::StringLiterals;

TEST(SliderValue, AFreshControlHasTheDocumentedDefaults)
{
    ucxSlider slider;
    EXPECT_EQ(slider.orientation(), ucxSlider::Vertical);
    EXPECT_EQ(slider.railStyle(), ucxSlider::Sunken);
    EXPECT_TRUE(slider.showValueTip());
    EXPECT_TRUE(slider.sliderEnabled());
    EXPECT_EQ(slider.min(), 0);
    EXPECT_EQ(slider.max(), 10);
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(slider.sliderIcon().size(), QSize(16, 16));
    EXPECT_TRUE(slider.railPicture().isNull());
    EXPECT_EQ(slider.backcolor(), slider.palette().color(QPalette::Button));
    EXPECT_EQ(slider.width(), 16) << "a vertical slider is as wide as its thumb";
}

TEST(SliderValue, SettingTheSameValueAgainRaisesNothing)
{
    ucxSlider slider;
    makeHorizontal(slider, 200);
    SignalLog log(slider);
    slider.setValue(4);
    EXPECT_EQ(log.take(), QStringList{QStringLiteral("ValueChanged")});
    const QRect thumb = slider.thumbRect();
    slider.setValue(4);
    EXPECT_TRUE(log.take().isEmpty());
    EXPECT_EQ(slider.thumbRect(), thumb);
}

TEST(SliderValue, ReachingAnEndRaisesTheChangeThenTheArrival)
{
    ucxSlider slider;
    SignalLog log(slider);
    slider.setValue(10);
    EXPECT_EQ(log.take(), (QStringList{u"ValueChanged"_s, u"ArrivedLast"_s}));
    slider.setValue(0);
    EXPECT_EQ(log.take(), (QStringList{u"ValueChanged"_s, u"ArrivedFirst"_s}));
}

TEST(SliderValue, ValuesOutsideTheRangeAreStoredAsGivenAndShowTheThumbAtTheNearerEnd)
{
    ucxSlider slider;
    makeHorizontal(slider, 200);
    SignalLog log(slider);
    slider.setValue(25);
    EXPECT_EQ(slider.value(), 25);
    EXPECT_EQ(log.take(), QStringList{u"ValueChanged"_s});
    EXPECT_EQ(slider.thumbRect().left(), 184);
    slider.setValue(std::numeric_limits<int>::min());
    EXPECT_EQ(slider.thumbRect().left(), 0);
}

TEST(SliderValue, TheFullIntRangeDoesNotOverflow)
{
    ucxSlider slider;
    makeHorizontal(slider, 200);
    slider.setMax(std::numeric_limits<int>::max());
    ASSERT_TRUE(slider.setMin(std::numeric_limits<int>::min()));
    slider.setValue(0);
    EXPECT_EQ(slider.thumbRect().left(), 92);
    slider.setValue(std::numeric_limits<int>::max());
    EXPECT_EQ(slider.thumbRect().left(), 184);
}

TEST(SliderMin, RaisingMinAboveTheValueMovesTheValueToIt)
{
    ucxSlider slider;
    slider.setValue(8);
    SignalLog log(slider);
    EXPECT_TRUE(slider.setProperty("Min", 5));
    EXPECT_EQ(slider.min(), 5);
    EXPECT_EQ(slider.value(), 5);
    EXPECT_EQ(slider.lastError(), 0);
    EXPECT_EQ(log.take(), (QStringList{u"ValueChanged"_s, u"ArrivedFirst"_s}));
}

TEST(SliderMin, LoweringMinAlsoMovesTheValueToTheNewMinimum)
{
    ucxSlider slider;
    slider.setValue(8);
    ASSERT_TRUE(slider.setMin(-2));
    EXPECT_EQ(slider.value(), -2);
}

TEST(SliderMin, AMinNotBelowMaxIsRefusedWithError380AndChangesNothing)
{
    ucxSlider slider;
    slider.setValue(3);
    SignalLog log(slider);
    EXPECT_FALSE(slider.setMin(10));
    EXPECT_EQ(slider.lastError(), ucxSlider::ErrInvalidPropertyValue);
    EXPECT_EQ(ucxSlider::ErrInvalidPropertyValue, 380);
    slider.setProperty("Min", 11);
    EXPECT_EQ(slider.lastError(), 380);
    EXPECT_EQ(slider.min(), 0);
    EXPECT_EQ(slider.value(), 3);
    EXPECT_TRUE(log.take().isEmpty());

    EXPECT_TRUE(slider.setMin(9));
    EXPECT_EQ(slider.lastError(), 0) << "a later accepted assignment clears the error";
}

TEST(SliderMax, AMaxNotAboveMinIsAcceptedAndARangeOfZeroLeavesTheThumbWhereItWas)
{
    ucxSlider slider;
    makeHorizontal(slider, 200);
    slider.setValue(5);
    const QRect thumb = slider.thumbRect();
    slider.setMax(0);
    EXPECT_EQ(slider.max(), 0);
    EXPECT_EQ(slider.lastError(), 0);
    EXPECT_EQ(slider.thumbRect(), thumb);

    SignalLog log(slider);
    slider.setValue(0);
    EXPECT_EQ(log.take(), (QStringList{u"ValueChanged"_s, u"ArrivedLast"_s, u"ArrivedFirst"_s}));
    EXPECT_EQ(slider.thumbRect(), thumb);
}

TEST(SliderMax, ChangingMaxMovesTheThumbToTheValuesNewPlace)
{
    ucxSlider slider;
    makeHorizontal(slider, 200);
    slider.setValue(5);
    EXPECT_EQ(slider.thumbRect().left(), 92);
    slider.setMax(20);
    EXPECT_EQ(slider.thumbRect().left(), 46);
}

TEST(SliderMetaObject, PropertiesEnumerationsAndSignalsAreReachableByName)
{
    ucxSlider slider;
    const QMetaObject *meta = slider.metaObject();

    const QMetaProperty user = meta->userProperty();
    ASSERT_TRUE(user.isValid());
    EXPECT_STREQ(user.name(), "Value");

    for (const char *name : {"Value", "ShowValueTip", "RailPicture", "SliderIcon", "RailStyle",
                             "Orientation", "Min", "Max", "Backcolor", "Enabled"}) {
        const int index = meta->indexOfProperty(name);
        ASSERT_GE(index, 0) << name;
        EXPECT_TRUE(meta->property(index).isWritable()) << name;
    }

    const QMetaEnum orientation = meta->enumerator(meta->indexOfEnumerator("OrientationConstants"));
    EXPECT_EQ(orientation.keyToValue("Horizontal"), 0);
    EXPECT_EQ(orientation.keyToValue("Vertical"), 1);
    const QMetaEnum style = meta->enumerator(meta->indexOfEnumerator("RailStyleConstants"));
    EXPECT_EQ(style.keyToValue("Sunken"), 0);
    EXPECT_EQ(style.keyToValue("Raised"), 1);
    EXPECT_EQ(style.keyToValue("SunkenSoft"), 2);
    EXPECT_EQ(style.keyToValue("RaisedSoft"), 3);
    EXPECT_EQ(style.keyToValue("ByPicture"), 99);

    int previous = -1;
    for (const char *signal : {"click()", "ArrivedFirst()", "ArrivedLast()", "ValueChanged()",
                               "MouseDown(short)", "MouseUp(short)"}) {
        const int index = meta->indexOfSignal(signal);
        ASSERT_GE(index, 0) << signal;
        EXPECT_GT(index, previous) << signal << " is declared out of order";
        previous = index;
    }
}

TEST(SliderMetaObject, PropertiesWrittenByNameTakeEffect)
{
    ucxSlider slider;
    QSignalSpy changed(&slider, SIGNAL(ValueChanged()));
    EXPECT_TRUE(slider.setProperty("Orientation", QStringLiteral("Horizontal")));
    EXPECT_EQ(slider.orientation(), ucxSlider::Horizontal);
    EXPECT_TRUE(slider.setProperty("RailStyle", 99));
    EXPECT_EQ(slider.railStyle(), ucxSlider::ByPicture);
    EXPECT_TRUE(slider.setProperty("Max", 50));
    EXPECT_TRUE(slider.setProperty("Value", 7));
    EXPECT_EQ(slider.property("Value").toInt(), 7);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(slider.setProperty("Enabled", false));
    EXPECT_FALSE(slider.sliderEnabled());
    EXPECT_TRUE(slider.isEnabled()) << "the widget itself stays enabled";
    EXPECT_TRUE(slider.setProperty("Backcolor", QColor(Qt::red)));
    EXPECT_EQ(slider.backcolor(), QColor(Qt::red));
    slider.setBackcolor(QColor());
    EXPECT_EQ(slider.backcolor(), slider.palette().color(QPalette::Button));
}
