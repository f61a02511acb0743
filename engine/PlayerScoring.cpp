#include "engine/PlayerScoring.h"

#include "audio/Device.h"
#include "audio/Format.h"
#include "engine/Player.h"

namespace melorit::engine {

std::optional<scoring::MelodyTarget> melodyTargetOf(const Player &player)
{
    const audio::MidiStream *stream = player.stream();
    if (!stream) {
        return std::nullopt;
    }
    scoring::TargetOptions options;
    options.transpose = player.mixer().state().TransposeSemis;
    options.tempoRatio = player.mixer().TempoRatio();
    return scoring::MelodyTarget::build(stream->file(), player.lyrics(), options);
}

std::optional<double> heardTickOf(const Player &player)
{
    const audio::MidiStream *stream = player.stream();
    if (!stream || !player.ListenMode() || player.songEnded()) {
        return std::nullopt;
    }
    return static_cast<double>(stream->position(audio::PosUnit::Ticks));
}

scoring::ScoringHost scoringHostOf(Player &player)
{
    scoring::ScoringHost host;
    host.target = [&player] { return melodyTargetOf(player); };
    host.heardTick = [&player] { return heardTickOf(player); };
    host.transpose = [&player] { return player.mixer().state().TransposeSemis; };
    host.songSettingsFile = [&player] { return player.SongSettingsFile(); };
    host.outputLatencyMs = [] { return audio::outputLatencyFrames() * 1000 / audio::kSampleRate; };
    host.configFile = player.settings().configFile;
    return host;
}

} // namespace melorit::engine
