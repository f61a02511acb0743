// The 100 ms clock: position slider, time label, SoundFont status, the live
// indicators; a drag of the slider; a song heard through SDL's dummy device
// and the screenshot of the window playing it.
#include "MainWindowFixture.h"

#include "app/mainwin/MixPicture.h"
#include "app/mainwin/ScopeBox.h"
#include "audio/Device.h"
#include "audio/Error.h"
#include "engine/MixTexts.h"
#include "skins/FramePicture.h"
#include "skins/MeterFrames.h"
#include "slider/ucxSlider.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>

namespace melorit::mainwin::test {
namespace {

class ClockTest : public MainWindowTest {
protected:
    void pullSeconds(double seconds)
    {
        m_player->pull(static_cast<std::size_t>(seconds * 44100) * 4);
    }
    int litLamps() const
    {
        int lit = 0;
        for (int ch = 0; ch < 16; ++ch) {
            lit += m_window->picJ(ch)->frame() != skins::activityLampFrame(0, false) &&
                   m_window->picJ(ch)->frame() != skins::activityLampFrame(0, true);
        }
        return lit;
    }
};

TEST_F(ClockTest, WithoutSongTheClockShowsNothingPlaying)
{
    makeWindow();
    EXPECT_TRUE(m_window->clockRunning());
    m_window->tmrRovuRodu_Timer();
    EXPECT_EQ(m_window->sldPosition()->value(), 0);
    EXPECT_EQ(m_window->lblTitle()->text(), m_player->ShowTime());
    EXPECT_EQ(m_window->potard(engine::kTempoControl)->ledText(), QStringLiteral("---"));
    EXPECT_EQ(m_window->clipLed()->frame(), skins::clipLampFrame(false));
    EXPECT_EQ(m_window->ledMeter(0)->frame(), skins::meterFrame(0));
    EXPECT_EQ(m_window->scopeBox(0)->trace(), (std::vector<QPointF>{{0, 0}, {1, 0}}));
    EXPECT_EQ(litLamps(), 0);
}

TEST_F(ClockTest, TicksMoveSliderAndTimeAndRefreshFontStatusEveryFourth)
{
    makeWindow();
    playDemo();
    pullSeconds(5.2);
    for (int tick = 1; tick <= 3; ++tick) {
        m_window->tmrRovuRodu_Timer();
    }
    EXPECT_TRUE(m_host.fontStatus.empty());
    m_window->tmrRovuRodu_Timer();
    ASSERT_EQ(m_host.fontStatus.size(), 1u);
    EXPECT_TRUE(m_host.fontStatus[0].contains(QStringLiteral("Samples loaded")));
    for (int tick = 0; tick < 4; ++tick) {
        m_window->tmrRovuRodu_Timer();
    }
    EXPECT_EQ(m_host.fontStatus.size(), 2u);

    const double fraction =
        static_cast<double>(m_player->stream()->position(audio::PosUnit::Ticks)) /
        static_cast<double>(m_player->SongTicks());
    EXPECT_NEAR(m_window->sldPosition()->value(), fraction * frmRovuRodu::kSliderMax, 1);
    EXPECT_GT(m_window->sldPosition()->value(), 0);
    EXPECT_TRUE(m_window->lblTitle()->text().startsWith(QStringLiteral("00:05 / 00:")))
        << m_window->lblTitle()->text().toStdString();
}

TEST_F(ClockTest, IndicatorsFollowTheSoundAndLetGoOnStop)
{
    makeWindow();
    playDemo();
    pullSeconds(4.0);
    m_window->tmrRovuRodu_Timer();
    EXPECT_GT(m_window->levelHold().left(), 0);
    EXPECT_GT(m_window->levelHold().right(), 0);
    EXPECT_EQ(m_window->ledMeter(0)->frame(),
              skins::meterFrame(skins::meterSegments(m_window->levelHold().left())));
    EXPECT_EQ(m_window->ledMeter(1)->frame(),
              skins::meterFrame(skins::meterSegments(m_window->levelHold().right())));
    EXPECT_GT(m_window->scopeBox(0)->trace().size(), 50u);
    EXPECT_GT(litLamps(), 0);
    const int lyrics = m_player->mixer().state().nCanalLyrics;
    ASSERT_GE(lyrics, 0);

    m_player->Action_Stop();
    m_window->tmrRovuRodu_Timer();
    EXPECT_EQ(litLamps(), 0);
    for (int ch = 0; ch < 16; ++ch) {
        EXPECT_LE(m_window->activity().value(ch), 0) << ch;
    }
    // Without a stream the meter falls by a sixteenth of full scale a tick.
    for (int tick = 0; tick < 16; ++tick) {
        m_window->tmrRovuRodu_Timer();
    }
    EXPECT_EQ(m_window->ledMeter(0)->frame(), skins::meterFrame(0));
    EXPECT_EQ(m_window->ledMeter(1)->frame(), skins::meterFrame(0));
}

TEST_F(ClockTest, NoteOfTheSongLightsItsChannelsLamp)
{
    makeWindow();
    playDemo();
    m_window->activity().raise(9, 127);
    m_window->tmrRovuRodu_Timer();
    EXPECT_EQ(m_window->picJ(9)->frame(), skins::activityLampFrame(127, false));
    for (int tick = 1; tick < 16; ++tick) {
        m_window->tmrRovuRodu_Timer();
    }
    EXPECT_EQ(m_window->picJ(9)->frame(), skins::activityLampFrame(0, false));
}

TEST_F(ClockTest, SliderDragStopsTheClockAndReleaseSeeks)
{
    makeWindow();
    playDemo();
    pullSeconds(1.0);
    m_window->tmrRovuRodu_Timer();
    trackel::ucxSlider *slider = m_window->sldPosition();
    const QPoint thumb = slider->thumbRect().center();
    press(slider, Qt::LeftButton, thumb);
    EXPECT_FALSE(m_window->clockRunning());
    const QPoint middle(slider->railRect().center().x(), thumb.y());
    moveTo(slider, middle);
    const int dragged = slider->value();
    EXPECT_GT(dragged, frmRovuRodu::kSliderMax / 4);
    // The song goes on while the thumb is held; the thumb stays.
    pullSeconds(0.5);
    QTest::qWait(250);
    EXPECT_EQ(slider->value(), dragged);
    release(slider, Qt::LeftButton, middle);
    EXPECT_TRUE(m_window->clockRunning());
    const double expectedTick = static_cast<double>(dragged) / frmRovuRodu::kSliderMax *
                                static_cast<double>(m_player->SongTicks());
    EXPECT_NEAR(static_cast<double>(m_player->stream()->position(audio::PosUnit::Ticks)),
                expectedTick, 2.0);
}

// Listening through SDL's dummy device: the window's own timer and sync
// notifier run the clock, the lyrics and note syncs while the event loop
// turns. The pictures of the window playing are written for docs/.
class DeviceClockTest : public ClockTest {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(audio::Init(44100)) << int(audio::lastError()); }
    static void TearDownTestSuite() { audio::Free(); }
};

TEST_F(DeviceClockTest, PlayingSongMovesEverythingAndTheWindowIsPictured)
{
    makeWindow(engine::PlayerOutput::Device);
    m_window->move(40, 40);
    m_window->show();
    playDemo();
    ASSERT_TRUE(m_player->playsThroughDevice());
    int mostLamps = 0;
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < 6000) {
        QTest::qWait(50);
        mostLamps = std::max(mostLamps, litLamps());
        if (elapsed.elapsed() > 3000 && litLamps() >= 2 && m_window->levelHold().left() > 2048) {
            break;
        }
    }
    EXPECT_GE(mostLamps, 2);
    EXPECT_GT(m_window->sldPosition()->value(), 0);
    EXPECT_FALSE(m_window->lblTitle()->text().startsWith(QStringLiteral("00:00")));
    EXPECT_FALSE(m_host.fontStatus.empty());

    const QString folder = QStringLiteral(MAINWIN_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QImage shot = m_window->grab().toImage();
    EXPECT_EQ(shot.size(), m_window->size() * shot.devicePixelRatio());
    EXPECT_TRUE(shot.save(folder + QStringLiteral("/main-window.png")));
    // Twice the scale, drawn as a display at 200 % would.
    QImage twice(m_window->size() * 2, QImage::Format_ARGB32_Premultiplied);
    twice.setDevicePixelRatio(2);
    twice.fill(Qt::black);
    m_window->render(&twice);
    EXPECT_TRUE(twice.save(folder + QStringLiteral("/main-window-2x.png")));
    m_player->Action_Stop();
}

} // namespace
} // namespace melorit::mainwin::test
