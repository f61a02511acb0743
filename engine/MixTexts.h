#pragma once

#include <QString>

// Texts the mixer shows: control tips, the gain caption, the tempo read-out.
namespace melorit::engine {

// Tip of a channel volume fader: "x 1.5" for 150, "= 0" for 0.
QString volumeTip(int volume);

// Tips of the gain fader and the transposition knob: the language texts
// "Knob(Gain)" and "Knob(Transpose)" of section "Main" with "%1" = the value
// as "+3", "-5" or "=0".
QString gainTip(const QString &languageFile, int gain);
QString transposeTip(const QString &languageFile, int semitones);

// The SoundFont volume factor of a gain in dB: 10^(gain/20).
double gainFactor(int gain);
// Caption of the gain label: the factor in percent, "100 %" at 0 dB.
QString gainCaption(int gain);

// The transposition as shown beside its knob: "+2", "0", "-3".
QString transposeCaption(int semitones);

// The tempo read-out of a tempo shift (per mille) for a song tempo in
// microseconds per quarter note: three characters, the beats per minute or
// "---" when there is no sensible figure (no song: the label beside it already
// says "BPM"), drawn in the first glyph row at shift 0 and in the second
// otherwise.
inline constexpr QLatin1StringView kNoTempoText{"---"};
struct TempoReadout {
    QString text;
    int glyphRow = 0;
};
TempoReadout tempoReadout(int tempoShift, int baseTempo);

} // namespace melorit::engine
