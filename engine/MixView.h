#pragma once

#include <QString>

namespace melorit::engine {

// What the mixer announces to the windows that draw it. Every call comes on
// the user-interface thread; what the watchers change on the audio thread is
// announced later, from Mixer::flushPendingRedraws.
class MixView {
public:
    virtual ~MixView() = default;

    // A solo (0-15) or mute (16-31) button of the main window is to be drawn
    // in the given image state (0-3).
    virtual void soloMuteButtonChanged(int button, int state) = 0;

    // A mixer control of the main window shows a new value: channel volume
    // faders 0-15, the gain fader 16, the transposition knob 17.
    virtual void mixerControlChanged(int control, int value, const QString &tip) = 0;

    // The tempo read-out (control 18): three LED characters drawn in the
    // first (0) or second (1) glyph row; its tip is empty.
    virtual void tempoReadoutChanged(const QString &text, int glyphRow) = 0;

    // The caption of the gain label ("100 %").
    virtual void gainCaptionChanged(const QString &caption) = 0;

    // A controller knob shows a new value: on the channel panel for indices
    // 0-111, on the effects panel for 112-122.
    virtual void controllerKnobChanged(int index, int value) = 0;

    // A controller knob gains (true) or loses its override mark.
    virtual void controllerMarkChanged(int index, bool overridden) = 0;

    // The user's tempo factor was committed; times shown in the song's own
    // scale (the markers) are to be shown again.
    virtual void tempoRatioCommitted(double tempoRatio) = 0;
};

} // namespace melorit::engine
