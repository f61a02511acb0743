#pragma once

#include "scoring/MelodyTarget.h"
#include "scoring/PitchTracker.h"

#include <optional>
#include <vector>

namespace melorit::scoring {

// What one frame of the singer did.
struct FrameVerdict {
    int note = -1;        // the target note sounding then, -1 for none
    bool hit = false;     // sung within tolerance of it
    bool counted = false; // counted in the note's score (not at its edges)
};

// The singer's scores against a melody: for each note the share of its
// frames sung within tolerance of it, in any octave; for a line and the
// song the same share over their notes' frames together, so a long note
// weighs as much as it lasts. Scores are 0 to 100; a note no frame fell in
// (not reached yet, or skipped by a jump) has none and counts nowhere.
// Frames at a note's edges are not counted: within kAttackSeconds of its
// start (a voice, like an instrument, takes a moment to settle on a pitch,
// and the detector's window still holds the note before) and within
// kReleaseSeconds of its end.
class ScoreCard {
public:
    static constexpr double kAttackSeconds = 0.050;
    static constexpr double kReleaseSeconds = 0.025;

    ScoreCard(const MelodyTarget &target, int toleranceCents);

    const MelodyTarget &target() const { return m_target; }
    int toleranceCents() const { return m_tolerance; }

    // The transposition the song is heard at from now on (the target's at
    // first): a singer follows the key the song is played in.
    void setTranspose(int semitones) { m_transpose = semitones; }
    int transpose() const { return m_transpose; }

    // A frame heard at a tick of the song.
    FrameVerdict add(double tick, const PitchFrame &frame);
    // Whether a sung key is within tolerance of a note's key (any octave).
    bool matches(float sungKey, int noteKey) const;

    std::optional<int> noteScore(int note) const;
    std::optional<int> lineScore(int line) const; // 1-based
    std::optional<int> songScore() const;
    int notesSung() const; // notes with a score

private:
    struct Tally {
        int frames = 0;
        int hits = 0;
    };
    static std::optional<int> percent(const Tally &t);

    MelodyTarget m_target;
    int m_tolerance;
    int m_transpose;
    std::vector<Tally> m_notes;
};

} // namespace melorit::scoring
