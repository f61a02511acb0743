#pragma once

#include <QByteArray>
#include <QIODevice>

#include <cstdint>
#include <optional>

namespace melorit::tools {

// A four-character code as RIFF stores it: the first character in the low byte.
constexpr std::uint32_t fourCC(const char (&code)[5])
{
    return std::uint32_t(std::uint8_t(code[0])) | std::uint32_t(std::uint8_t(code[1])) << 8 |
           std::uint32_t(std::uint8_t(code[2])) << 16 | std::uint32_t(std::uint8_t(code[3])) << 24;
}

struct RiffChunk {
    std::uint32_t id = 0;
    std::uint32_t size = 0; // as the header says, true or not
    std::uint32_t type = 0; // form or list type of "RIFF" and "LIST" chunks
    qint64 dataStart = 0;   // first byte after the 8-byte header
    qint64 end() const { return dataStart + qint64(size); }
};

// Walks the chunks of a RIFF file the way the multimedia file functions do:
// searches go forward from the current position over whole chunks, a chunk
// found is "descended into" (the position moves to its data), "ascending"
// moves past its end and pad byte. The device is only read within its own
// size, whatever the chunk sizes claim.
class RiffFile {
public:
    explicit RiffFile(QIODevice &device) : m_device(device) {}

    // The next top-level "RIFF" chunk of the given form type, from the
    // current position to the end of the file.
    std::optional<RiffChunk> findRiff(std::uint32_t formType);
    // The next chunk with this identifier inside parent, from the current
    // position to the parent's end. For "LIST" the list type is read too.
    std::optional<RiffChunk> findChunk(std::uint32_t id, const RiffChunk &parent);
    // Up to count bytes from the current position; fewer at the end of the file.
    QByteArray read(qint64 count);
    // Moves past the chunk's data and its pad byte.
    void ascend(const RiffChunk &chunk);

private:
    std::optional<RiffChunk> search(std::uint32_t id, std::uint32_t type, qint64 limit);
    bool seek(qint64 pos);

    QIODevice &m_device;
};

} // namespace melorit::tools
