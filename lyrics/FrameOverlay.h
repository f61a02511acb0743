#pragma once

#include <cstdint>
#include <functional>

namespace melorit::lyrics {

class OutlineFont;

// What a frame of the lyrics window is drawn for.
struct OverlayFrame {
    bool playing = false;  // a song is heard (lines are drawn)
    std::int64_t tick = 0; // the tick the lines were drawn for
    int width = 0;         // the view, in pixels
    int height = 0;
    // Where the top of a line's capitals stands in this frame, as a share
    // of the view's height from its bottom; below 0 when it is not drawn.
    std::function<float(int line)> lineTop;
};

// Drawn over every frame of the lyrics window, after the lines, with the
// window's rendering context current and its outline font (the party
// screen's cards). It leaves the drawing state as it found it. UI thread.
class FrameOverlay {
public:
    virtual ~FrameOverlay() = default;
    virtual void drawOverlay(OutlineFont &font, const OverlayFrame &frame) = 0;
};

} // namespace melorit::lyrics
