// What the slider draws: the four 3-D rail edges, the picture rail, the background and the
// thumb; and a screenshot of every style for a person to look at.
#include "SliderTestSupport.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>

#include <gtest/gtest.h>

using namespace trackel;
using namespace trackel::test;

namespace {

QRgb roleColour(QPalette::ColorRole role)
{
    return edgePalette().color(role).rgb();
}

// A horizontal 100-pixel slider with the thumb at the left end; the rail runs along rows
// 6..9, column 50 is well clear of the thumb.
QImage horizontalRail(ucxSlider::RailStyleConstants style)
{
    ucxSlider slider;
    slider.setPalette(edgePalette());
    slider.setRailStyle(style);
    makeHorizontal(slider, 100);
    return render(slider);
}

QPixmap railPicture(QSize size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool horizontal = size.width() >= size.height();
    QLinearGradient gradient(0, 0, horizontal ? 0 : size.width(), horizontal ? size.height() : 0);
    gradient.setColorAt(0, QColor(0x2e, 0x7d, 0x32));
    gradient.setColorAt(1, QColor(0xa5, 0xd6, 0xa7));
    painter.setBrush(gradient);
    painter.setPen(QColor(0x1b, 0x5e, 0x20));
    const qreal radius = std::min(size.width(), size.height()) / 2.0;
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), radius, radius);
    return picture;
}

} // namespace

TEST(SliderPainting, SunkenIsAShadowOverADarkShadowOverLightOverHighlight)
{
    const QImage image = horizontalRail(ucxSlider::Sunken);
    EXPECT_EQ(image.pixel(50, 6), roleColour(QPalette::Dark));
    EXPECT_EQ(image.pixel(50, 7), roleColour(QPalette::Shadow));
    EXPECT_EQ(image.pixel(50, 8), roleColour(QPalette::Midlight));
    EXPECT_EQ(image.pixel(50, 9), roleColour(QPalette::Light));
    // Left end: outer and inner columns; right end: the far corner takes the lower colour.
    EXPECT_EQ(image.pixel(6 + 10, 7), roleColour(QPalette::Shadow));
    EXPECT_EQ(image.pixel(93, 6), roleColour(QPalette::Light));
    EXPECT_EQ(image.pixel(92, 7), roleColour(QPalette::Midlight));
    EXPECT_EQ(image.pixel(94, 7), roleColour(QPalette::Button)) << "the rail ends at 94";
    EXPECT_EQ(image.pixel(50, 5), roleColour(QPalette::Button));
    EXPECT_EQ(image.pixel(50, 10), roleColour(QPalette::Button));
}

TEST(SliderPainting, RaisedIsLightOverHighlightOverShadowOverDarkShadow)
{
    const QImage image = horizontalRail(ucxSlider::Raised);
    EXPECT_EQ(image.pixel(50, 6), roleColour(QPalette::Midlight));
    EXPECT_EQ(image.pixel(50, 7), roleColour(QPalette::Light));
    EXPECT_EQ(image.pixel(50, 8), roleColour(QPalette::Dark));
    EXPECT_EQ(image.pixel(50, 9), roleColour(QPalette::Shadow));
}

TEST(SliderPainting, TheSoftStylesDrawOneBorder)
{
    const QImage sunken = horizontalRail(ucxSlider::SunkenSoft);
    EXPECT_EQ(sunken.pixel(50, 6), roleColour(QPalette::Dark));
    EXPECT_EQ(sunken.pixel(50, 7), roleColour(QPalette::Button));
    EXPECT_EQ(sunken.pixel(50, 8), roleColour(QPalette::Button));
    EXPECT_EQ(sunken.pixel(50, 9), roleColour(QPalette::Light));

    const QImage raised = horizontalRail(ucxSlider::RaisedSoft);
    EXPECT_EQ(raised.pixel(50, 6), roleColour(QPalette::Light));
    EXPECT_EQ(raised.pixel(50, 7), roleColour(QPalette::Button));
    EXPECT_EQ(raised.pixel(50, 9), roleColour(QPalette::Dark));
}

TEST(SliderPainting, ByPictureWithoutAPictureDrawsNoRail)
{
    const QImage image = horizontalRail(ucxSlider::ByPicture);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 16; x < image.width(); ++x) {
            ASSERT_EQ(image.pixel(x, y), roleColour(QPalette::Button)) << x << "," << y;
        }
    }
}

TEST(SliderPainting, APictureRailIsDrawnTwoPixelsInAndCentredAcross)
{
    ucxSlider slider;
    QPixmap picture(60, 6);
    picture.fill(Qt::red);
    slider.setRailStyle(ucxSlider::ByPicture);
    slider.setRailPicture(picture);
    makeHorizontal(slider, 0);
    slider.setValue(10); // thumb at the right end, out of the way
    ASSERT_EQ(slider.size(), QSize(64, 16));
    const QImage image = render(slider);
    const QRgb red = QColor(Qt::red).rgb();
    EXPECT_NE(image.pixel(1, 8), red);
    EXPECT_EQ(image.pixel(2, 5), red); // (16 - 6) / 2 = 5
    EXPECT_EQ(image.pixel(2, 10), red);
    EXPECT_NE(image.pixel(2, 11), red);
    EXPECT_NE(image.pixel(2, 4), red);
}

TEST(SliderPainting, TheBackgroundIsTheBackcolorAndTheThumbIsDrawnAtItsPlace)
{
    ucxSlider slider;
    slider.setBackcolor(QColor(0x10, 0x20, 0x30));
    makeVertical(slider, 100);
    slider.setValue(0);
    const QImage image = render(slider);
    EXPECT_EQ(image.pixel(1, 1), QColor(0x10, 0x20, 0x30).rgb());
    const QRgb thumbCentre = slider.sliderIcon().toImage().pixel(8, 8);
    ASSERT_EQ(qAlpha(thumbCentre), 255) << "the built-in thumb is opaque in its middle";
    EXPECT_EQ(image.pixel(8, 84 + 8), thumbCentre) << "the minimum is at the bottom";
    EXPECT_NE(image.pixel(8, 8), image.pixel(8, 84 + 8));
}

TEST(SliderPainting, ScreenshotOfEveryStyle)
{
    struct Style {
        ucxSlider::RailStyleConstants style;
        bool withPicture;
    };
    const Style styles[] = {{ucxSlider::Sunken, false},     {ucxSlider::Raised, false},
                            {ucxSlider::SunkenSoft, false}, {ucxSlider::RaisedSoft, false},
                            {ucxSlider::ByPicture, true},   {ucxSlider::ByPicture, false}};
    constexpr int cell = 40;
    QImage sheet(220 + 6 * cell, 7 * cell, QImage::Format_RGB32);
    sheet.fill(QColor(0xc0, 0xc0, 0xc0));
    QPainter painter(&sheet);
    QList<QImage> rails;
    int row = 0;
    for (const Style &style : styles) {
        ucxSlider horizontal;
        horizontal.setRailStyle(style.style);
        if (style.withPicture) {
            horizontal.setRailPicture(railPicture(QSize(196, 6)));
        }
        makeHorizontal(horizontal, 200);
        horizontal.setValue(2); // the thumb stays left of the columns compared below
        const QImage image = render(horizontal);
        rails.append(image);
        painter.drawImage(10, 12 + row * cell, image);

        ucxSlider vertical;
        vertical.setRailStyle(style.style);
        if (style.withPicture) {
            vertical.setRailPicture(railPicture(QSize(6, 196)));
        }
        makeVertical(vertical, 200);
        vertical.setValue(3 + row);
        painter.drawImage(230 + row * cell, 20, render(vertical));
        ++row;
    }

    // The value tip as it shows during a drag.
    ucxSlider dragged;
    makeHorizontal(dragged, 200);
    dragged.setMin(-20);
    press(dragged, QPointF(60, 8));
    QWidget *tip = findValueTip();
    ASSERT_NE(tip, nullptr);
    painter.drawImage(10, 12 + 6 * cell - 22, render(*tip));
    release(dragged, QPointF(60, 8));
    painter.end();

    // Each style looks different from every other.
    for (int i = 0; i < rails.size(); ++i) {
        for (int j = i + 1; j < rails.size(); ++j) {
            EXPECT_NE(rails[i].copy(100, 0, 80, 16), rails[j].copy(100, 0, 80, 16))
                << "styles " << i << " and " << j;
        }
    }
    const QString folder = QStringLiteral(SLIDER_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(sheet.save(folder + QStringLiteral("/slider-styles.png")));
    EXPECT_TRUE(
        sheet.scaled(sheet.size() * 3).save(folder + QStringLiteral("/slider-styles-x3.png")));
}
