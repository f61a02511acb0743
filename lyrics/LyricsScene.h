#pragma once

#include "lyrics/LyricsFrame.h"

#include <QString>

#include <cstdint>

namespace melorit::lyrics {

// The lyrics window's state apart from OpenGL: zoom and camera distance,
// the flash of the syllable just reached, the scroll speed of the song and
// the song's laid-out lines; and the plan of each frame. UI thread.
class LyricsScene {
public:
    // The timer's interval: one frame every 10 ms.
    static constexpr int kTimerIntervalMs = 10;

    int Zoom() const { return m_zoom; }
    float CamDistance() const { return m_camDistance; }
    float FlashLength() const { return m_flashLength; }
    float FlashLeft() const { return m_flashLeft; }
    float TickSeconds() const { return m_tickSeconds; }
    int LastMark() const { return m_lastMark; }
    float ScrollSpeed() const { return m_scrollSpeed; }
    const LyricsColours &colours() const { return m_colours; }
    void setColours(const LyricsColours &colours) { m_colours = colours; }

    // Full screen: the camera stands where the song's longest line fills the
    // view's width, whatever the zoom.
    void setFitToWidth(bool on) { m_fitToWidth = on; }
    bool fitToWidth() const { return m_fitToWidth; }
    // The camera's distance for a view of this aspect (width / height): the
    // zoom's, or the one that fits the longest line.
    float cameraDistance(float aspect) const;

    // A new song, a jump or a new window size: reads the zoom stored for the
    // song ("" reads the configuration file) and forgets the scroll speed
    // and the laid-out lines.
    void EffaceLyrics(const QString &settingsFile);
    // A lyric event was reached: its syllable flashes.
    void DisplayLyrics(int markIndex);
    // After a timer's frame: the flash fades by the time that passed.
    void fadeFlash(float seconds);
    // Keypad keys change the zoom; any key stores it for the song.
    void keyPressed(int keyCode, const QString &settingsFile);

    // The song's lines need laying out (new song, or the tables changed).
    bool needsLayout(const LyricsModel &model) const { return !m_layout.fits(model); }
    void buildLayout(const LyricsModel &model, const GlyphMetricsTable &glyphs);
    // The glyphs changed: lines and scroll speed are measured again.
    void forgetLayout();
    const LyricsLayout &layout() const { return m_layout; }

    // What the frame at this tick draws. Without listening (or a song) only
    // the background. The first frame of a song computes its scroll speed.
    const FramePlan &frame(const LyricsModel *model, const GlyphMetricsTable &glyphs,
                           bool listening, std::int64_t tick);

private:
    LyricsColours m_colours;
    int m_zoom = 5;
    float m_camDistance = 10.0f;
    float m_flashLength = 1.0f;
    float m_flashLeft = 0.0f;
    float m_tickSeconds = static_cast<float>(kTimerIntervalMs) * 0.001f;
    int m_lastMark = 0;
    float m_scrollSpeed = 0;
    bool m_fitToWidth = false;
    LyricsLayout m_layout;
    FramePlan m_plan;
};

} // namespace melorit::lyrics
