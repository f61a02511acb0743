// The main window's clock: syncs, live indicators, position and time.
#include "app/mainwin/frmRovuRodu.h"

#include "app/mainwin/MixPicture.h"
#include "app/mainwin/ScopeBox.h"
#include "engine/Player.h"
#include "skins/FramePicture.h"
#include "skins/MeterFrames.h"
#include "slider/ucxSlider.h"

#include <QLabel>
#include <QTimer>

#include <array>

namespace melorit::mainwin {

namespace {
// The oscilloscope's block: 4096 frames, about one tick of sound.
constexpr std::size_t kScopeValues = 8192;
} // namespace

void frmRovuRodu::startClock()
{
    m_clock->start();
}

void frmRovuRodu::stopClock()
{
    m_clock->stop();
}

bool frmRovuRodu::clockRunning() const
{
    return m_clock->isActive();
}

bool frmRovuRodu::batchTimerRunning() const
{
    return m_batchTimer->isActive();
}

void frmRovuRodu::batchTimerChanged(bool enabled)
{
    if (enabled) {
        m_batchTimer->start();
    } else {
        m_batchTimer->stop();
    }
}

void frmRovuRodu::tmrRovuRodu_Timer()
{
    m_player.pumpSyncs();
    m_player.mixer().flushPendingRedraws();

    // Paused, the meters hold what they showed and go on from there.
    if (!m_player.paused()) {
        DrawScope();
        DrawClipLed();
        DrawVuMeters();
        DrawMeters();
    }

    const engine::ClockReading reading = m_player.clockTick(m_slider->max());
    if (reading.sliderValue && !m_slider->isDragging()) {
        m_slider->setValue(*reading.sliderValue);
    }
    m_lblTitle->setText(reading.timeText);
    if (reading.fontStatus) {
        m_host.fontStatusChanged(*reading.fontStatus);
    }
}

void frmRovuRodu::DrawScope()
{
    std::array<std::int16_t, kScopeValues> samples{};
    std::size_t count = 0;
    if (const audio::MidiStream *stream = m_player.stream()) {
        count = stream->recentData(samples);
    }
    const std::span<const std::int16_t> block(samples.data(), count);
    m_clip.check(block);
    ScopeTraces traces = scopeTraces(block, m_scope[0]->width());
    m_scope[0]->setTrace(std::move(traces.left));
    m_scope[1]->setTrace(std::move(traces.right));
}

void frmRovuRodu::DrawClipLed()
{
    m_clipLed->setFrame(skins::clipLampFrame(m_clip.tick()));
}

void frmRovuRodu::DrawVuMeters()
{
    std::optional<StereoLevel> level;
    if (const audio::MidiStream *stream = m_player.stream()) {
        const audio::Levels levels = stream->levels();
        level = StereoLevel{levels.left, levels.right};
    }
    m_hold.tick(level);
    m_ledMeter[0]->setFrame(skins::meterFrame(m_hold.leftSegments()));
    m_ledMeter[1]->setFrame(skins::meterFrame(m_hold.rightSegments()));
}

void frmRovuRodu::DrawMeters()
{
    const std::array<int, ChannelActivity::kChannels> shown = m_activity->tick();
    const int lyricsChannel = m_player.mixer().state().nCanalLyrics;
    for (int ch = 0; ch < ChannelActivity::kChannels; ++ch) {
        m_picJ[static_cast<std::size_t>(ch)]->setFrame(
            skins::activityLampFrame(shown[static_cast<std::size_t>(ch)], ch == lyricsChannel));
    }
}

} // namespace melorit::mainwin
