#pragma once

#include "lyrics/FrameOverlay.h"
#include "lyrics/LyricsFrame.h"
#include "party/PartyCards.h"

#include <functional>

namespace melorit::party {

// The party screen's cards drawn over the lyrics: the title card, the
// countdown bar and the next singer's card, flat in the lyrics' colours and
// sized to the view, so they read from across the room. UI thread, with the
// lyrics window's rendering context current.
class PartyOverlay final : public lyrics::FrameOverlay {
public:
    // What the cards show at a frame: the song, the next entry.
    using StateSource = std::function<CardState(bool playing, std::int64_t tick)>;

    PartyOverlay(StateSource state, std::function<lyrics::LyricsColours()> colours);

    void setTexts(const CardTexts &texts) { m_texts = texts; }
    // The plan of the last frame drawn.
    const CardPlan &lastPlan() const { return m_plan; }

    void drawOverlay(lyrics::OutlineFont &font, const lyrics::OverlayFrame &frame) override;

private:
    void drawTitleCard(lyrics::OutlineFont &font, float aspect);
    void drawNextCard(lyrics::OutlineFont &font, float aspect, bool playing);
    void drawCountdown(float aspect, const lyrics::OverlayFrame &frame);

    StateSource m_state;
    std::function<lyrics::LyricsColours()> m_colours;
    CardTexts m_texts;
    CardPlan m_plan;
    lyrics::LyricsColours m_frameColours;
};

} // namespace melorit::party
