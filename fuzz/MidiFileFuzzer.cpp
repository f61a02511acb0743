// The audio library's MIDI reader on any bytes: no crash, no read outside the
// input, and a file that holds together: events in playing order, marks
// numbered in time order and pointing into the file's own bytes.

#include "audio/MidiFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

using namespace melorit::audio;

namespace {

void checkMarks(const MidiFile &file, MarkType type)
{
    const std::size_t count = file.markCount(type);
    std::uint32_t previous = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<MarkInfo> mark = file.mark(type, i);
        if (!mark || mark->tick < previous || mark->track < 0 || mark->track >= file.trackCount()) {
            __builtin_trap();
        }
        previous = mark->tick;
        volatile char sink = 0;
        for (const char c : mark->text) { // every byte of the text must be readable
            sink = static_cast<char>(sink ^ c);
        }
    }
    if (file.mark(type, count)) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const MidiReadResult result = readMidi(std::span<const std::uint8_t>(data, size));
    if (!result.file) {
        if (result.error == Error::Ok) {
            __builtin_trap();
        }
        return 0;
    }
    const MidiFile &file = *result.file;
    if (result.error != Error::Ok || file.trackCount() < 0 || !(file.ticksPerQuarter() > 0)) {
        __builtin_trap();
    }
    std::uint32_t previousTick = 0;
    for (const SongEvent &event : file.events()) {
        if (event.tick < previousTick || event.tick > file.lengthTicks() ||
            event.track >= file.trackCount()) {
            __builtin_trap();
        }
        previousTick = event.tick;
        if (event.kind == SongEvent::Kind::Sysex) {
            volatile std::uint8_t sink = 0;
            for (const std::uint8_t b : file.sysexBytes(file.sysex(event.value))) {
                sink = static_cast<std::uint8_t>(sink ^ b);
            }
        }
    }
    for (const MarkType type : {MarkType::Lyric, MarkType::Text, MarkType::Marker, MarkType::Cue}) {
        checkMarks(file, type);
    }
    for (int track = -1; track <= file.trackCount(); ++track) {
        for (const NoteEvent &note : file.notes(track)) {
            if (note.channel < 0 || note.channel > 15 || note.key < 0 || note.key > 127 ||
                note.velocity < 0 || note.velocity > 127 || note.tick > file.lengthTicks()) {
                __builtin_trap();
            }
        }
        volatile std::size_t nameSize = file.trackName(track).size();
        (void)nameSize;
    }
    return 0;
}
