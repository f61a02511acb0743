// The main window's mixer, transport announcements, markers and the marker
// commands with the time-entry dialog.
#include "app/mainwin/frmRovuRodu.h"

#include "app/mainwin/MainLayout.h"
#include "app/mainwin/MarkerBar.h"
#include "app/mainwin/MixPicture.h"
#include "app/mainwin/Temps.h"
#include "app/mainwin/TimeEntry.h"
#include "audio/Format.h"
#include "audio/MidiFile.h"
#include "audio/MidiStream.h"
#include "base/Ini.h"
#include "engine/MixTexts.h"
#include "engine/Player.h"
#include "engine/SoloMute.h"
#include "engine/TimeText.h"
#include "skins/ButtonFrames.h"
#include "skins/KnobFrames.h"
#include "skins/PictureButton.h"
#include "slider/ucxSlider.h"

#include <QLabel>

namespace melorit::mainwin {

namespace {

constexpr int kMarkersButton = 39;
constexpr int kStartMarkerButton = 44;
constexpr int kEndMarkerButton = 45;
constexpr int kRepeatButton = 42;

// Where a marker (seconds at the song's own tempo) lies on the position bar,
// whose value follows the song's ticks: 0..1.
double barFraction(const audio::MidiStream &stream, std::int64_t songTicks, double seconds)
{
    const double tick = stream.file().tempoMap().tickAt(seconds * audio::kSampleRate);
    return songTicks > 0 ? tick / static_cast<double>(songTicks) : 0.0;
}

engine::MouseButton mixButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return engine::MouseButton::Right;
    case Qt::MiddleButton:
        return engine::MouseButton::Middle;
    default:
        return engine::MouseButton::Left;
    }
}

} // namespace

void frmRovuRodu::showMixer()
{
    const engine::Mixer &mixer = m_player.mixer();
    const engine::MixState &state = mixer.state();
    const QString file = m_host.languageFile();
    for (int ch = 0; ch < layout::kChannels; ++ch) {
        const int volume = state.ChannelVolume[static_cast<std::size_t>(ch)];
        mixerControlChanged(ch, volume, engine::volumeTip(volume));
    }
    mixerControlChanged(engine::kGainControl, state.MasterGain,
                        engine::gainTip(file, state.MasterGain));
    mixerControlChanged(engine::kTransposeControl, state.TransposeSemis,
                        engine::transposeTip(file, state.TransposeSemis));
    const engine::TempoReadout readout =
        engine::tempoReadout(mixer.TempoShift(), m_player.stream() ? mixer.BaseTempo() : 0);
    tempoReadoutChanged(readout.text, readout.glyphRow);
    gainCaptionChanged(engine::gainCaption(state.MasterGain));
    for (int ch = 0; ch < layout::kChannels; ++ch) {
        DrawSM(ch, engine::soloButtonState(state, ch));
        DrawSM(engine::kFirstMuteButton + ch, engine::muteButtonState(state, ch));
    }
}

// --- engine::MixView

void frmRovuRodu::soloMuteButtonChanged(int button, int state)
{
    if (button >= 0 && button < engine::kSoloMuteButtonCount) {
        DrawSM(button, state);
    }
}

void frmRovuRodu::mixerControlChanged(int control, int value, const QString &tip)
{
    MixPicture *picture = potard(control);
    if (!picture || control == engine::kTempoControl) {
        return;
    }
    if (control < engine::kGainControl) {
        picture->setFrame(
            skins::faderFrame(value, engine::kVolumeRange.min, engine::kVolumeRange.max));
    } else if (control == engine::kGainControl) {
        picture->setFrame(skins::faderFrame(value, engine::kGainRange.min, engine::kGainRange.max));
    } else {
        picture->setFrame(skins::transposeKnobFrame(value));
        m_labelTranspose->setText(engine::transposeCaption(value));
    }
    picture->setToolTip(tip);
}

void frmRovuRodu::tempoReadoutChanged(const QString &text, int glyphRow)
{
    MixPicture *readout = potard(engine::kTempoControl);
    readout->setLedText(text, glyphRow);
}

void frmRovuRodu::gainCaptionChanged(const QString &caption)
{
    m_labelGain->setText(caption);
}

void frmRovuRodu::controllerKnobChanged(int, int)
{
    // The controller knobs are on the panels.
}

void frmRovuRodu::controllerMarkChanged(int, bool)
{
}

void frmRovuRodu::tempoRatioCommitted(double)
{
    AfficherMarqueurs(false);
}

// --- the pointer on the faders and knobs

void frmRovuRodu::potardDown(int index, Qt::MouseButton button, QPoint at)
{
    m_player.mixer().Potard_MouseDown(index, mixButton(button), at.x(), at.y());
}

void frmRovuRodu::potardMove(int, QPoint at)
{
    m_player.mixer().Potard_MouseMove(at.x(), at.y());
}

void frmRovuRodu::potardUp(int)
{
    m_player.mixer().Potard_MouseUp();
}

// --- engine::PlayerView

void frmRovuRodu::captionChanged(const QString &caption)
{
    showCaption(caption);
}

void frmRovuRodu::transportButtonChanged(int button, int state)
{
    DrawSM(button, state);
}

void frmRovuRodu::repeatModeChanged(int mode)
{
    DrawSM(kRepeatButton, mode);
}

void frmRovuRodu::metersReleased()
{
    m_activity->release();
}

void frmRovuRodu::timeLabelsShown(bool listening)
{
    m_lblTitle->setVisible(listening);
    m_lblEncodage->setVisible(!listening);
}

void frmRovuRodu::markersChanged(const engine::Markers &, double, bool relayout)
{
    AfficherMarqueurs(relayout);
}

void frmRovuRodu::timeSliderReset(const QString &timeText)
{
    m_slider->setValue(0);
    m_lblTitle->setText(timeText);
    // A new song's stream: its notes light the activity lamps.
    installNoteWatcher();
}

void frmRovuRodu::installNoteWatcher()
{
    audio::MidiStream *stream = m_player.stream();
    if (!stream) {
        return;
    }
    std::weak_ptr<ChannelActivity> activity = m_activity;
    stream->setSync(audio::SyncType::MidiEvent, static_cast<std::uint64_t>(audio::MidiEvent::Note),
                    [activity](std::uint32_t event) {
                        if (const auto lamps = activity.lock()) {
                            lamps->onNoteEvent(event);
                        }
                    });
}

// --- markers

void frmRovuRodu::AfficherMarqueurs(bool relayout)
{
    const engine::Markers &markers = m_player.markers();
    skins::PictureButton *start = m_picSM[kStartMarkerButton];
    skins::PictureButton *end = m_picSM[kEndMarkerButton];
    if (markers.PunchActive) {
        DrawSM(kMarkersButton, 1);
        if (start->isHidden() || relayout) {
            const int left = start->x() + start->width() + layout::kMarkerGap;
            m_slider->setGeometry(left, m_slider->y(), end->x() - left - layout::kMarkerGap,
                                  m_slider->height());
        }
        start->show();
        end->show();
        const QString file = m_host.languageFile();
        const double ratio = m_player.mixer().TempoRatio();
        const QString point = engine::userDecimalPoint();
        start->setToolTip(engine::markerTip(file, engine::MarkerEnd::Start, markers, ratio, point));
        end->setToolTip(engine::markerTip(file, engine::MarkerEnd::End, markers, ratio, point));
        showMarkersOnBar();
        return;
    }
    DrawSM(kMarkersButton, 0);
    if (!start->isHidden() || relayout) {
        m_slider->setGeometry(layout::positionSpan());
    }
    start->hide();
    end->hide();
    m_markerBar->hide();
}

// The markers on the position bar: where the open song has them; after
// Stop where they were for the same song; nothing for a song not yet opened.
void frmRovuRodu::showMarkersOnBar()
{
    const engine::Markers &markers = m_player.markers();
    if (const audio::MidiStream *stream = m_player.stream()) {
        const std::int64_t ticks = m_player.SongTicks();
        m_barMarks.song = m_player.SongPath();
        m_barMarks.start.reset();
        m_barMarks.end.reset();
        if (markers.PunchIn > 0) {
            m_barMarks.start = barFraction(*stream, ticks, markers.PunchIn);
        }
        if (markers.PunchOut > 0) {
            m_barMarks.end = barFraction(*stream, ticks, markers.PunchOut);
        }
    } else if (m_barMarks.song != m_player.SongPath()) {
        m_barMarks = {};
    }
    m_markerBar->setGeometry(m_slider->geometry());
    m_markerBar->raise();
    m_markerBar->setMarks(m_slider->railRect(), m_barMarks.start, m_barMarks.end);
}

void frmRovuRodu::Action_Punch()
{
    engine::Markers &markers = m_player.markers();
    markers.PunchActive = !markers.PunchActive;
    engine::SaveMarqueurs(m_player.SongSettingsFile(), markers);
    AfficherMarqueurs(false);
}

void frmRovuRodu::Action_PunchIn()
{
    askMarker(true);
}

void frmRovuRodu::Action_PunchOut()
{
    askMarker(false);
}

void frmRovuRodu::askMarker(bool start)
{
    engine::Markers &markers = m_player.markers();
    double &stored = start ? markers.PunchIn : markers.PunchOut;
    const double ratio = m_player.mixer().TempoRatio();
    std::optional<double> position;
    if (const audio::MidiStream *stream = m_player.stream()) {
        position = audio::MidiStream::bytesToSeconds(stream->position(audio::PosUnit::Bytes));
    }

    Temps dialog(m_host.languageFile(), this);
    dialog.setTimeText(engine::SecondsToText(proposedMarkerTime(position, stored, ratio)));
    dialog.setWindowTitle(ReadIni(
        QStringLiteral("Main"), start ? QStringLiteral("SM(Start-0)") : QStringLiteral("SM(End-0)"),
        m_host.languageFile()));
    dialog.exec();
    if (const std::optional<double> typed = dialog.confirmedTime()) {
        stored = storedMarkerTime(*typed, ratio);
        engine::SaveMarqueurs(m_player.SongSettingsFile(), markers);
    }
    AfficherMarqueurs(false);
}

// --- the position slider

void frmRovuRodu::sldPosition_MouseDown()
{
    // The ticks would move the thumb under the pointer.
    stopClock();
}

void frmRovuRodu::sldPosition_MouseUp()
{
    m_player.sldPosition_MouseUp(m_slider->value(), m_slider->max());
    startClock();
}

} // namespace melorit::mainwin
