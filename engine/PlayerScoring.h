#pragma once

#include "scoring/MelodyTarget.h"
#include "scoring/ScoringHost.h"

#include <optional>

namespace melorit::engine {

class Player;

// What a singer is scored against in the song the player has open: its
// melody channel's notes at the tempo and transposition it plays at now.
// Nothing without a song. UI thread.
std::optional<scoring::MelodyTarget> melodyTargetOf(const Player &player);

// The tick being heard now; nothing without a song playing for listening.
// UI thread.
std::optional<double> heardTickOf(const Player &player);

// A live scoring's view of the player: the song's melody, the heard tick,
// the transposition, the song's settings file and the output's latency.
// The caller adds the configuration and language files and the warnings.
// The player must outlive what uses the host. UI thread.
scoring::ScoringHost scoringHostOf(Player &player);

} // namespace melorit::engine
