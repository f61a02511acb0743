#include "tools/MidiBuffer.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace melorit::tools {

void MidiBuffer::seek(qsizetype pos)
{
    m_pos = std::clamp<qsizetype>(pos, 0, m_bytes.size());
}

std::uint32_t MidiBuffer::ReadBE(int n)
{
    std::uint32_t value = 0;
    for (int i = 0; i < n; ++i) {
        if (atEnd()) {
            m_truncated = true;
            break;
        }
        value = (value << 8) | at(m_pos++);
    }
    return value;
}

std::uint32_t MidiBuffer::ReadVLQ()
{
    constexpr std::uint64_t kLimit = 0xFFFFFFFFu;
    std::uint64_t value = 0;
    for (;;) {
        if (atEnd()) {
            m_truncated = true;
            break;
        }
        const unsigned char byte = at(m_pos++);
        value = std::min(kLimit, value * 128 + (byte & 127u));
        if (byte < 128) {
            break;
        }
    }
    return static_cast<std::uint32_t>(value);
}

QByteArrayView MidiBuffer::ReadChars(qint64 n)
{
    if (n > remaining()) {
        m_truncated = true;
        n = remaining();
    }
    const QByteArrayView text = m_bytes.sliced(m_pos, static_cast<qsizetype>(n));
    m_pos += static_cast<qsizetype>(n);
    return text;
}

LoadedFile LoadMidiBuffer(const QString &fileName)
{
    LoadedFile result;
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.isFile()) {
        return result;
    }
    if (info.size() > kMaxMidiFileSize) {
        result.status = LoadStatus::TooLarge;
        return result;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return result;
    }
    // The size read before opening bounds the read, so a file that grows
    // meanwhile cannot pass the limit.
    if (info.size() > 0) {
        result.bytes = file.read(info.size());
    }
    if (file.error() != QFileDevice::NoError) {
        result.bytes.clear();
        return result;
    }
    result.status = result.bytes.isEmpty() ? LoadStatus::Empty : LoadStatus::Loaded;
    return result;
}

} // namespace melorit::tools
