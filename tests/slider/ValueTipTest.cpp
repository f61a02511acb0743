// The value tip: text, measured size, place beside the thumb, frame, focus and lifetime.
#include "SliderTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cmath>

using namespace trackel;
using namespace trackel::test;

namespace {

int nearestEven(double x)
{
    return static_cast<int>(std::nearbyint(x)); // the default rounding mode: halves to even
}

// A window holding a line edit with the keyboard focus and a slider placed at (20, 60).
class ValueTip : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setGeometry(300, 200, 400, 300);
        edit = new QLineEdit(&window);
        edit->setGeometry(10, 10, 100, 24);
        slider = new ucxSlider(&window);
        slider->setOrientation(ucxSlider::Horizontal);
        slider->setGeometry(20, 60, 200, 16);
        window.show();
        QApplication::setActiveWindow(&window);
        edit->setFocus();
        QApplication::processEvents();
    }
    void TearDown() override { frmValueTipShouldBeGone(); }

    void frmValueTipShouldBeGone()
    {
        if (QWidget *tip = findValueTip()) {
            ADD_FAILURE() << "the tip outlived the drag";
            delete tip;
        }
    }

    QWidget window;
    QLineEdit *edit = nullptr;
    ucxSlider *slider = nullptr;
};

QLabel *labelOf(QWidget *tip)
{
    return tip == nullptr ? nullptr : tip->findChild<QLabel *>(QStringLiteral("lblTip"));
}

} // namespace

TEST_F(ValueTip, ShowsTheValueCentredAboveAHorizontalThumbMeasuringTheMinusSign)
{
    slider->setMax(10);
    ASSERT_TRUE(slider->setMin(-10));
    slider->setValue(-3); // thumb left 184 x 7 / 20 = 64.4
    press(*slider, slider->thumbRect().center());

    QWidget *tip = findValueTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->isVisible());
    QLabel *label = labelOf(tip);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("-3"));
    EXPECT_EQ(tip->font().family(), QStringLiteral("Verdana"));
    EXPECT_DOUBLE_EQ(tip->font().pointSizeF(), 6.75);

    const QFontMetrics metrics(tip->font());
    const int textWidth = metrics.horizontalAdvance(QStringLiteral("-3"));
    EXPECT_GT(textWidth, metrics.horizontalAdvance(QStringLiteral("3")));
    EXPECT_EQ(label->width(), textWidth);
    const int labelHeight = label->height();

    const QPoint origin = slider->mapToGlobal(QPoint(0, 0));
    const QRect thumb = slider->thumbRect();
    EXPECT_EQ(thumb.left(), 64);
    const QRect expected(nearestEven(origin.x() + thumb.left() + (16 - textWidth - 4) * 0.5),
                         origin.y() + thumb.top() - labelHeight - 5, textWidth + 4,
                         labelHeight + 3);
    EXPECT_EQ(tip->geometry(), expected);
    EXPECT_LT(tip->geometry().bottom(), origin.y()) << "the tip sits above the slider";
    release(*slider, slider->thumbRect().center());
}

TEST_F(ValueTip, FollowsTheThumbDuringADragAndClosesAtTheRelease)
{
    press(*slider, QPointF(8, 8));
    QWidget *tip = findValueTip();
    ASSERT_NE(tip, nullptr);
    const int firstLeft = tip->x();
    moveTo(*slider, QPointF(8 + 184 * 0.7, 8));
    ASSERT_EQ(findValueTip(), tip) << "one window, moved";
    EXPECT_EQ(labelOf(tip)->text(), QStringLiteral("7"));
    EXPECT_EQ(slider->thumbRect().left(), 129);
    const int textWidth = labelOf(tip)->width();
    const int originX = slider->mapToGlobal(QPoint(0, 0)).x();
    EXPECT_EQ(tip->x(), nearestEven(originX + 129 + (16 - textWidth - 4) * 0.5));
    EXPECT_GT(tip->x(), firstLeft + 120);
    release(*slider, QPointF(400, 8));
    EXPECT_EQ(findValueTip(), nullptr);
}

TEST_F(ValueTip, SitsLeftOfAVerticalThumb)
{
    slider->setOrientation(ucxSlider::Vertical);
    slider->setGeometry(300, 20, 16, 200);
    slider->setValue(5); // top 92
    press(*slider, slider->thumbRect().center());
    QWidget *tip = findValueTip();
    ASSERT_NE(tip, nullptr);
    const QPoint origin = slider->mapToGlobal(QPoint(0, 0));
    const int textWidth = labelOf(tip)->width();
    const int labelHeight = labelOf(tip)->height();
    EXPECT_EQ(tip->x(), origin.x() + 0 - textWidth - 6);
    EXPECT_EQ(tip->y(), nearestEven(origin.y() + 92 + (16 - labelHeight - 4) * 0.5));
    EXPECT_LT(tip->geometry().right(), origin.x());
    release(*slider, QPointF(8, 8));
}

TEST_F(ValueTip, NeverTakesTheFocus)
{
    ASSERT_EQ(QApplication::focusWidget(), edit);
    press(*slider, QPointF(100, 8));
    QApplication::processEvents();
    QWidget *tip = findValueTip();
    ASSERT_NE(tip, nullptr);
    ASSERT_TRUE(tip->isVisible());
    EXPECT_FALSE(tip->isActiveWindow());
    EXPECT_EQ(QApplication::activeWindow(), &window);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    release(*slider, QPointF(100, 8));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

TEST_F(ValueTip, IsNotShownWhenShowValueTipIsOff)
{
    slider->setProperty("ShowValueTip", false);
    press(*slider, QPointF(100, 8));
    EXPECT_EQ(findValueTip(), nullptr);
    release(*slider, QPointF(100, 8));
}

TEST_F(ValueTip, HasAOnePixel3DFrame)
{
    press(*slider, QPointF(100, 8));
    QWidget *tip = findValueTip();
    ASSERT_NE(tip, nullptr);
    const QImage image = render(*tip);
    const QRgb light = tip->palette().color(QPalette::Midlight).rgb();
    const QRgb dark = tip->palette().color(QPalette::Shadow).rgb();
    const QRgb inside = tip->palette().color(QPalette::Window).rgb();
    ASSERT_NE(light, dark);
    const int w = image.width();
    const int h = image.height();
    EXPECT_EQ(image.pixel(w / 2, 0), light);
    EXPECT_EQ(image.pixel(0, h / 2), light);
    EXPECT_EQ(image.pixel(0, 0), light);
    EXPECT_EQ(image.pixel(w - 1, h / 2), dark);
    EXPECT_EQ(image.pixel(w / 2, h - 1), dark);
    EXPECT_EQ(image.pixel(w - 1, 0), dark);
    EXPECT_EQ(image.pixel(0, h - 1), dark);
    EXPECT_EQ(image.pixel(1, 1), inside);
    release(*slider, QPointF(100, 8));
}

TEST_F(ValueTip, IsClosedWhenTheSliderGoesAwayMidDrag)
{
    press(*slider, QPointF(100, 8));
    ASSERT_NE(findValueTip(), nullptr);
    delete slider;
    slider = nullptr;
    EXPECT_EQ(findValueTip(), nullptr);
}
