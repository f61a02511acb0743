#pragma once

// The contents of a MidiFile, filled by the reader. Internal to the library.

#include "audio/MidiFile.h"

#include <array>
#include <optional>

namespace melorit::audio {

struct MidiFile::Data {
    struct MarkRecord {
        std::uint32_t tick = 0;
        std::uint16_t track = 0;
        std::uint32_t textOffset = 0;
        std::uint32_t textLength = 0;
    };

    int format = 1;
    int trackCount = 0;
    std::uint32_t lengthTicks = 0;
    bool damaged = false;
    TempoMap tempoMap{480, {}};
    std::vector<SongEvent> events;
    std::array<std::vector<MarkRecord>, kMarkTypeCount> marks;
    std::vector<std::uint32_t> trackNameOffsets; // per track, into texts; ~0u for none
    std::vector<std::uint32_t> trackNameLengths;
    std::string texts;
    std::vector<SysexMessage> sysex;
    std::vector<std::uint8_t> sysexBytes;
};

} // namespace melorit::audio
