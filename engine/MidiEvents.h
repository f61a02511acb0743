#pragma once

// The stream's event codes are the audio library's; the mixer uses its names.
// Only the header is used here: the mixer reaches the stream through
// MixTarget, never by linking the library.
#include "audio/MidiEvent.h"

namespace melorit::engine {

using audio::MIDI_EVENT_BANK;
using audio::MIDI_EVENT_CHORUS;
using audio::MIDI_EVENT_CHORUS_DELAY;
using audio::MIDI_EVENT_CHORUS_DEPTH;
using audio::MIDI_EVENT_CHORUS_FEEDBACK;
using audio::MIDI_EVENT_CHORUS_LEVEL;
using audio::MIDI_EVENT_CHORUS_RATE;
using audio::MIDI_EVENT_CHORUS_REVERB;
using audio::MIDI_EVENT_DRUMS;
using audio::MIDI_EVENT_MIXLEVEL;
using audio::MIDI_EVENT_PAN;
using audio::MIDI_EVENT_PROGRAM;
using audio::MIDI_EVENT_REVERB;
using audio::MIDI_EVENT_REVERB_DELAY;
using audio::MIDI_EVENT_REVERB_HICUTOFF;
using audio::MIDI_EVENT_REVERB_LEVEL;
using audio::MIDI_EVENT_REVERB_LOCUTOFF;
using audio::MIDI_EVENT_REVERB_TIME;
using audio::MIDI_EVENT_TEMPO;
using audio::MIDI_EVENT_TRANSPOSE;
using audio::MIDI_EVENT_VOLUME;
using audio::MidiEvent;

// Global effect k (0-10) is event 32 + k, always on channel 0.
inline constexpr MidiEvent globalEffectEvent(int k)
{
    return static_cast<MidiEvent>(audio::kFirstEffectEvent + static_cast<std::uint32_t>(k));
}

inline constexpr int kChannelCount = 16;

} // namespace melorit::engine
