#pragma once

#include <cstdint>

namespace melorit::audio {

// Events a stream accepts and reports. The numbers are the program's own
// event codes (stored in its controller tables and settings), so they are
// fixed. Parameters:
//   Note          key | velocity << 8 (velocity 0 = note-off)
//   Program       0-127;  Bank 0-127 (takes effect with the next Program)
//   Drums         0 or 1: the channel plays the drum bank (128)
//   Pitch         0-16383, 8192 = centre;  PitchRange  semitones
//   controllers   0-127 (Modulation, Volume, Pan, Expression, Sustain, Reverb, Chorus send)
//   SoundOff, NotesOff, Reset   no parameter
//   32-42         global reverb and chorus parameters, any channel (audio/README.md)
//   Tempo         microseconds per quarter note, channel 0
//   MixLevel      0-200, 100 = unity, 0 = silent
//   Transpose     semitones + 100 (100 = none)
enum class MidiEvent : std::uint32_t {
    Note = 1,
    Program = 2,
    ChannelPressure = 3,
    Pitch = 4,
    PitchRange = 5,
    Drums = 6,
    Bank = 10,
    Modulation = 11,
    Volume = 12,
    Pan = 13,
    Expression = 14,
    Sustain = 15,
    SoundOff = 16,
    Reset = 17,
    NotesOff = 18,
    Reverb = 23,
    Chorus = 24,
    ReverbTime = 32,
    ReverbDelay = 33,
    ReverbLowCutoff = 34,
    ReverbHighCutoff = 35,
    ReverbLevel = 36,
    ChorusDelay = 37,
    ChorusDepth = 38,
    ChorusRate = 39,
    ChorusFeedback = 40,
    ChorusLevel = 41,
    ChorusReverb = 42,
    Tempo = 62,
    MixLevel = 0x10000,
    Transpose = 0x10001,
};

inline constexpr std::uint32_t kFirstEffectEvent = 32;
inline constexpr int kEffectEventCount = 11;

inline constexpr bool isEffectEvent(MidiEvent e)
{
    const auto n = static_cast<std::uint32_t>(e);
    return n >= kFirstEffectEvent && n < kFirstEffectEvent + kEffectEventCount;
}

// The event names the mixer code uses for its controller rows.
inline constexpr MidiEvent MIDI_EVENT_NOTE = MidiEvent::Note;
inline constexpr MidiEvent MIDI_EVENT_PROGRAM = MidiEvent::Program;
inline constexpr MidiEvent MIDI_EVENT_DRUMS = MidiEvent::Drums;
inline constexpr MidiEvent MIDI_EVENT_BANK = MidiEvent::Bank;
inline constexpr MidiEvent MIDI_EVENT_VOLUME = MidiEvent::Volume;
inline constexpr MidiEvent MIDI_EVENT_PAN = MidiEvent::Pan;
inline constexpr MidiEvent MIDI_EVENT_REVERB = MidiEvent::Reverb;
inline constexpr MidiEvent MIDI_EVENT_CHORUS = MidiEvent::Chorus;
inline constexpr MidiEvent MIDI_EVENT_REVERB_TIME = MidiEvent::ReverbTime;
inline constexpr MidiEvent MIDI_EVENT_REVERB_DELAY = MidiEvent::ReverbDelay;
inline constexpr MidiEvent MIDI_EVENT_REVERB_LOCUTOFF = MidiEvent::ReverbLowCutoff;
inline constexpr MidiEvent MIDI_EVENT_REVERB_HICUTOFF = MidiEvent::ReverbHighCutoff;
inline constexpr MidiEvent MIDI_EVENT_REVERB_LEVEL = MidiEvent::ReverbLevel;
inline constexpr MidiEvent MIDI_EVENT_CHORUS_DELAY = MidiEvent::ChorusDelay;
inline constexpr MidiEvent MIDI_EVENT_CHORUS_DEPTH = MidiEvent::ChorusDepth;
inline constexpr MidiEvent MIDI_EVENT_CHORUS_RATE = MidiEvent::ChorusRate;
inline constexpr MidiEvent MIDI_EVENT_CHORUS_FEEDBACK = MidiEvent::ChorusFeedback;
inline constexpr MidiEvent MIDI_EVENT_CHORUS_LEVEL = MidiEvent::ChorusLevel;
inline constexpr MidiEvent MIDI_EVENT_CHORUS_REVERB = MidiEvent::ChorusReverb;
inline constexpr MidiEvent MIDI_EVENT_TEMPO = MidiEvent::Tempo;
inline constexpr MidiEvent MIDI_EVENT_MIXLEVEL = MidiEvent::MixLevel;
inline constexpr MidiEvent MIDI_EVENT_TRANSPOSE = MidiEvent::Transpose;

} // namespace melorit::audio
