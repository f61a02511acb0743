// What the slider draws: the 3-D rail edges, the picture rail, the background and the thumb;
// and a screenshot of every style for a person to look at.
#include "SliderTestSupport.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>

#include <gtest/gtest.h>

using namespace trackel;
using namespace trackel::test;

namespace {

// A horizontal 100-pixel slider with the thumb at the left end: its rail spans rows 6..9
// and columns 6..93.
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
    const bool across = size.width() >= size.height();
    QLinearGradient gradient(0, 0, across ? 0 : size.width(), across ? size.height() : 0);
    gradient.setColorAt(0, QColor(0x2e, 0x7d, 0x32));
    gradient.setColorAt(1, QColor(0xa5, 0xd6, 0xa7));
    painter.setBrush(gradient);
    painter.setPen(QColor(0x1b, 0x5e, 0x20));
    const qreal radius = std::min(size.width(), size.height()) / 2.0;
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), radius, radius);
    return picture;
}

} // namespace

TEST(SliderPainting, EachEdgeStyleDrawsItsBevelRowByRow)
{
    using R = QPalette::ColorRole;
    const R none = QPalette::Button; // the background shows through
    const struct {
        ucxSlider::RailStyleConstants style;
        R rows[6]; // rows 5 to 10 at column 50
    } cases[] = {
        {ucxSlider::Sunken, {none, R::Dark, R::Shadow, R::Midlight, R::Light, none}},
        {ucxSlider::Raised, {none, R::Midlight, R::Light, R::Dark, R::Shadow, none}},
        {ucxSlider::SunkenSoft, {none, R::Dark, none, none, R::Light, none}},
        {ucxSlider::RaisedSoft, {none, R::Light, none, none, R::Dark, none}},
        {ucxSlider::ByPicture, {none, none, none, none, none, none}}, // no picture: no rail
    };
    const QPalette palette = edgePalette();
    for (const auto &c : cases) {
        const QImage image = horizontalRail(c.style);
        for (int row = 0; row < 6; ++row) {
            EXPECT_EQ(image.pixel(50, 5 + row), palette.color(c.rows[row]).rgb())
                << "style " << c.style << ", row " << 5 + row;
        }
    }
    // The lower and right lines take the far corners; the rail ends at column 93.
    const QImage sunken = horizontalRail(ucxSlider::Sunken);
    EXPECT_EQ(sunken.pixel(93, 6), palette.color(QPalette::Light).rgb());
    EXPECT_EQ(sunken.pixel(92, 7), palette.color(QPalette::Midlight).rgb());
    EXPECT_EQ(sunken.pixel(94, 7), palette.color(QPalette::Button).rgb());
}

TEST(SliderPainting, APictureRailIsDrawnTwoPixelsInAndCentredAcross)
{
    ucxSlider slider;
    QPixmap picture(60, 6);
    picture.fill(Qt::red);
    slider.setRailStyle(ucxSlider::ByPicture);
    slider.setRailPicture(picture);
    makeHorizontal(slider, 0);
    slider.setValue(10); // the thumb out of the way at the right end
    ASSERT_EQ(slider.size(), QSize(64, 16));
    const QImage image = render(slider);
    const QRgb red = QColor(Qt::red).rgb();
    EXPECT_EQ(image.pixel(2, 5), red); // (16 - 6) / 2
    EXPECT_EQ(image.pixel(2, 10), red);
    EXPECT_NE(image.pixel(1, 8), red);
    EXPECT_NE(image.pixel(2, 4), red);
    EXPECT_NE(image.pixel(2, 11), red);
}

TEST(SliderPainting, TheBackgroundIsTheBackcolorAndTheThumbSitsAtTheBottomForTheMinimum)
{
    ucxSlider slider;
    slider.setBackcolor(QColor(0x10, 0x20, 0x30));
    makeVertical(slider, 100);
    const QImage image = render(slider);
    EXPECT_EQ(image.pixel(1, 1), QColor(0x10, 0x20, 0x30).rgb());
    const QRgb thumbCentre = slider.sliderIcon().toImage().pixel(8, 8);
    ASSERT_EQ(qAlpha(thumbCentre), 255) << "the built-in thumb is opaque in its middle";
    EXPECT_EQ(image.pixel(8, 84 + 8), thumbCentre);
    EXPECT_NE(image.pixel(8, 8), thumbCentre);
}

TEST(SliderPainting, ScreenshotOfEveryStyle)
{
    const std::pair<ucxSlider::RailStyleConstants, bool> styles[] = {
        {ucxSlider::Sunken, false},     {ucxSlider::Raised, false},
        {ucxSlider::SunkenSoft, false}, {ucxSlider::RaisedSoft, false},
        {ucxSlider::ByPicture, true},   {ucxSlider::ByPicture, false}};
    constexpr int cell = 40;
    QImage sheet(220 + 6 * cell, 7 * cell, QImage::Format_RGB32);
    sheet.fill(QColor(0xc0, 0xc0, 0xc0));
    QPainter painter(&sheet);
    QList<QImage> rails;
    int row = 0;
    for (const auto &[style, withPicture] : styles) {
        ucxSlider horizontal;
        horizontal.setRailStyle(style);
        if (withPicture) {
            horizontal.setRailPicture(railPicture(QSize(196, 6)));
        }
        makeHorizontal(horizontal, 200);
        horizontal.setValue(2); // the thumb stays left of the columns compared below
        rails.append(render(horizontal));
        painter.drawImage(10, 12 + row * cell, rails.last());

        ucxSlider vertical;
        vertical.setRailStyle(style);
        if (withPicture) {
            vertical.setRailPicture(railPicture(QSize(6, 196)));
        }
        makeVertical(vertical, 200);
        vertical.setValue(3 + row);
        painter.drawImage(230 + row * cell, 20, render(vertical));
        ++row;
    }
    ucxSlider dragged; // and the value tip as it shows during a drag
    makeHorizontal(dragged, 200);
    dragged.setMin(-20);
    press(dragged, QPointF(60, 8));
    QWidget *tip = findValueTip();
    ASSERT_NE(tip, nullptr);
    painter.drawImage(10, 12 + 6 * cell - 22, render(*tip));
    release(dragged, QPointF(60, 8));
    painter.end();

    for (int i = 0; i < rails.size(); ++i) {
        for (int j = i + 1; j < rails.size(); ++j) {
            EXPECT_NE(rails[i].copy(100, 0, 80, 16), rails[j].copy(100, 0, 80, 16))
                << "styles " << i << " and " << j << " look the same";
        }
    }
    const QString folder = QStringLiteral(SLIDER_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(sheet.save(folder + QStringLiteral("/slider-styles.png")));
    EXPECT_TRUE(
        sheet.scaled(sheet.size() * 3).save(folder + QStringLiteral("/slider-styles-x3.png")));
}
