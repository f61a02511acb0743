// The embedded pictures themselves: sizes and depths as stored, and a
// visible picture wherever a drawing rule copies one.

#include "SheetCatalog.h"

#include "skins/ButtonFrames.h"
#include "skins/KnobFrames.h"
#include "skins/LedText.h"
#include "skins/MeterFrames.h"
#include "skins/SkinPalette.h"
#include "skins/Skins.h"

#include <QFile>
#include <QHash>

#include <gtest/gtest.h>

#include <array>

using namespace melorit::skins;

namespace {

const QImage &sheetImage(Sheet sheet)
{
    static const std::array<QImage, kSheetCount> images = [] {
        std::array<QImage, kSheetCount> loaded;
        for (int i = 0; i < kSheetCount; ++i) {
            loaded[static_cast<std::size_t>(i)] =
                loadSheetImage(sheetAt(i)).convertToFormat(QImage::Format_RGB32);
        }
        return loaded;
    }();
    return images[static_cast<std::size_t>(sheet)];
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// Share of the frame's pixels that stand out from its most common colour.
double inkShare(const Frame &frame)
{
    const QImage &image = sheetImage(frame.sheet);
    QHash<QRgb, int> counts;
    const QRect r = frame.source;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    int ink = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            ink += channelDistance(image.pixel(x, y), background) > 24 ? 1 : 0;
        }
    }
    return double(ink) / (r.width() * r.height());
}

// Pixels of a frame close to a palette colour.
int pixelsNear(const Frame &frame, QRgb colour, int tolerance = 48)
{
    const QImage &image = sheetImage(frame.sheet);
    int near = 0;
    const QRect r = frame.source;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            near += channelDistance(image.pixel(x, y), colour) <= tolerance ? 1 : 0;
        }
    }
    return near;
}

bool samePixels(const Frame &a, const Frame &b)
{
    return sheetImage(a.sheet).copy(a.source) == sheetImage(b.sheet).copy(b.source);
}

struct PngHeader {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};

PngHeader readPngHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray head = file.read(26);
    if (head.size() < 26 || !head.startsWith("\x89PNG\r\n\x1a\n") || head.mid(12, 4) != "IHDR") {
        return {};
    }
    const auto u32 = [&](int at) {
        return (static_cast<uchar>(head[at]) << 24) | (static_cast<uchar>(head[at + 1]) << 16) |
               (static_cast<uchar>(head[at + 2]) << 8) | static_cast<uchar>(head[at + 3]);
    };
    const int bitDepth = static_cast<uchar>(head[24]);
    const int colourType = static_cast<uchar>(head[25]);
    const int channels = colourType == 2 ? 3 : colourType == 6 ? 4 : 0;
    return {u32(16), u32(20), bitDepth * channels};
}

} // namespace

TEST(SheetFiles, EachSheetHasItsExactSizeAndDepth)
{
    for (int i = 0; i < kSheetCount; ++i) {
        const SheetInfo &info = kSheets[static_cast<std::size_t>(i)];
        const PngHeader header = readPngHeader(sheetResourcePath(sheetAt(i)));
        EXPECT_EQ(header.width, info.width) << info.resourceId;
        EXPECT_EQ(header.height, info.height) << info.resourceId;
        EXPECT_EQ(header.bitsPerPixel, info.depth) << info.resourceId;
        EXPECT_EQ(sheetImage(sheetAt(i)).size(), QSize(info.width, info.height)) << info.resourceId;
    }
}

TEST(SheetArt, EveryPlacedFrameLiesInsideItsSheetAndIsNotBlank)
{
    const std::vector<CatalogFrame> frames = everyPlacedFrame();
    ASSERT_GT(frames.size(), 2000U);
    for (const CatalogFrame &entry : frames) {
        ASSERT_TRUE(sheetRect(entry.frame.sheet).contains(entry.frame.source))
            << qPrintable(entry.what);
        EXPECT_GE(inkShare(entry.frame), 0.03) << qPrintable(entry.what);
    }
}

TEST(SheetArt, TheBlankLedGlyphIsEmpty)
{
    for (const bool highlight : {true, false}) {
        EXPECT_EQ(inkShare(ledGlyphFrame(U' ', highlight)), 0.0);
        EXPECT_EQ(pixelsNear(ledGlyphFrame(U' ', highlight), palette::kDisplay, 2), 14 * 22);
    }
}

TEST(SheetArt, TakenOverControlsShowTheOverrideColourOthersDoNot)
{
    std::vector<std::pair<Frame, Frame>> pairs; // (follows the song, taken over)
    for (int v = 0; v <= 128; ++v) {
        for (const int kind : {0, 1, 2, 3, 5}) {
            pairs.emplace_back(channelKnobFrame(kind, v, false), channelKnobFrame(kind, v, true));
        }
    }
    for (int f = 0; f < kEffectKnobFrames; ++f) {
        pairs.emplace_back(effectKnobFrame(f, 44, false), effectKnobFrame(f, 44, true));
    }
    for (const auto &[song, user] : pairs) {
        EXPECT_EQ(pixelsNear(song, palette::kOverride), 0)
            << song.source.x() << "," << song.source.y();
        EXPECT_GE(pixelsNear(user, palette::kOverride), 4)
            << user.source.x() << "," << user.source.y();
    }
}

TEST(SheetArt, NeighbouringValuesHaveDifferentPictures)
{
    for (const bool mark : {false, true}) {
        for (int kind = 0; kind <= 1; ++kind) {
            for (int v = 1; v < kRotaryPositions; ++v) {
                EXPECT_FALSE(
                    samePixels(rotaryKnobFrame(v - 1, kind, mark), rotaryKnobFrame(v, kind, mark)))
                    << kind << " " << v;
            }
        }
        for (int v = 1; v <= 128; ++v) {
            EXPECT_FALSE(samePixels(bankFrame(v - 1, mark), bankFrame(v, mark))) << v;
        }
        EXPECT_FALSE(samePixels(bankFrame(128, mark), programFrame(127, mark)));
        EXPECT_FALSE(samePixels(drumButtonFrame(0, mark), drumButtonFrame(1, mark)));
        for (int f = 1; f < kEffectKnobFrames; ++f) {
            EXPECT_FALSE(
                samePixels(effectKnobFrame(f - 1, 44, mark), effectKnobFrame(f, 44, mark)));
        }
    }
    for (int v = -19; v <= 20; ++v) {
        EXPECT_FALSE(samePixels(faderFrame(v - 1, -20, 20), faderFrame(v, -20, 20))) << v;
    }
    for (int v = -11; v <= 12; ++v) {
        EXPECT_FALSE(samePixels(transposeKnobFrame(v - 1), transposeKnobFrame(v))) << v;
    }
}

TEST(SheetArt, ButtonStatesHaveDifferentPictures)
{
    for (int index = 32; index <= 50; ++index) {
        EXPECT_FALSE(samePixels(*mainButtonFrame(index, 0), *mainButtonFrame(index, 1))) << index;
    }
    for (int index = 48; index <= 54; ++index) {
        EXPECT_FALSE(samePixels(*playlistButtonFrame(index, 0), *playlistButtonFrame(index, 1)));
    }
    for (const int index : {0, 16}) {
        for (int a = 0; a < 4; ++a) {
            for (int b = a + 1; b < 4; ++b) {
                EXPECT_FALSE(samePixels(*mainButtonFrame(index, a), *mainButtonFrame(index, b)));
            }
        }
    }
    EXPECT_FALSE(samePixels(*mainButtonFrame(42, 2), *mainButtonFrame(42, 3)));
    EXPECT_FALSE(samePixels(clipLampFrame(false), clipLampFrame(true)));
}

TEST(SheetArt, LampsAndMeterGetBrighterWithTheLevel)
{
    const auto brightness = [](const Frame &frame) {
        const QImage &image = sheetImage(frame.sheet);
        long long sum = 0;
        const QRect r = frame.source;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                sum += qGray(image.pixel(x, y));
            }
        }
        return sum;
    };
    int previous = -1;
    for (int level = 0; level <= 127; ++level) {
        const int f = activityFrameIndex(level);
        if (f == previous) {
            continue;
        }
        if (previous >= 0) {
            for (const bool lyrics : {true, false}) {
                EXPECT_GT(brightness(activityLampFrame(level, lyrics)),
                          brightness(activityLampFrame(level - 1, lyrics)))
                    << level;
            }
        }
        previous = f;
    }
    for (int s = 1; s < kMeterFrames; ++s) {
        EXPECT_GT(brightness(meterFrame(s)), brightness(meterFrame(s - 1))) << s;
    }
    EXPECT_GT(brightness(clipLampFrame(true)), brightness(clipLampFrame(false)));
}
