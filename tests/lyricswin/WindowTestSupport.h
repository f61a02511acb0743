#pragma once

#include "base/UserMessages.h"

#include "tests/support/RecordedMessages.h"

#include <QImage>
#include <QRect>

#include <vector>

namespace melorit::lyricswin {

// The application the window tests share (made once, on the first call).
void ensureApplication();

using melorit::testing::RecordedMessages;

// Pixels of a frame that are not the background colour.
struct Coverage {
    int count = 0;
    QRect bounds;
};
Coverage textPixels(const QImage &frame, QRgb background, int tolerance = 6);

} // namespace melorit::lyricswin
