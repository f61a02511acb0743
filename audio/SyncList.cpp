#include "audio/SyncList.h"

namespace melorit::audio {

SyncId SyncList::add(SyncType type, std::uint64_t param, SyncProc proc, SyncTiming timing)
{
    const SyncId id = m_nextId++;
    m_entries.push_back({id, type, param, timing, std::move(proc)});
    if (type == SyncType::MidiEvent) {
        ++m_eventSyncs;
    }
    return id;
}

bool SyncList::remove(SyncId id)
{
    for (Entry &entry : m_entries) {
        if (entry.id == id && !entry.removed) {
            entry.removed = true;
            if (entry.type == SyncType::MidiEvent) {
                --m_eventSyncs;
            }
            return true;
        }
    }
    return false;
}

bool SyncList::run(SyncId id, std::uint32_t data)
{
    for (Entry &entry : m_entries) {
        if (entry.id == id) {
            if (entry.removed) {
                return false;
            }
            entry.proc(data);
            return true;
        }
    }
    return false;
}

SyncProc SyncList::procOf(SyncId id) const
{
    for (const Entry &entry : m_entries) {
        if (entry.id == id) {
            return entry.removed ? SyncProc{} : entry.proc;
        }
    }
    return {};
}

void SyncList::deliver(Entry &entry, std::uint32_t data)
{
    if (entry.timing == SyncTiming::Heard && m_poster) {
        m_poster->post(entry.id, data);
    } else {
        entry.proc(data);
    }
}

template <typename Match> void SyncList::fire(SyncType type, std::uint32_t data, Match match)
{
    // By index: a callback may add syncs, which are not fired for this moment.
    const std::size_t count = m_entries.size();
    for (std::size_t i = 0; i < count; ++i) {
        Entry &entry = m_entries[i];
        if (!entry.removed && entry.type == type && match(entry)) {
            deliver(entry, data);
        }
    }
}

void SyncList::fireEnd()
{
    fire(SyncType::End, 0, [](const Entry &) { return true; });
}

void SyncList::fireMark(MarkType type, std::uint32_t index)
{
    static constexpr SyncType kTypes[] = {SyncType::Marker, SyncType::Cue, SyncType::Lyric,
                                          SyncType::Text};
    fire(kTypes[static_cast<int>(type)], index, [](const Entry &) { return true; });
}

void SyncList::fireEvent(MidiEvent event, int channel, std::uint32_t param)
{
    if (m_eventSyncs == 0) {
        return;
    }
    const std::uint32_t data = (static_cast<std::uint32_t>(channel) << 16) | (param & 0xFFFF);
    fire(SyncType::MidiEvent, data,
         [event](const Entry &entry) { return entry.param == static_cast<std::uint64_t>(event); });
}

void SyncList::firePositions(std::int64_t fromByte, std::int64_t toByte)
{
    fire(SyncType::Position, 0, [fromByte, toByte](const Entry &entry) {
        const auto position = static_cast<std::int64_t>(entry.param);
        return position > fromByte && position <= toByte;
    });
}

std::optional<std::int64_t> SyncList::nextPosition(std::int64_t fromByte) const
{
    std::optional<std::int64_t> next;
    for (const Entry &entry : m_entries) {
        const auto position = static_cast<std::int64_t>(entry.param);
        if (!entry.removed && entry.type == SyncType::Position && position > fromByte &&
            (!next || position < *next)) {
            next = position;
        }
    }
    return next;
}

} // namespace melorit::audio
