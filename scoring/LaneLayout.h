#pragma once

#include "scoring/ScoreCard.h"

namespace melorit::scoring {

// How a note bar of the pitch lane looks.
enum class NoteShade {
    Ahead,   // not reached yet
    Current, // being sung (or its frames still to come)
    Good,    // sung, 80 or more
    Fair,    // sung, 50 to 79
    Poor,    // sung, under 50
    Unsung,  // passed without a frame (a jump)
};

// The pitch lane's geometry: the song's notes scroll from right to left past
// a "now" line a third of the way in, two seconds of the past and four of
// what comes; keys rise upwards over the song's range (an octave at least).
// Everything in pixels of a lane of the given size.
class LaneLayout {
public:
    static constexpr double kPastSeconds = 2.0;
    static constexpr double kAheadSeconds = 4.0;
    static constexpr int kMinKeys = 12;

    LaneLayout(const MelodyTarget &target, int transpose, double nowSeconds, int width, int height);

    double nowSeconds() const { return m_now; }
    double x(double seconds) const;
    double y(double key) const;
    double keyHeight() const;
    bool visible(double fromSeconds, double toSeconds) const;

    // A sung key moved into the octave nearest a reference key: the lane,
    // like the score, does not mind the singer's octave.
    static float foldedKey(float sung, double reference);
    // A note's look when the song is at nowTick and the singer's frames
    // have been scored up to scoredTick (they come a little later).
    static NoteShade shade(const ScoreCard &card, int note, double nowTick, double scoredTick);

private:
    double m_now;
    int m_width;
    int m_height;
    double m_low = 0;
    double m_high = 0;
};

} // namespace melorit::scoring
