#pragma once

#include "tests/support/Bytes.h"

namespace melorit::fixtures {

// File name of the demo song that ships beside the program.
inline constexpr const char *kDemoSongFileName = "au-clair-de-la-lune.kar";

// "Au clair de la lune", the traditional French song, first verse, as a Soft Karaoke
// file (format 1, 480 ticks per quarter, about 48 seconds):
//   track 0  conductor: GM reset, tempo 96 bpm slowing over the last two bars, 4/4, C major
//   track 1  "Words": "@K", "@V", "@I", "@L", "@T" information events, then one text
//            event per sung syllable, Windows-1252, "\" before each verse half and "/"
//            before each other line, at the tick of the syllable's note
//   track 2  melody, channel 0, flute, one note per syllable
//   track 3  bass, channel 1;  track 4  piano chords, channel 2;  track 5  strings, channel 3
//   track 6  drums, channel 9
// Volumes (100-115) and velocities (64-120) are those of ordinary General MIDI songs, so the
// backing track sounds and meters like one (about -20 LUFS through TimGM6mb).
// The bytes depend on nothing but this code, so the committed file can be checked.
Bytes buildDemoSong();

} // namespace melorit::fixtures
