#include "lyrics/OGLWin.h"

#include "base/Geometry.h"

#include "base/Ini.h"
#include "base/TextUtil.h"
#include "lyrics/LyricsWindowKeys.h"
#include "lyrics/OGLModule.h"
#include "lyrics/VueOpenGL.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace melorit::lyrics {
namespace {

// Size before the first run has stored one, and the least a stored size can
// make the window.
constexpr QSize kDesignSize(640, 360);
constexpr QSize kMinimumSize(64, 48);

} // namespace

int zoomKeyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (!(modifiers & Qt::KeypadModifier)) {
        return -1;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return zoomkeys::kKeypad0 + (qtKey - Qt::Key_0);
    }
    if (qtKey == Qt::Key_Plus) {
        return zoomkeys::kKeypadPlus;
    }
    if (qtKey == Qt::Key_Minus) {
        return zoomkeys::kKeypadMinus;
    }
    return -1;
}

OGLWin::OGLWin(LyricsWindowHost host, QWidget *parent)
    : QWidget(parent, Qt::Window), m_host(std::move(host))
{
    LoadLanguage();
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(kMinimumSize);
    resize(kDesignSize);
    applyStoredSize();
    m_ready = probeOpenGL();
    if (!m_ready) {
        return;
    }
    VueOpenGL::Feed feed{m_host.model, m_host.currentTick, m_host.listening};
    m_view = new VueOpenGL(m_scene, std::move(feed), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(m_view, &VueOpenGL::openGLFailed, this, &OGLWin::openGLFailed);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(LyricsScene::kTimerIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &OGLWin::Timer1_Timer);
    m_timer.start();
}

OGLWin::~OGLWin() = default;

void OGLWin::applyStoredSize()
{
    const QString w = ReadIni(keys::kParolesSection, keys::kWidthKey, m_host.configFile);
    const QString h = ReadIni(keys::kParolesSection, keys::kHeightKey, m_host.configFile);
    QSize size = this->size();
    if (!w.isEmpty()) {
        size.setWidth(text::toInt(text::Val(w) / geometry::kTwipsPerPixel));
    }
    if (!h.isEmpty()) {
        size.setHeight(text::toInt(text::Val(h) / geometry::kTwipsPerPixel));
    }
    resize(size.expandedTo(kMinimumSize));
}

QString OGLWin::songSettingsFile() const
{
    return m_host.songSettingsFile ? m_host.songSettingsFile() : QString();
}

void OGLWin::setLane(QWidget *lane)
{
    if (auto *box = qobject_cast<QVBoxLayout *>(layout())) {
        box->addWidget(lane);
    }
}

void OGLWin::LoadLanguage()
{
    if (m_host.languageFile) {
        setWindowTitle(ReadIni(keys::kParolesSection, keys::kCaptionKey, m_host.languageFile()));
    }
}

void OGLWin::EffaceLyrics()
{
    m_scene.EffaceLyrics(songSettingsFile());
}

void OGLWin::DisplayLyrics(int markIndex)
{
    m_scene.DisplayLyrics(markIndex);
}

void OGLWin::Timer1_Timer()
{
    // The flash fades by the time that really passed, so a late tick (a
    // slow frame) shortens nothing and frames are skipped, not queued.
    const float elapsed = m_sinceTick.isValid() ? static_cast<float>(m_sinceTick.restart()) * 0.001f
                                                : m_scene.TickSeconds();
    if (!m_sinceTick.isValid()) {
        m_sinceTick.start();
    }
    const bool listening = m_view && m_view->listening();
    const bool paused = m_host.paused && m_host.paused();
    if (listening && !paused) {
        m_view->update();
        m_scene.fadeFlash(elapsed);
    } else if (m_wasListening && m_view) {
        m_view->update(); // back to the background alone
    }
    m_wasListening = listening;
}

void OGLWin::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space) {
        if (m_host.pauseKey && !event->isAutoRepeat()) {
            m_host.pauseKey();
        }
        event->accept();
        return;
    }
    m_scene.keyPressed(zoomKeyCode(event->key(), event->modifiers()), songSettingsFile());
    if (m_view) {
        m_view->update();
    }
    event->accept();
}

void OGLWin::closeEvent(QCloseEvent *event)
{
    if (m_unloaded || (m_host.shuttingDown && m_host.shuttingDown())) {
        Unload();
        event->accept();
        return;
    }
    event->ignore();
    hide();
    WriteIni(keys::kLyricsSection, keys::kShowKey, QStringLiteral("0"), m_host.configFile);
    if (m_host.drawLyricsButton) {
        m_host.drawLyricsButton(false);
    }
    Q_EMIT hiddenByUser();
}

void OGLWin::Unload()
{
    if (m_unloaded) {
        return;
    }
    m_unloaded = true;
    m_timer.stop();
    WriteIni(keys::kParolesSection, keys::kWidthKey,
             QString::number(width() * geometry::kTwipsPerPixel), m_host.configFile);
    WriteIni(keys::kParolesSection, keys::kHeightKey,
             QString::number(height() * geometry::kTwipsPerPixel), m_host.configFile);
}

void OGLWin::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    EffaceLyrics();
    DisplayLyrics(m_scene.LastMark());
}

void OGLWin::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    MemoPosition();
}

void OGLWin::MemoPosition()
{
    MemoOffset(m_host, pos(), keys::kParolesSection, m_host.configFile);
}

} // namespace melorit::lyrics
