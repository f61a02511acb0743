#include "tools/RiffFile.h"

#include <QtEndian>

#include <algorithm>

namespace melorit::tools {
namespace {

constexpr std::uint32_t kRiff = fourCC("RIFF");
constexpr std::uint32_t kList = fourCC("LIST");
constexpr qint64 kHeaderSize = 8;

bool hasType(std::uint32_t id)
{
    return id == kRiff || id == kList;
}

// RIFF chunks are padded to an even size.
qint64 paddedEnd(qint64 dataStart, std::uint32_t size)
{
    return dataStart + qint64(size) + (size & 1);
}

} // namespace

bool RiffFile::seek(qint64 pos)
{
    return pos >= 0 && pos <= m_device.size() && m_device.seek(pos);
}

QByteArray RiffFile::read(qint64 count)
{
    const qint64 left = std::max<qint64>(0, m_device.size() - m_device.pos());
    return m_device.read(std::clamp<qint64>(count, 0, left));
}

std::optional<RiffChunk> RiffFile::search(std::uint32_t id, std::uint32_t type, qint64 limit)
{
    for (;;) {
        const qint64 start = m_device.pos();
        if (start + kHeaderSize > limit) {
            return std::nullopt;
        }
        const QByteArray header = read(kHeaderSize);
        if (header.size() < kHeaderSize) {
            return std::nullopt;
        }
        RiffChunk chunk;
        chunk.id = qFromLittleEndian<quint32>(header.constData());
        chunk.size = qFromLittleEndian<quint32>(header.constData() + 4);
        chunk.dataStart = start + kHeaderSize;
        if (chunk.id == id) {
            if (!hasType(id)) {
                return chunk;
            }
            const QByteArray typeBytes = read(4);
            if (typeBytes.size() < 4) {
                return std::nullopt;
            }
            chunk.type = qFromLittleEndian<quint32>(typeBytes.constData());
            if (type == 0 || chunk.type == type) {
                return chunk;
            }
        }
        if (!seek(paddedEnd(start + kHeaderSize, chunk.size))) {
            return std::nullopt;
        }
    }
}

std::optional<RiffChunk> RiffFile::findRiff(std::uint32_t formType)
{
    return search(kRiff, formType, m_device.size());
}

std::optional<RiffChunk> RiffFile::findChunk(std::uint32_t id, const RiffChunk &parent)
{
    return search(id, 0, std::min(parent.end(), m_device.size()));
}

void RiffFile::ascend(const RiffChunk &chunk)
{
    if (!seek(paddedEnd(chunk.dataStart, chunk.size))) {
        seek(m_device.size());
    }
}

} // namespace melorit::tools
