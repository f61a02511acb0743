#include "lyrics/LyricsScene.h"

#include "base/Ini.h"
#include "base/TextUtil.h"
#include "lyrics/LyricsModel.h"
#include "lyrics/LyricsWindowKeys.h"

#include <algorithm>
#include <array>

namespace melorit::lyrics {

void LyricsScene::EffaceLyrics(const QString &settingsFile)
{
    const QString stored = ReadIni(keys::kLyricsSection, keys::kZoomKey, settingsFile);
    // A hand-edited value outside the keys' range would put the camera on
    // or behind the text, or the text beyond the far plane.
    m_zoom = stored.isEmpty()
                 ? keys::kZoomDefault
                 : std::clamp(text::toInt(text::Val(stored)), keys::kZoomMin, keys::kZoomMax);
    m_camDistance = camDistanceFor(m_zoom);
    forgetLayout();
}

void LyricsScene::DisplayLyrics(int markIndex)
{
    m_lastMark = markIndex;
    m_flashLeft = m_flashLength;
}

void LyricsScene::fadeFlash(float seconds)
{
    if (m_flashLeft > 0) {
        m_flashLeft -= seconds;
    }
}

void LyricsScene::keyPressed(int keyCode, const QString &settingsFile)
{
    m_zoom = zoomAfterKey(m_zoom, keyCode);
    m_camDistance = camDistanceFor(m_zoom);
    WriteIni(keys::kLyricsSection, keys::kZoomKey, QString::number(m_zoom), settingsFile);
}

float LyricsScene::cameraDistance(float aspect) const
{
    if (!m_fitToWidth || m_layout.lineCount() == 0) {
        return m_camDistance;
    }
    return fitCamDistance(m_layout.longestWidth(), aspect);
}

void LyricsScene::buildLayout(const LyricsModel &model, const GlyphMetricsTable &glyphs)
{
    m_layout.build(model, glyphs);
}

void LyricsScene::forgetLayout()
{
    m_scrollSpeed = 0;
    m_layout.clear();
}

const FramePlan &LyricsScene::frame(const LyricsModel *model, const GlyphMetricsTable &glyphs,
                                    bool listening, std::int64_t tick)
{
    m_plan.drawText = listening && model;
    if (!m_plan.drawText) {
        m_plan.background = RGB2CouleurRVB(m_colours.background);
        m_plan.runs.clear();
        m_plan.currentSyllable = 0;
        m_plan.currentLine = 0;
        return m_plan;
    }
    if (model->LineCount() > 1 && m_scrollSpeed == 0) {
        static constexpr std::array<GlyphCode, 1> bracket{GlyphCode('[')};
        m_scrollSpeed = computeScrollSpeed(model->LineCount(), model->MinLineGap(),
                                           glyphs.Text3DHeight(bracket));
    }
    FrameState state;
    state.tick = tick;
    state.scrollSpeed = m_scrollSpeed;
    state.flashLeft = m_flashLeft;
    state.flashLength = m_flashLength;
    state.colours = m_colours;
    planFrame(*model, m_layout, glyphs, state, m_plan);
    return m_plan;
}

} // namespace melorit::lyrics
