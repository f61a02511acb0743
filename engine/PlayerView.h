#pragma once

#include "engine/Markers.h"

#include <QString>

namespace melorit::engine {

// The play button, and its state while the song is paused.
inline constexpr int kPlayButton = 35;
inline constexpr int kPausedButtonState = 2;

// What the player announces to the main window and its companions, one
// method per kind of change. Every call comes on the user-interface thread.
// The defaults ignore the change, so a view implements what it draws.
class PlayerView {
public:
    virtual ~PlayerView() = default;

    // The main window's caption ("Main.Caption" filled with the title).
    virtual void captionChanged(const QString &caption) { (void)caption; }

    // A button of the main window's strip is drawn in a state: play (35) and
    // record (36), 1 pressed, 0 released; play kPausedButtonState while the
    // song is paused.
    virtual void transportButtonChanged(int button, int state)
    {
        (void)button;
        (void)state;
    }

    // The repeat mode changed: the repeat buttons of the main window (42) and
    // of the playlist window (54) show it.
    virtual void repeatModeChanged(int mode) { (void)mode; }

    // The channel meters let go of their levels (each value made negative).
    virtual void metersReleased() {}

    // The lyrics window clears itself (EffaceLyrics).
    virtual void lyricsCleared() {}

    // The lyrics window shows the given lyric event (DisplayLyrics).
    virtual void lyricsEventShown(int index) { (void)index; }

    // The time label is shown while listening, the conversion label while
    // rendering (VoirReglages).
    virtual void timeLabelsShown(bool listening) { (void)listening; }

    // The markers are shown on the position bar (AfficherMarqueurs); with
    // relayout the bar is placed again even when the buttons are visible.
    virtual void markersChanged(const Markers &markers, double tempoRatio, bool relayout)
    {
        (void)markers;
        (void)tempoRatio;
        (void)relayout;
    }

    // The position slider goes back to 0 and the time label is redrawn
    // (InitTimeSlider).
    virtual void timeSliderReset(const QString &timeText) { (void)timeText; }

    // The batch conversion timer (TimerEncodage) is enabled or disabled: the
    // main window starts or stops its timer of Player::kBatchTimerInterval ms.
    virtual void batchTimerChanged(bool enabled) { (void)enabled; }

    // A new SoundFont is loaded: preset tips and names are to be read again.
    virtual void presetNamesChanged() {}

    // A short message for the main window's status area, where it stays a
    // few seconds (a newer one replaces it): where a converted file went, a
    // command refused during a conversion.
    virtual void statusShown(const QString &text) { (void)text; }

    // A conversion (or a batch of them) is under way: the transport commands
    // it refuses are drawn disabled until it ends.
    virtual void transportLocked(bool locked) { (void)locked; }

    // The song's road for a singer: a song opened for listening is set up
    // and starts playing right after this call (a microphone opened here
    // hears the song from its first sound); it jumped to another position
    // (the position bar);
    // it reached its end or its end marker while listening; it stopped
    // (stop, another song, a conversion).
    virtual void songStarting() {}
    virtual void songJumped() {}
    virtual void songFinished() {}
    virtual void songStopped() {}
};

} // namespace melorit::engine
