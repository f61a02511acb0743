#pragma once

#include "audio/Error.h"
#include "audio/SongEvent.h"
#include "audio/TempoMap.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace melorit::audio {

// A text event of the song: lyric, text, marker or cue point.
struct MarkInfo {
    int track = 0;
    std::uint32_t tick = 0;
    std::string_view text; // the file's bytes, no terminating zero; lives as long as the file
};

// A note-on (velocity 1-127) or note-off (velocity 0) of one track.
struct NoteEvent {
    std::uint32_t tick = 0;
    int channel = 0;
    int key = 0;
    int velocity = 0;
};

struct SysexMessage {
    std::uint32_t offset = 0; // into MidiFile::sysexBytes()
    std::uint32_t length = 0;
};

// A Standard MIDI File read into memory: its tracks merged into one sequence of
// events in playing order, its tempo map and its marks. Immutable once read, so
// any number of streams and threads may share it: every function is callable
// from any thread.
class MidiFile {
public:
    struct Data;

    int format() const;
    int trackCount() const;
    // Ticks per quarter note (nominal for SMPTE files).
    double ticksPerQuarter() const;
    // The tick of the last event, end-of-track events included.
    std::uint32_t lengthTicks() const;
    // True when part of the file could not be read (a truncated or garbled
    // track); the events read before the damage are kept.
    bool damaged() const;

    const TempoMap &tempoMap() const;
    std::span<const SongEvent> events() const;

    // Marks of one type, numbered from 0 in time order across all tracks: equal
    // ticks put the lower track first, then the file's order.
    std::size_t markCount(MarkType type) const;
    // nullopt past the last mark.
    std::optional<MarkInfo> mark(MarkType type, std::size_t index) const;

    // The note events of one track in the file's order (empty for a track that
    // does not exist).
    std::vector<NoteEvent> notes(int track) const;
    // The first track name event of a track ("" when it has none).
    std::string_view trackName(int track) const;

    const SysexMessage &sysex(std::size_t index) const;
    std::span<const std::uint8_t> sysexBytes(const SysexMessage &message) const;

    explicit MidiFile(std::unique_ptr<Data> data);
    ~MidiFile();
    MidiFile(const MidiFile &) = delete;
    MidiFile &operator=(const MidiFile &) = delete;

private:
    std::unique_ptr<Data> m_data;
};

struct MidiReadResult {
    std::shared_ptr<const MidiFile> file; // null on failure
    Error error = Error::Ok;
};

// Reads a Standard MIDI File (format 0, 1 or 2; also wrapped in a RIFF "RMID"
// file) from memory. A file that is not a MIDI file, or whose header cannot be
// used, gives Error::FileForm. Never prints. Any thread.
MidiReadResult readMidi(std::span<const std::uint8_t> bytes);

// Reads a MIDI file from disk; the path is UTF-8. A file that cannot be opened
// gives Error::FileOpen. Any thread.
MidiReadResult readMidiFile(const std::string &utf8Path);

} // namespace melorit::audio
