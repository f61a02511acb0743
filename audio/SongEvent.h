#pragma once

#include <cstdint>

namespace melorit::audio {

// Kinds of text events the library calls marks. The numbers are the mark types
// the program stores and passes around (2 and 3 select lyrics).
enum class MarkType : int {
    Marker = 0, // FF 06
    Cue = 1,    // FF 07
    Lyric = 2,  // FF 05
    Text = 3,   // FF 01
};
inline constexpr int kMarkTypeCount = 4;

// One event of the song's merged sequence, in playing order: by tick, then by
// track, then as the file lists them.
struct SongEvent {
    enum class Kind : std::uint8_t {
        Channel,    // status 0x80-0xEF with its data bytes
        Tempo,      // value = microseconds per quarter note
        Mark,       // status = MarkType, value = index among the marks of that type
        Sysex,      // value = index into MidiFile::sysex()
        EndOfTrack, // the track's last event
    };

    std::uint32_t tick = 0;
    std::uint16_t track = 0;
    Kind kind = Kind::Channel;
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::uint32_t value = 0;

    int channel() const { return status & 0x0F; }
    int command() const { return status & 0xF0; }
};

} // namespace melorit::audio
