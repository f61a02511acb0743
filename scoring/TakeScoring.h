#pragma once

#include "scoring/ScoreCard.h"

#include <span>

namespace melorit::scoring {

// A take recorded from the song's start (mono, 44100 Hz) scored against the
// melody: each pitch frame counts at the tick of the song that was heard
// when it was sung. offsetSeconds is how late the take runs behind the song.
ScoreCard scoreTake(const MelodyTarget &target, std::span<const float> samples, int toleranceCents,
                    double offsetSeconds = 0);

} // namespace melorit::scoring
