#include "tests/support/MidiFileBuilder.h"

#include <stdexcept>

namespace melorit::fixtures {

MidiFileBuilder::MidiFileBuilder(int format, std::uint16_t division)
    : m_format(format), m_division(division)
{
}

MidiFileBuilder &MidiFileBuilder::setFormat(int format)
{
    m_format = format;
    return *this;
}

MidiFileBuilder &MidiFileBuilder::setDivision(std::uint16_t division)
{
    m_division = division;
    return *this;
}

MidiFileBuilder &MidiFileBuilder::declareTrackCount(std::uint16_t count)
{
    m_declaredTrackCount = count;
    return *this;
}

MidiTrackBuilder &MidiFileBuilder::addTrack()
{
    m_chunks.push_back(Chunk{static_cast<int>(m_tracks.size()), {}});
    m_tracks.push_back(std::make_unique<MidiTrackBuilder>());
    return *m_tracks.back();
}

MidiFileBuilder &MidiFileBuilder::addRawChunk(std::string_view type, const Bytes &body,
                                              std::optional<std::uint32_t> declaredLength)
{
    if (type.size() != 4) {
        throw std::invalid_argument("a chunk type has four characters");
    }
    Bytes chunk = bytesOf(type);
    appendBigEndian(chunk, declaredLength.value_or(static_cast<std::uint32_t>(body.size())), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    m_chunks.push_back(Chunk{-1, std::move(chunk)});
    return *this;
}

Bytes MidiFileBuilder::build() const
{
    Bytes out = bytesOf("MThd");
    appendBigEndian(out, 6, 4);
    appendBigEndian(out, static_cast<std::uint32_t>(m_format), 2);
    appendBigEndian(out, m_declaredTrackCount.value_or(static_cast<std::uint16_t>(m_tracks.size())),
                    2);
    appendBigEndian(out, m_division, 2);
    for (const Chunk &chunk : m_chunks) {
        const Bytes bytes =
            chunk.track >= 0 ? m_tracks[static_cast<std::size_t>(chunk.track)]->chunk() : chunk.raw;
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

bool MidiFileBuilder::writeTo(const std::filesystem::path &path) const
{
    return writeFile(path, build());
}

} // namespace melorit::fixtures
