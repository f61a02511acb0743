#pragma once

// A small, strict Standard MIDI File reader for checking what the builders write.
// It is independent of the program's own reader on purpose.

#include "tests/support/Bytes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace melorit::fixtures {

struct ScannedEvent {
    std::uint32_t tick = 0;
    std::uint8_t status = 0;   // full status byte, also when running status was used
    std::uint8_t metaType = 0; // for status 0xFF
    Bytes data;                // channel data bytes, or the meta/sysex payload

    bool isMeta(int type) const { return status == 0xFF && metaType == type; }
    bool isNoteOn() const { return (status & 0xF0) == 0x90 && data.size() == 2 && data[1] > 0; }
    int channel() const { return status & 0x0F; }
    std::string_view text() const
    {
        return {reinterpret_cast<const char *>(data.data()), data.size()};
    }
};

struct ScannedFile {
    bool ok = false;
    std::string error;
    int format = 0;
    int declaredTracks = 0;
    int division = 0;
    std::vector<std::vector<ScannedEvent>> tracks;
};

ScannedFile scanMidi(const Bytes &file);

} // namespace melorit::fixtures
