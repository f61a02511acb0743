#pragma once

namespace melorit::engine {

// Event types of the synthesizer stream, as the audio library numbers them.
// A stream event carries a channel and one parameter; a stream reports the
// current value of each of them per channel.
inline constexpr int MIDI_EVENT_PROGRAM = 2;
inline constexpr int MIDI_EVENT_DRUMS = 6;
inline constexpr int MIDI_EVENT_BANK = 10;
inline constexpr int MIDI_EVENT_VOLUME = 12;
inline constexpr int MIDI_EVENT_PAN = 13;
inline constexpr int MIDI_EVENT_REVERB = 23;
inline constexpr int MIDI_EVENT_CHORUS = 24;
// Global reverb and chorus parameters, always sent on channel 0.
inline constexpr int MIDI_EVENT_REVERB_TIME = 32;
inline constexpr int MIDI_EVENT_REVERB_DELAY = 33;
inline constexpr int MIDI_EVENT_REVERB_LOCUTOFF = 34;
inline constexpr int MIDI_EVENT_REVERB_HICUTOFF = 35;
inline constexpr int MIDI_EVENT_REVERB_LEVEL = 36;
inline constexpr int MIDI_EVENT_CHORUS_DELAY = 37;
inline constexpr int MIDI_EVENT_CHORUS_DEPTH = 38;
inline constexpr int MIDI_EVENT_CHORUS_RATE = 39;
inline constexpr int MIDI_EVENT_CHORUS_FEEDBACK = 40;
inline constexpr int MIDI_EVENT_CHORUS_LEVEL = 41;
inline constexpr int MIDI_EVENT_CHORUS_REVERB = 42;
// Microseconds per quarter note.
inline constexpr int MIDI_EVENT_TEMPO = 62;
// Per-channel mix level 0-200, 100 = unity.
inline constexpr int MIDI_EVENT_MIXLEVEL = 0x10000;
// Per-channel transposition: semitones + 100.
inline constexpr int MIDI_EVENT_TRANSPOSE = 0x10001;

inline constexpr int kChannelCount = 16;

} // namespace melorit::engine
