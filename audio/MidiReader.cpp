// Standard MIDI File reader: chunks, tracks and events into a MidiFile.
//
// It is lenient where real collections need it (running status kept across
// meta and sysex events, system messages that do not belong in a file skipped
// with their data, unknown chunks ignored, a track cut short keeps what was
// read) and strict only where nothing sensible can be played (no header, no
// usable division, no track).

#include "audio/MidiFile.h"

#include "audio/MidiFileData.h"
#include "audio/TrackReader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

namespace melorit::audio {

namespace {

using detail::bigEndian;
using detail::ByteReader;
using detail::PendingMark;
using detail::TrackReader;

constexpr std::size_t kMaxFileSize = 64u << 20;

bool isChunkId(std::span<const std::uint8_t> id)
{
    return std::all_of(id.begin(), id.end(), [](std::uint8_t c) { return c >= 0x20 && c < 0x7F; });
}

bool idEquals(std::span<const std::uint8_t> id, const char *text)
{
    return std::memcmp(id.data(), text, 4) == 0;
}

// The Standard MIDI File inside a RIFF "RMID" wrapper, or the bytes as they are.
std::span<const std::uint8_t> unwrapRmid(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 12 || !idEquals(bytes.first(4), "RIFF") ||
        !idEquals(bytes.subspan(8, 4), "RMID")) {
        return bytes;
    }
    std::size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        const std::uint32_t size = bytes[pos + 4] | (bytes[pos + 5] << 8) | (bytes[pos + 6] << 16) |
                                   (std::uint32_t(bytes[pos + 7]) << 24);
        if (idEquals(bytes.subspan(pos, 4), "data")) {
            return bytes.subspan(pos + 8, std::min<std::size_t>(size, bytes.size() - pos - 8));
        }
        // In size_t: a size near 4 GiB must not wrap the step to nothing.
        pos += 8 + std::size_t{size} + (size & 1);
    }
    return {};
}

struct Header {
    int format = 1;
    int declaredTracks = 0;
    double ticksPerQuarter = 0;
    double ticksPerSecond = 0; // SMPTE division
};

std::optional<Header> readHeader(ByteReader &in)
{
    auto id = in.take(4);
    auto size = in.take(4);
    if (!id || !size || !idEquals(*id, "MThd")) {
        return std::nullopt;
    }
    const std::uint32_t length = bigEndian(*size);
    auto body = length >= 6 ? in.take(length) : std::nullopt;
    if (!body) {
        return std::nullopt;
    }
    Header header;
    header.format = static_cast<int>(bigEndian(body->subspan(0, 2)));
    header.declaredTracks = static_cast<int>(bigEndian(body->subspan(2, 2)));
    const std::uint32_t division = bigEndian(body->subspan(4, 2));
    if (division & 0x8000) {
        const int fps = -static_cast<int>(static_cast<std::int8_t>(division >> 8));
        const int perFrame = static_cast<int>(division & 0xFF);
        if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || perFrame == 0) {
            return std::nullopt;
        }
        header.ticksPerSecond = (fps == 29 ? 29.97 : fps) * perFrame;
    } else if (division == 0) {
        return std::nullopt;
    } else {
        header.ticksPerQuarter = division;
    }
    return header;
}

void mergeTracks(MidiFile::Data &data, std::vector<SongEvent> &events,
                 const std::vector<PendingMark> &marks)
{
    std::stable_sort(events.begin(), events.end(), [](const SongEvent &a, const SongEvent &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.track < b.track;
    });
    std::vector<TempoMap::Change> tempos;
    for (SongEvent &e : events) {
        data.lengthTicks = std::max(data.lengthTicks, e.tick);
        if (e.kind == SongEvent::Kind::Mark) {
            const PendingMark &pending = marks[e.value];
            auto &list = data.marks[static_cast<std::size_t>(pending.type)];
            e.value = static_cast<std::uint32_t>(list.size());
            list.push_back(pending.record);
        } else if (e.kind == SongEvent::Kind::Tempo) {
            tempos.push_back({e.tick, e.value});
        }
    }
    data.events = std::move(events);
    if (data.tempoMap.isFixedRate()) {
        return;
    }
    data.tempoMap = TempoMap(data.tempoMap.ticksPerQuarter(), tempos);
}

} // namespace

MidiReadResult readMidi(std::span<const std::uint8_t> bytes)
{
    ByteReader in(unwrapRmid(bytes));
    auto header = readHeader(in);
    if (!header) {
        detail::setLastError(Error::FileForm);
        return {nullptr, Error::FileForm};
    }
    auto data = std::make_unique<MidiFile::Data>();
    data->format = header->format;
    const bool fixedRate = header->ticksPerSecond > 0;
    data->tempoMap = fixedRate ? TempoMap::fixedRate(header->ticksPerSecond)
                               : TempoMap(header->ticksPerQuarter, {});

    std::vector<SongEvent> events;
    std::vector<PendingMark> marks;
    std::uint32_t sequenceStart = 0; // format 2: each track follows the previous one
    while (in.remaining() >= 8) {
        auto id = *in.take(4);
        const std::uint32_t length = bigEndian(*in.take(4));
        if (!isChunkId(id)) {
            break; // garbage after the last chunk
        }
        const std::size_t available = std::min<std::size_t>(length, in.remaining());
        auto body = *in.take(available);
        if (available < length) {
            data->damaged = true;
        }
        if (!idEquals(id, "MTrk")) {
            continue;
        }
        const int track = data->trackCount++;
        data->trackNameOffsets.push_back(~0u);
        data->trackNameLengths.push_back(0);
        TrackReader reader(*data, events, marks, track, data->format == 2 ? sequenceStart : 0,
                           fixedRate);
        if (!reader.read(body)) {
            data->damaged = true;
        }
        sequenceStart = reader.lastTick();
    }
    if (data->trackCount == 0) {
        detail::setLastError(Error::FileForm);
        return {nullptr, Error::FileForm};
    }
    if (data->trackCount < header->declaredTracks) {
        data->damaged = true;
    }
    mergeTracks(*data, events, marks);
    detail::setLastError(Error::Ok);
    return {std::make_shared<const MidiFile>(std::move(data)), Error::Ok};
}

MidiReadResult readMidiFile(const std::string &utf8Path)
{
    std::error_code ec;
    std::ifstream file(utf8Path, std::ios::binary | std::ios::ate);
    if (!file || !std::filesystem::is_regular_file(utf8Path, ec)) {
        detail::setLastError(Error::FileOpen);
        return {nullptr, Error::FileOpen};
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::size_t>(size) > kMaxFileSize) {
        detail::setLastError(size < 0 ? Error::FileOpen : Error::FileForm);
        return {nullptr, lastError()};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char *>(bytes.data()), size)) {
        detail::setLastError(Error::FileOpen);
        return {nullptr, Error::FileOpen};
    }
    return readMidi(bytes);
}

} // namespace melorit::audio
