#include "tests/lyricswin/WindowTestSupport.h"

#include <QApplication>

#include <cstdlib>

namespace melorit::lyricswin {

void ensureApplication()
{
    if (QApplication::instance()) {
        return;
    }
    static int argc = 1;
    static char name[] = "lyricswin_tests";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until the process ends
}

Coverage textPixels(const QImage &frame, QRgb background, int tolerance)
{
    Coverage c;
    const QImage image = frame.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            if (std::abs(qRed(p) - qRed(background)) <= tolerance &&
                std::abs(qGreen(p) - qGreen(background)) <= tolerance &&
                std::abs(qBlue(p) - qBlue(background)) <= tolerance) {
                continue;
            }
            ++c.count;
            c.bounds = c.bounds.united(QRect(x, y, 1, 1));
        }
    }
    return c;
}

} // namespace melorit::lyricswin
