#pragma once

#include "tests/support/Bytes.h"
#include "tests/support/MidiTrackBuilder.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace melorit::fixtures {

// A Standard MIDI File built in memory: the "MThd" header, then the track chunks and
// any raw chunks in the order they were added.
//
//     MidiFileBuilder file(1, 480);
//     file.addTrack().tempo(500000).timeSignature(4, 4);
//     file.addTrack().programChange(0, 73).note(0, 60, 100, 0, 480);
//     Bytes bytes = file.build();
//
// Nothing is checked against the format's rules (format 0 with several tracks, a
// track count that does not match, SMPTE division), so robustness tests can write
// the files that real collections contain.
class MidiFileBuilder {
public:
    explicit MidiFileBuilder(int format = 1, std::uint16_t division = 480);

    MidiFileBuilder &setFormat(int format);
    // Ticks per quarter note, or an SMPTE value with the high bit set, written as is.
    MidiFileBuilder &setDivision(std::uint16_t division);
    // The track count written in the header instead of the number of track chunks.
    MidiFileBuilder &declareTrackCount(std::uint16_t count);

    // A new track chunk after the chunks added so far. The reference stays valid for
    // the builder's lifetime.
    MidiTrackBuilder &addTrack();
    MidiTrackBuilder &track(std::size_t index) { return *m_tracks.at(index); }
    std::size_t trackCount() const { return m_tracks.size(); }

    // A chunk of any four-character type after the chunks added so far. declaredLength
    // replaces the real length in its header (a truncated last chunk, for instance).
    MidiFileBuilder &addRawChunk(std::string_view type, const Bytes &body,
                                 std::optional<std::uint32_t> declaredLength = {});

    Bytes build() const;
    bool writeTo(const std::filesystem::path &path) const;

private:
    struct Chunk {
        int track = -1; // index into m_tracks, or -1 for a raw chunk
        Bytes raw;
    };

    int m_format;
    std::uint16_t m_division;
    std::optional<std::uint16_t> m_declaredTrackCount;
    std::vector<std::unique_ptr<MidiTrackBuilder>> m_tracks;
    std::vector<Chunk> m_chunks;
};

} // namespace melorit::fixtures
