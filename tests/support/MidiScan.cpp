#include "tests/support/MidiScan.h"

#include <optional>

namespace melorit::fixtures {

namespace {

class Reader {
public:
    Reader(const Bytes &bytes, std::size_t begin, std::size_t end)
        : m_bytes(bytes), m_pos(begin), m_end(end)
    {
    }

    bool atEnd() const { return m_pos >= m_end; }
    std::optional<std::uint8_t> byte()
    {
        if (atEnd()) {
            return std::nullopt;
        }
        return m_bytes[m_pos++];
    }
    std::optional<std::uint8_t> peek() const
    {
        return atEnd() ? std::nullopt : std::optional<std::uint8_t>(m_bytes[m_pos]);
    }
    std::optional<std::uint32_t> varLen()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const auto b = byte();
            if (!b) {
                return std::nullopt;
            }
            value = (value << 7) | (*b & 0x7Fu);
            if ((*b & 0x80) == 0) {
                return value;
            }
        }
        return std::nullopt;
    }
    std::optional<Bytes> take(std::size_t count)
    {
        if (m_end - m_pos < count) {
            return std::nullopt;
        }
        Bytes out(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pos),
                  m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pos + count));
        m_pos += count;
        return out;
    }

private:
    const Bytes &m_bytes;
    std::size_t m_pos;
    std::size_t m_end;
};

std::uint32_t bigEndian(const Bytes &bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

int channelDataLength(std::uint8_t status)
{
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// Reads one event after its delta time; false when the track ends inside it.
bool readEvent(Reader &in, std::uint8_t &runningStatus, ScannedEvent &event)
{
    const auto first = in.peek();
    if (!first) {
        return false;
    }
    if (*first & 0x80) {
        event.status = *in.byte();
    } else if (runningStatus != 0) {
        event.status = runningStatus;
    } else {
        return false;
    }
    if (event.status == 0xFF) {
        const auto type = in.byte();
        const auto length = type ? in.varLen() : std::nullopt;
        const auto data = length ? in.take(*length) : std::nullopt;
        if (!data) {
            return false;
        }
        event.metaType = *type;
        event.data = *data;
        runningStatus = 0;
        return true;
    }
    if (event.status == 0xF0 || event.status == 0xF7) {
        const auto length = in.varLen();
        const auto data = length ? in.take(*length) : std::nullopt;
        if (!data) {
            return false;
        }
        event.data = *data;
        runningStatus = 0;
        return true;
    }
    if (event.status > 0xF0) {
        return false; // no length is known for other system messages
    }
    const auto data = in.take(static_cast<std::size_t>(channelDataLength(event.status)));
    if (!data) {
        return false;
    }
    event.data = *data;
    runningStatus = event.status;
    return true;
}

bool scanTrack(Reader in, std::vector<ScannedEvent> &events)
{
    std::uint32_t tick = 0;
    std::uint8_t runningStatus = 0;
    while (!in.atEnd()) {
        const auto delta = in.varLen();
        if (!delta) {
            return false;
        }
        tick += *delta;
        ScannedEvent event;
        event.tick = tick;
        if (!readEvent(in, runningStatus, event)) {
            return false;
        }
        events.push_back(std::move(event));
    }
    return true;
}

} // namespace

ScannedFile scanMidi(const Bytes &file)
{
    ScannedFile result;
    if (file.size() < 14 ||
        std::string_view(reinterpret_cast<const char *>(file.data()), 4) !=
            std::string_view("MThd") ||
        bigEndian(file, 4, 4) != 6) {
        result.error = "no header";
        return result;
    }
    result.format = static_cast<int>(bigEndian(file, 8, 2));
    result.declaredTracks = static_cast<int>(bigEndian(file, 10, 2));
    result.division = static_cast<int>(bigEndian(file, 12, 2));
    std::size_t pos = 14;
    while (pos < file.size()) {
        if (file.size() - pos < 8) {
            result.error = "truncated chunk header";
            return result;
        }
        const std::string_view type(reinterpret_cast<const char *>(file.data() + pos), 4);
        const std::size_t length = bigEndian(file, pos + 4, 4);
        pos += 8;
        if (file.size() - pos < length) {
            result.error = "truncated chunk";
            return result;
        }
        if (type == "MTrk") {
            result.tracks.emplace_back();
            if (!scanTrack(Reader(file, pos, pos + length), result.tracks.back())) {
                result.error = "bad event in track " + std::to_string(result.tracks.size() - 1);
                return result;
            }
        }
        pos += length;
    }
    result.ok = true;
    return result;
}

} // namespace melorit::fixtures
