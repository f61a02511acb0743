#pragma once

#include "app/core/UserMessages.h"

#include <QImage>
#include <QRect>

#include <vector>

namespace melorit::lyricswin {

// The application the window tests share (made once, on the first call).
void ensureApplication();

// Records the messages meant for the user instead of showing them.
class RecordingSink final : public MessageSink {
public:
    RecordingSink() { setMessageSink(this); }
    ~RecordingSink() override { setMessageSink(nullptr); }
    void show(const UserMessage &message) override { messages.push_back(message); }
    std::vector<UserMessage> messages;
};

// Pixels of a frame that are not the background colour.
struct Coverage {
    int count = 0;
    QRect bounds;
};
Coverage textPixels(const QImage &frame, QRgb background, int tolerance = 6);

} // namespace melorit::lyricswin
