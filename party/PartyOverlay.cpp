#include "party/PartyOverlay.h"

#include "lyrics/OutlineFont.h"

#include <algorithm>
#include <array>

namespace melorit::party {
namespace {

// The view is 1 high and `aspect` wide; y grows upwards. A line is given
// by its base line and its em size, and never grows wider than this share
// of the view.
constexpr float kMaxLineWidth = 0.9f;

struct LineSpot {
    float baseLine;
    float em;
};
// The title card: title, artist, singer, high above the middle, where the
// lines to come and the countdown over them leave room.
constexpr std::array<LineSpot, 3> kTitleSpots{{{0.86f, 0.10f}, {0.77f, 0.065f}, {0.70f, 0.055f}}};
// The next singer: in the middle between songs, low while the last lines
// of a song rise.
constexpr LineSpot kNextBetweenSongs{0.47f, 0.09f};
constexpr LineSpot kNextAfterLastLine{0.16f, 0.07f};
// The countdown bar: just above the line it leads to; where that line is
// not drawn, just above the middle, where lines arrive.
constexpr float kBarAboveLine = 0.03f;
constexpr float kBarMiddle = 0.575f;
constexpr float kBarHighest = 0.95f;
constexpr float kBarHeight = 0.018f;
constexpr float kBarWidth = 0.6f;

void drawLine(lyrics::OutlineFont &font, const QString &text, LineSpot spot, float aspect,
              const lyrics::Rgb &colour)
{
    const std::vector<lyrics::GlyphCode> codes = lyrics::glyphCodes(text);
    font.ensureGlyphs(codes);
    const float width = font.Text3DWidth(codes);
    if (width <= 0) {
        return;
    }
    const float scale = std::min(spot.em, kMaxLineWidth * aspect / width);
    glPushMatrix();
    glTranslatef((aspect - width * scale) / 2, spot.baseLine, 0);
    glScalef(scale, scale, scale);
    font.Print3D(codes, 0, 0, 0, colour);
    glPopMatrix();
}

} // namespace

PartyOverlay::PartyOverlay(StateSource state, std::function<lyrics::LyricsColours()> colours)
    : m_state(std::move(state)), m_colours(std::move(colours))
{
}

void PartyOverlay::drawOverlay(lyrics::OutlineFont &font, const lyrics::OverlayFrame &frame)
{
    m_plan = m_state ? planCards(m_state(frame.playing, frame.tick), m_texts) : CardPlan{};
    if ((m_plan.kind == CardKind::None && m_plan.countdown < 0) || !font.ready()) {
        return;
    }
    m_frameColours = m_colours ? m_colours() : lyrics::LyricsColours{};
    const float aspect = static_cast<float>(std::max(frame.width, 1)) / std::max(frame.height, 1);
    // Flat, in front of everything, in a view of its own.
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, aspect, 0, 1, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    if (m_plan.kind == CardKind::Title) {
        drawTitleCard(font, aspect);
    } else if (m_plan.kind == CardKind::Next) {
        drawNextCard(font, aspect, frame.playing);
    }
    if (m_plan.countdown >= 0) {
        drawCountdown(aspect, frame);
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

void PartyOverlay::drawTitleCard(lyrics::OutlineFont &font, float aspect)
{
    // Title in the flash colour, the artist as sung text, the singer as the
    // text to come.
    const std::array<std::uint32_t, 3> colours{m_frameColours.flash, m_frameColours.sung,
                                               m_frameColours.unsung};
    for (qsizetype i = 0; i < std::min<qsizetype>(m_plan.lines.size(), kTitleSpots.size()); ++i) {
        const auto at = static_cast<std::size_t>(i);
        drawLine(font, m_plan.lines[i], kTitleSpots[at], aspect,
                 lyrics::RGB2CouleurRVB(colours[at]));
    }
}

void PartyOverlay::drawNextCard(lyrics::OutlineFont &font, float aspect, bool playing)
{
    if (m_plan.lines.isEmpty()) {
        return;
    }
    drawLine(font, m_plan.lines.first(), playing ? kNextAfterLastLine : kNextBetweenSongs, aspect,
             lyrics::RGB2CouleurRVB(m_frameColours.flash));
}

void PartyOverlay::drawCountdown(float aspect, const lyrics::OverlayFrame &frame)
{
    const float lineTop = frame.lineTop ? frame.lineTop(m_plan.countdownLine) : -1;
    const float middle = lineTop >= 0 ? std::min(lineTop + kBarAboveLine, kBarHighest) : kBarMiddle;
    const float half = kBarWidth * aspect * std::clamp(m_plan.countdown, 0.0f, 1.0f) / 2;
    const lyrics::Rgb colour = lyrics::RGB2CouleurRVB(m_frameColours.unsung);
    glColor3f(colour.r, colour.g, colour.b);
    glBegin(GL_QUADS);
    glVertex2f(aspect / 2 - half, middle - kBarHeight / 2);
    glVertex2f(aspect / 2 + half, middle - kBarHeight / 2);
    glVertex2f(aspect / 2 + half, middle + kBarHeight / 2);
    glVertex2f(aspect / 2 - half, middle + kBarHeight / 2);
    glEnd();
}

} // namespace melorit::party
