// The value tip: text, measured size, place beside the thumb, frame, focus and lifetime.
#include "SliderTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cmath>

using namespace trackel;
using namespace trackel::test;

namespace {

int nearestEven(double x)
{
    return static_cast<int>(std::nearbyint(x)); // the default rounding mode: halves to even
}

QLabel *labelOf(QWidget *tip)
{
    return tip->findChild<QLabel *>(QStringLiteral("lblTip"));
}

// A window holding a line edit with the keyboard focus and a horizontal slider at (20, 60).
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
    void TearDown() override
    {
        if (QWidget *tip = findValueTip()) {
            ADD_FAILURE() << "the tip outlived the drag";
            delete tip;
        }
    }

    // Where the tip belongs above the thumb, by the measured width of its text.
    int expectedHorizontalLeft(const QString &text) const
    {
        const int textWidth = QFontMetrics(findValueTip()->font()).horizontalAdvance(text);
        return nearestEven(slider->mapToGlobal(QPoint(0, 0)).x() + slider->thumbRect().left() +
                           (16 - textWidth - 4) * 0.5);
    }

    QWidget window;
    QLineEdit *edit = nullptr;
    ucxSlider *slider = nullptr;
};

} // namespace

TEST_F(ValueTip, ShowsTheValueCentredAboveTheThumbMeasuringTheMinusSign)
{
    ASSERT_TRUE(slider->setMin(-10));
    slider->setValue(-3); // thumb left 184 x 7 / 20 = 64.4
    press(*slider, slider->thumbRect().center());
    QWidget *tip = findValueTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->font().family(), QStringLiteral("Verdana"));
    EXPECT_DOUBLE_EQ(tip->font().pointSizeF(), 6.75);
    QLabel *label = labelOf(tip);
    EXPECT_EQ(label->text(), QStringLiteral("-3"));
    const QFontMetrics metrics(tip->font());
    EXPECT_EQ(label->width(), metrics.horizontalAdvance(QStringLiteral("-3")));
    EXPECT_GT(label->width(), metrics.horizontalAdvance(QStringLiteral("3")));

    const int top = slider->mapToGlobal(QPoint(0, 0)).y() - label->height() - 5;
    EXPECT_EQ(tip->geometry(), QRect(expectedHorizontalLeft(QStringLiteral("-3")), top,
                                     label->width() + 4, label->height() + 3));
    release(*slider, slider->thumbRect().center());
}

TEST_F(ValueTip, FollowsTheThumbDuringADragAndClosesAtTheRelease)
{
    press(*slider, QPointF(8, 8));
    QWidget *tip = findValueTip();
    ASSERT_NE(tip, nullptr);
    moveTo(*slider, QPointF(8 + 184 * 0.7, 8));
    ASSERT_EQ(findValueTip(), tip) << "one window, moved";
    EXPECT_EQ(labelOf(tip)->text(), QStringLiteral("7"));
    EXPECT_EQ(tip->x(), expectedHorizontalLeft(QStringLiteral("7")));
    EXPECT_GT(tip->x(), slider->mapToGlobal(QPoint(120, 0)).x());
    release(*slider, QPointF(400, 8));
    EXPECT_EQ(findValueTip(), nullptr);

    slider->setShowValueTip(false);
    press(*slider, QPointF(100, 8));
    EXPECT_EQ(findValueTip(), nullptr);
    release(*slider, QPointF(100, 8));
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
    const QLabel *label = labelOf(tip);
    EXPECT_EQ(tip->x(), origin.x() - label->width() - 6);
    EXPECT_EQ(tip->y(), nearestEven(origin.y() + 92 + (16 - label->height() - 4) * 0.5));
    release(*slider, QPointF(8, 8));
}

TEST_F(ValueTip, NeverTakesTheFocus)
{
    ASSERT_EQ(QApplication::focusWidget(), edit);
    press(*slider, QPointF(100, 8));
    QApplication::processEvents();
    QWidget *tip = findValueTip();
    ASSERT_TRUE(tip != nullptr && tip->isVisible());
    EXPECT_FALSE(tip->isActiveWindow());
    EXPECT_EQ(QApplication::activeWindow(), &window);
    EXPECT_EQ(QApplication::focusWidget(), edit);
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
    ASSERT_NE(light, dark);
    const int w = image.width();
    const int h = image.height();
    EXPECT_EQ(image.pixel(w / 2, 0), light);
    EXPECT_EQ(image.pixel(0, h / 2), light);
    EXPECT_EQ(image.pixel(w - 1, h / 2), dark);
    EXPECT_EQ(image.pixel(w / 2, h - 1), dark);
    EXPECT_EQ(image.pixel(w - 1, 0), dark) << "the right line is drawn over the top one";
    EXPECT_EQ(image.pixel(1, 1), tip->palette().color(QPalette::Window).rgb());
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
