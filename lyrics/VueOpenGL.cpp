#include "lyrics/VueOpenGL.h"

#include "base/UserMessages.h"
#include "lyrics/FrameOverlay.h"
#include "lyrics/LyricsModel.h"
#include "lyrics/LyricsScene.h"
#include "lyrics/OGLModule.h"

#include <QOpenGLContext>

#include <GL/glu.h>

#include <algorithm>
#include <chrono>

namespace melorit::lyrics {
namespace {

std::int64_t steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

VueOpenGL::VueOpenGL(LyricsScene &scene, Feed feed, QWidget *parent)
    : QOpenGLWidget(parent), m_scene(scene), m_feed(std::move(feed))
{
    setFormat(lyricsSurfaceFormat());
    setFocusPolicy(Qt::NoFocus); // keys go to the window
    connect(this, &QOpenGLWidget::frameSwapped, this,
            [this] { m_lead.frameShown(m_readNs, steadyNs()); });
}

VueOpenGL::~VueOpenGL()
{
    releaseGL();
}

void VueOpenGL::releaseGL()
{
    if (!m_initialised) {
        return;
    }
    makeCurrent();
    m_font.release();
    doneCurrent();
    m_initialised = false;
}

void VueOpenGL::initializeGL()
{
    QOpenGLContext *ctx = context();
    if (!ctx || ctx->isOpenGLES() || ctx->format().profile() == QSurfaceFormat::CoreProfile) {
        showMessage(QStringLiteral("Problème initilisation OpenGL !"), QStringLiteral("Melorit"),
                    MessageIcon::Critical);
        Q_EMIT openGLFailed();
        return;
    }
    // A new context (the widget moved to another window) needs its own lists.
    connect(ctx, &QOpenGLContext::aboutToBeDestroyed, this, &VueOpenGL::releaseGL,
            Qt::UniqueConnection);
    m_font.release();
    InitOpenGL(m_font, m_fontFace);
    m_fontChanged = false;
    m_scene.forgetLayout(); // measured with the old glyphs
    m_initialised = true;
}

void VueOpenGL::resizeGL(int width, int height)
{
    const int w = std::max(width, 1);
    const int h = std::max(height, 1);
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40.0, static_cast<double>(w) / h, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void VueOpenGL::setOverlay(FrameOverlay *overlay)
{
    m_overlay = overlay;
    update();
}

void VueOpenGL::setFontFace(const QString &faceName)
{
    const QString face = faceName.isEmpty() ? kLyricsFontFace.toString() : faceName;
    if (face == m_fontFace) {
        return;
    }
    m_fontFace = face;
    m_fontChanged = true;
    update();
}

void VueOpenGL::paintGL()
{
    if (!m_initialised) {
        return;
    }
    if (m_fontChanged) {
        m_fontChanged = false;
        buildLyricsFont(m_font, m_fontFace);
        m_scene.forgetLayout(); // measured with the old glyphs
    }
    Rendu_VueOpenGL();
}

void VueOpenGL::Rendu_VueOpenGL()
{
    const bool playing = listening() && m_feed.model;
    // Stopped with a song's lyrics at hand: its first lines wait there, the
    // first one in the middle, instead of an empty window.
    const bool waiting = !playing && m_feed.model && m_feed.model->LineCount() > 0;
    m_readNs = steadyNs();
    std::int64_t tick = 0;
    if (playing && m_feed.currentTick) {
        tick = m_lead.tickToDraw(m_feed.currentTick(), m_readNs);
    } else if (waiting) {
        // Before the first syllable: nothing sung yet.
        tick = m_feed.model->line(1).LineTick;
        if (m_feed.model->SyllableCount() > 0) {
            tick = std::min<std::int64_t>(tick, m_feed.model->syllable(1).Tick - 1);
        }
    }
    m_drawnTick = tick;
    if ((playing || waiting) && m_scene.needsLayout(*m_feed.model)) {
        m_font.ensureGlyphs(LyricsLayout::glyphsOf(*m_feed.model));
        m_scene.buildLayout(*m_feed.model, m_font.metricsTable());
    }
    const FramePlan &plan =
        m_scene.frame(m_feed.model, m_font.metricsTable(), playing || waiting, tick);

    glClearColor(plan.background.r, plan.background.g, plan.background.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    ++m_frames;
    if (plan.drawText) {
        drawLines(plan);
    }
    if (m_overlay) {
        OverlayFrame frame{playing, tick, width(), height(), {}};
        if (plan.drawText) {
            frame.lineTop = [this, &plan](int line) { return lineTop(plan, line); };
        }
        m_overlay->drawOverlay(m_font, frame);
    }
}

void VueOpenGL::drawLines(const FramePlan &plan)
{
    const float aspect = static_cast<float>(std::max(width(), 1)) / std::max(height(), 1);
    const double distance = m_scene.cameraDistance(aspect);
    gluLookAt(0, 0, -distance, 0, 0, 0, 0, 1, 0);
    glRotatef(180, 0, 1, 0); // the text faces the camera
    glGetDoublev(GL_MODELVIEW_MATRIX, m_modelView.data());
    glGetDoublev(GL_PROJECTION_MATRIX, m_projection.data());
    glGetIntegerv(GL_VIEWPORT, m_viewport.data());
    const LyricsLayout &layout = m_scene.layout();
    for (const TextRun &run : plan.runs) {
        const auto &codes = layout.line(run.line).codes;
        m_font.Print3D(std::span<const GlyphCode>(codes).subspan(
                           static_cast<std::size_t>(run.from), static_cast<std::size_t>(run.count)),
                       run.x, run.y, run.z, run.colour);
    }
}

float VueOpenGL::lineTop(const FramePlan &plan, int line) const
{
    // Capitals stand about 0.75 em above the base line.
    static constexpr double kCapHeight = 0.75;
    const auto run = std::find_if(plan.runs.begin(), plan.runs.end(),
                                  [line](const TextRun &r) { return r.line == line; });
    GLdouble x = 0;
    GLdouble y = 0;
    GLdouble z = 0;
    if (run == plan.runs.end() || m_viewport[3] <= 0 ||
        gluProject(run->x, run->y + kCapHeight, run->z, m_modelView.data(), m_projection.data(),
                   m_viewport.data(), &x, &y, &z) != GL_TRUE) {
        return -1;
    }
    return static_cast<float>((y - m_viewport[1]) / m_viewport[3]);
}

} // namespace melorit::lyrics
