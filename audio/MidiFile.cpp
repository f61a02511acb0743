#include "audio/MidiFile.h"

#include "audio/MidiFileData.h"

namespace melorit::audio {

MidiFile::MidiFile(std::unique_ptr<Data> data) : m_data(std::move(data))
{
}
MidiFile::~MidiFile() = default;

int MidiFile::format() const
{
    return m_data->format;
}

int MidiFile::trackCount() const
{
    return m_data->trackCount;
}

double MidiFile::ticksPerQuarter() const
{
    return m_data->tempoMap.ticksPerQuarter();
}

std::uint32_t MidiFile::lengthTicks() const
{
    return m_data->lengthTicks;
}

bool MidiFile::damaged() const
{
    return m_data->damaged;
}

const TempoMap &MidiFile::tempoMap() const
{
    return m_data->tempoMap;
}

std::span<const SongEvent> MidiFile::events() const
{
    return m_data->events;
}

std::size_t MidiFile::markCount(MarkType type) const
{
    const auto t = static_cast<std::size_t>(type);
    return t < m_data->marks.size() ? m_data->marks[t].size() : 0;
}

std::optional<MarkInfo> MidiFile::mark(MarkType type, std::size_t index) const
{
    if (index >= markCount(type)) {
        return std::nullopt;
    }
    const Data::MarkRecord &r = m_data->marks[static_cast<std::size_t>(type)][index];
    return MarkInfo{r.track, r.tick,
                    std::string_view(m_data->texts).substr(r.textOffset, r.textLength)};
}

std::vector<NoteEvent> MidiFile::notes(int track) const
{
    std::vector<NoteEvent> result;
    for (const SongEvent &e : m_data->events) {
        if (e.track != track || e.kind != SongEvent::Kind::Channel) {
            continue;
        }
        if (e.command() == 0x90) {
            result.push_back({e.tick, e.channel(), e.data1, e.data2});
        } else if (e.command() == 0x80) {
            result.push_back({e.tick, e.channel(), e.data1, 0});
        }
    }
    return result;
}

std::string_view MidiFile::trackName(int track) const
{
    if (track < 0 || track >= static_cast<int>(m_data->trackNameOffsets.size()) ||
        m_data->trackNameOffsets[track] == ~0u) {
        return {};
    }
    return std::string_view(m_data->texts)
        .substr(m_data->trackNameOffsets[track], m_data->trackNameLengths[track]);
}

const SysexMessage &MidiFile::sysex(std::size_t index) const
{
    return m_data->sysex.at(index);
}

std::span<const std::uint8_t> MidiFile::sysexBytes(const SysexMessage &message) const
{
    return std::span<const std::uint8_t>(m_data->sysexBytes)
        .subspan(message.offset, message.length);
}

} // namespace melorit::audio
