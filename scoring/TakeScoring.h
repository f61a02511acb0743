#pragma once

#include "scoring/ScoreCard.h"

#include <span>

namespace melorit::scoring {

// A take recorded along with the song (mono, 44100 Hz) scored against the
// melody: each pitch frame counts at the tick of the song that was heard
// when it was sung. takeStartSeconds is the song's time at the take's first
// sample (0: recorded from the song's start; positive: started late).
ScoreCard scoreTake(const MelodyTarget &target, std::span<const float> samples, int toleranceCents,
                    double takeStartSeconds = 0);

} // namespace melorit::scoring
