#pragma once

#include "lyrics/GlyphMetrics.h"

#include <cstdint>
#include <vector>

namespace melorit::lyrics {

class LyricsModel;

// A colour as three components from 0 to 1.
struct Rgb {
    float r = 0;
    float g = 0;
    float b = 0;
};

// A packed colour (red in the low byte, green in the middle, blue in the high
// byte) as three components.
Rgb RGB2CouleurRVB(std::uint32_t couleur);
// k x a + (1 - k) x b, per component.
Rgb mixColours(float k, const Rgb &a, const Rgb &b);

// The window's four colours, packed.
struct LyricsColours {
    std::uint32_t sung = 0x808080;       // sung text and lines already passed
    std::uint32_t flash = 0xFFFFFF;      // the syllable just reached
    std::uint32_t unsung = 0xC0C040;     // unsung text and lines to come
    std::uint32_t background = 0x000080; // clear colour
    bool operator==(const LyricsColours &) const = default;
};

// The syllable being sung at a tick: the last one whose tick is not above it
// (on equal ticks, the one the binary search meets first); 0 before the
// first syllable or without syllables.
int currentSyllable(const LyricsModel &model, std::int64_t tick);

// Where a line stands at a tick: Y rises with the ticks since its start, Z
// recedes on both sides of the current line, K fades passed lines from the
// sung colour towards the background.
struct LinePlace {
    float y = 0;
    float z = 0;
    float k = 0;
};
LinePlace placeLine(float scrollSpeed, std::int64_t tick, std::int32_t lineTick);

// The vertical scroll in em units per tick: one "[" height per smallest line
// gap, 0.0005 when two lines start together, 0 (no scrolling) with fewer than
// two lines.
inline constexpr float kScrollSpeedForZeroGap = 0.0005f;
float computeScrollSpeed(int lineCount, std::int32_t minLineGap, float bracketHeight);

// Zoom keys, by the virtual key codes of the numeric keypad.
namespace zoomkeys {
inline constexpr int kKeypad0 = 96; // keypad 1 to 9 follow
inline constexpr int kKeypad9 = 105;
inline constexpr int kKeypadPlus = 107;
inline constexpr int kKeypadMinus = 109;
} // namespace zoomkeys
// The zoom after a key press; keys outside the keypad leave it.
int zoomAfterKey(int zoom, int keyCode);
float camDistanceFor(int zoom);

// The camera's distance at which a line of this width (em units) fills the
// width of a view of this aspect (width / height) less a margin, held
// between kMinFitDistance (a few lines still show) and kMaxFitDistance.
inline constexpr float kMinFitDistance = 6.5f;
inline constexpr float kMaxFitDistance = 60.0f;
float fitCamDistance(float lineWidth, float aspect);

// The lines of a song as glyph codes after the lyrics character conversion,
// with their widths, and where each syllable lies in its line, in glyphs.
// The model counts bytes; UTF-8 lyrics have fewer characters than bytes.
class LyricsLayout {
public:
    struct Line {
        std::vector<GlyphCode> codes;
        float width = 0;
    };
    struct Span {
        int from = 0;
        int count = 0;
    };

    // The glyph codes the song's lines use, each once.
    static std::vector<GlyphCode> glyphsOf(const LyricsModel &model);

    void build(const LyricsModel &model, const GlyphMetricsTable &glyphs);
    void clear();
    // Built for this model's tables (same line and syllable counts).
    bool fits(const LyricsModel &model) const;

    int lineCount() const { return static_cast<int>(m_lines.size()); }
    // The width of the song's longest line.
    float longestWidth() const { return m_longest; }
    int syllableCount() const { return static_cast<int>(m_spans.size()); }
    // 1-based, as the model's tables.
    const Line &line(int index) const { return m_lines[static_cast<std::size_t>(index - 1)]; }
    const Span &syllable(int index) const { return m_spans[static_cast<std::size_t>(index - 1)]; }

private:
    std::vector<Line> m_lines;
    std::vector<Span> m_spans;
    float m_longest = 0;
    bool m_built = false;
};

// One text to draw: glyphs [from, from + count) of a laid-out line at
// (x, y, z) in a colour.
struct TextRun {
    int line = 0;
    int from = 0;
    int count = 0;
    float x = 0;
    float y = 0;
    float z = 0;
    Rgb colour;
};

// What a frame draws.
struct FramePlan {
    Rgb background;
    bool drawText = false; // listening: camera set and lines drawn
    int currentSyllable = 0;
    int currentLine = 0;
    std::vector<TextRun> runs;
};

// Everything a frame reads besides the song.
struct FrameState {
    std::int64_t tick = 0;
    float scrollSpeed = 0;
    float flashLeft = 0;
    float flashLength = 1;
    LyricsColours colours;
};

// The lines around the current one: seven before and seven after, the passed
// ones fading, the current one in three parts (sung, flash, unsung). Empty
// texts give no run. The plan's vector is reused from frame to frame.
inline constexpr int kLinesAround = 7;

// The tick the lines are placed at: the song's, until the last line has
// risen by one line after the last syllable; there the lines stay. Run on,
// the sung lines would recede into the distance and pile up on one another
// at the vanishing point.
std::int64_t placingTick(const LyricsModel &model, std::int64_t tick);
void planFrame(const LyricsModel &model, const LyricsLayout &layout,
               const GlyphMetricsTable &glyphs, const FrameState &state, FramePlan &plan);

} // namespace melorit::lyrics
