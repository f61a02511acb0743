#include "scoring/TakeScoring.h"

#include "scoring/TakeFile.h"

namespace melorit::scoring {

ScoreCard scoreTake(const MelodyTarget &target, std::span<const float> samples, int toleranceCents,
                    double takeStartSeconds)
{
    ScoreCard card(target, toleranceCents);
    PitchTracker tracker(Take::kRate);
    tracker.push(samples, [&](const PitchFrame &frame) {
        const double seconds = static_cast<double>(frame.sample) / Take::kRate + takeStartSeconds;
        if (seconds >= 0) {
            card.add(target.tickAt(seconds), frame);
        }
    });
    return card;
}

} // namespace melorit::scoring
