// Loading the sheets as pictures and copying frames out of them.

#include "skins/Skins.h"
#include "skins/ButtonFrames.h"
#include "skins/KnobFrames.h"

#include <QGuiApplication>
#include <QPainter>

#include <gtest/gtest.h>

using namespace melorit::skins;

namespace {

// Pictures need the GUI application object (offscreen under CTest).
const SkinSet &skins()
{
    static int argc = 1;
    static char name[] = "skins_tests";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app =
        QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    static const SkinSet loaded = LoadSkins();
    (void)app;
    return loaded;
}

QImage sheetPart(const Frame &frame)
{
    return skins()
        .sheet(frame.sheet)
        .toImage()
        .convertToFormat(QImage::Format_RGB32)
        .copy(frame.source);
}

QImage canvas(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    return image;
}

} // namespace

TEST(LoadSkins, NineSheetsInResourceOrderWithTheirSizes)
{
    const SkinSet &set = skins();
    ASSERT_TRUE(set.isComplete());
    for (int i = 0; i < kSheetCount; ++i) {
        const SheetInfo &info = kSheets[static_cast<std::size_t>(i)];
        EXPECT_EQ(info.resourceId, 101 + i);
        EXPECT_EQ(set.sheet(sheetAt(i)).size(), QSize(info.width, info.height));
    }
    EXPECT_FALSE(SkinSet().isComplete());
}

TEST(DrawFrame, CopiesThePixelsAsTheyAreToTheGivenPoint)
{
    const Frame frame = rotaryKnobFrame(100, 1, true);
    QImage target = canvas(QSize(40, 40));
    {
        QPainter p(&target);
        p.setOpacity(1.0);
        p.setCompositionMode(QPainter::CompositionMode_Multiply);
        drawFrame(p, skins(), frame, QPoint(5, 7));
        EXPECT_EQ(p.compositionMode(), QPainter::CompositionMode_Multiply);
    }
    EXPECT_EQ(target.copy(5, 7, 24, 24), sheetPart(frame));
    EXPECT_EQ(target.pixel(4, 7), QColor(Qt::magenta).rgb());
    EXPECT_EQ(target.pixel(29, 30), QColor(Qt::magenta).rgb());
}

TEST(DrawFrame, AFrameReachingPastTheSheetDrawsOnlyItsInsidePart)
{
    const Frame past{Sheet::LevelMeter, QRect(180, 70, 16, 20)};
    QImage target = canvas(QSize(16, 20));
    {
        QPainter p(&target);
        drawFrame(p, skins(), past);
    }
    EXPECT_EQ(target.copy(0, 0, 12, 10), sheetPart({Sheet::LevelMeter, QRect(180, 70, 12, 10)}));
    EXPECT_EQ(target.pixel(13, 5), QColor(Qt::magenta).rgb());
    EXPECT_EQ(target.pixel(3, 15), QColor(Qt::magenta).rgb());
}

TEST(FramePixmap, IsTheFrameAlone)
{
    const Frame frame = *mainButtonFrame(35, 1);
    const QPixmap pixmap = framePixmap(skins(), frame);
    EXPECT_EQ(pixmap.size(), QSize(32, 32));
    EXPECT_EQ(pixmap.toImage().convertToFormat(QImage::Format_RGB32), sheetPart(frame));
}

TEST(LedPrint, BpmPutsThreeGlyphs14PixelsApart)
{
    QImage target = canvas(QSize(60, 30));
    {
        QPainter p(&target);
        LedPrint(p, skins(), u"bpm", 4, 4, false);
    }
    EXPECT_EQ(target.copy(4, 4, 14, 22), sheetPart(ledGlyphFrame(U'b', false)));
    EXPECT_EQ(target.copy(18, 4, 14, 22), sheetPart(ledGlyphFrame(U'p', false)));
    EXPECT_EQ(target.copy(32, 4, 14, 22), sheetPart(ledGlyphFrame(U'm', false)));
    EXPECT_EQ(target.pixel(46, 10), QColor(Qt::magenta).rgb());
    EXPECT_EQ(target.pixel(3, 10), QColor(Qt::magenta).rgb());
    EXPECT_NE(target.copy(4, 4, 14, 22), target.copy(18, 4, 14, 22));
}

TEST(LedPrint, CharactersBeyond127DrawAsBlanks)
{
    QImage target = canvas(QSize(28, 22));
    {
        QPainter p(&target);
        LedPrint(p, skins(), u"\u00e9\u20ac", 0, 0, true);
    }
    const QImage blank = sheetPart(ledGlyphFrame(U' ', true));
    EXPECT_EQ(target.copy(0, 0, 14, 22), blank);
    EXPECT_EQ(target.copy(14, 0, 14, 22), blank);
}

TEST(LedPrint, HighlightChoosesTheRow)
{
    QImage top = canvas(QSize(14, 22));
    QImage bottom = canvas(QSize(14, 22));
    {
        QPainter p(&top);
        LedPrint(p, skins(), u"7", 0, 0, true);
    }
    {
        QPainter p(&bottom);
        LedPrint(p, skins(), u"7", 0, 0, false);
    }
    EXPECT_EQ(top, sheetPart(ledGlyphFrame(U'7', true)));
    EXPECT_EQ(bottom, sheetPart(ledGlyphFrame(U'7', false)));
    EXPECT_NE(top, bottom);
}
