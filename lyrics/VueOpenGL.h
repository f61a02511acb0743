#pragma once

#include "lyrics/FrameLead.h"
#include "lyrics/OGLModule.h"
#include "lyrics/OutlineFont.h"

#include <QOpenGLWidget>

#include <array>

#include <cstdint>
#include <functional>

namespace melorit::lyrics {

class FrameOverlay;
class LyricsModel;
class LyricsScene;

// The drawing surface of the lyrics window: one frame of solid 3-D lyrics
// per paint. UI thread.
class VueOpenGL : public QOpenGLWidget {
    Q_OBJECT
public:
    // What a frame reads from the player.
    struct Feed {
        const LyricsModel *model = nullptr;
        std::function<std::int64_t()> currentTick;
        std::function<bool()> listening;
    };

    VueOpenGL(LyricsScene &scene, Feed feed, QWidget *parent = nullptr);
    ~VueOpenGL() override;

    const OutlineFont &font() const { return m_font; }
    // Frames drawn so far, and the tick the last one showed.
    std::uint64_t frameCount() const { return m_frames; }
    std::int64_t drawnTick() const { return m_drawnTick; }
    bool initialised() const { return m_initialised; }
    bool listening() const { return m_feed.listening && m_feed.listening(); }

    // Drawn over every frame (nullptr: nothing); the caller keeps it alive
    // as long as it is set.
    void setOverlay(FrameOverlay *overlay);
    // The face of the lyrics ("" the default); the glyphs are built again at
    // the next frame.
    void setFontFace(const QString &faceName);
    const QString &fontFace() const { return m_fontFace; }

Q_SIGNALS:
    // The context cannot draw the lyrics (no compatibility profile).
    void openGLFailed();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    void Rendu_VueOpenGL();
    void drawLines(const FramePlan &plan);
    float lineTop(const FramePlan &plan, int line) const;
    void releaseGL();

    LyricsScene &m_scene;
    Feed m_feed;
    // Frames are drawn for the moment they reach the screen.
    FrameLead m_lead;
    std::int64_t m_readNs = 0;
    std::int64_t m_drawnTick = 0;
    OutlineFont m_font;
    QString m_fontFace = kLyricsFontFace.toString();
    bool m_fontChanged = false;
    FrameOverlay *m_overlay = nullptr;
    // The last frame's camera, to place the overlay by the lines.
    std::array<double, 16> m_modelView{};
    std::array<double, 16> m_projection{};
    std::array<int, 4> m_viewport{};
    bool m_initialised = false;
    std::uint64_t m_frames = 0;
};

} // namespace melorit::lyrics
