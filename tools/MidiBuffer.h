#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

namespace melorit::tools {

// A whole MIDI file in memory with a read cursor. Every reader advances the
// cursor and stops at the end of the bytes: a read that wanted more than was
// left returns what was there and marks the buffer as truncated, so no read
// ever goes past the end whatever the file claims.
class MidiBuffer {
public:
    explicit MidiBuffer(QByteArrayView bytes) : m_bytes(bytes) {}

    qsizetype size() const { return m_bytes.size(); }
    qsizetype pos() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    qsizetype remaining() const { return m_bytes.size() - m_pos; }
    // Moves the cursor, kept within 0 to size().
    void seek(qsizetype pos);
    unsigned char at(qsizetype pos) const { return static_cast<unsigned char>(m_bytes[pos]); }
    QByteArrayView bytes() const { return m_bytes; }

    // n = 1 to 4 bytes as an unsigned big-endian number. When the end comes
    // first, the value is made of the bytes that were there (0 for none).
    std::uint32_t ReadBE(int n);
    // A variable-length quantity: value = value x 128 + (byte and 127) until a
    // byte below 128. Values beyond 32 bits stay at 0xFFFFFFFF; every
    // continuation byte is consumed all the same.
    std::uint32_t ReadVLQ();
    // n bytes as they are (the listing keeps the file's own code page), as
    // a view into the buffer.
    QByteArrayView ReadChars(qint64 n);

    // True once a read has run into the end of the bytes.
    bool truncated() const { return m_truncated; }
    void clearTruncated() { m_truncated = false; }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    bool m_truncated = false;
};

// Largest file the dump loads. MIDI songs are far smaller; the limit keeps
// the listing, which can be some thirty times the file, within memory.
inline constexpr qint64 kMaxMidiFileSize = 64 * 1024 * 1024;

enum class LoadStatus { Loaded, NotReadable, Empty, TooLarge };

struct LoadedFile {
    LoadStatus status = LoadStatus::NotReadable;
    QByteArray bytes;
};

// Reads the whole file into memory. Only regular files are read, so a pipe
// or a device never blocks the caller.
LoadedFile LoadMidiBuffer(const QString &fileName);

} // namespace melorit::tools
