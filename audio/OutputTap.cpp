#include "audio/OutputTap.h"

#include <algorithm>
#include <cstdlib>

namespace melorit::audio {

void OutputTap::write(std::span<const std::int16_t> interleaved)
{
    const std::size_t size = m_ring.size();
    if (interleaved.size() >= size) {
        interleaved = interleaved.last(size);
    }
    std::size_t done = 0;
    while (done < interleaved.size()) {
        const std::size_t n = std::min(interleaved.size() - done, size - m_head);
        std::copy_n(interleaved.begin() + static_cast<std::ptrdiff_t>(done), n,
                    m_ring.begin() + static_cast<std::ptrdiff_t>(m_head));
        m_head = (m_head + n) % size;
        done += n;
    }
    m_filled = std::min(size, m_filled + interleaved.size());
}

void OutputTap::clear()
{
    m_head = 0;
    m_filled = 0;
}

std::size_t OutputTap::copyRecent(std::span<std::int16_t> out) const
{
    const std::size_t size = m_ring.size();
    std::size_t count = std::min(out.size(), m_filled);
    count -= count % kChannels; // whole frames, left first
    std::size_t pos = (m_head + size - count) % size;
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = m_ring[pos];
        pos = (pos + 1) % size;
    }
    return count;
}

Levels OutputTap::levels() const
{
    const std::size_t size = m_ring.size();
    const std::size_t count = std::min(kLevelFrames * kChannels, m_filled);
    int left = 0;
    int right = 0;
    std::size_t pos = (m_head + size - count) % size;
    for (std::size_t i = 0; i < count; i += 2) {
        left = std::max(left, std::abs(static_cast<int>(m_ring[pos])));
        right = std::max(right, std::abs(static_cast<int>(m_ring[(pos + 1) % size])));
        pos = (pos + 2) % size;
    }
    return {static_cast<std::uint16_t>(left), static_cast<std::uint16_t>(right)};
}

} // namespace melorit::audio
