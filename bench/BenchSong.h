#pragma once

#include "tests/support/Bytes.h"

#include <cstdint>

namespace melorit::bench {

// A General MIDI song of 185 seconds on 10 channels (nine instruments and
// drums) at 120 beats a minute: a four-chord progression with melody, bass,
// chords, pads, arpeggios and a drum kit, with volume, pan, reverb and chorus
// set per channel. The same bytes on every run.
fixtures::Bytes buildBenchSong();
// The same song with words: a syllable on every beat, a line every two bars.
fixtures::Bytes buildBenchKaraoke();
// A song of that kind lasting about `seconds` (whole bars of 2 s), its melody
// varied by the seed.
fixtures::Bytes buildBenchKaraoke(int seconds, std::uint32_t seed);

} // namespace melorit::bench
