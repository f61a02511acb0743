#pragma once

#include "audio/MidiEvent.h"
#include "audio/SongEvent.h"
#include "audio/Sync.h"

#include <deque>
#include <optional>

namespace melorit::audio {

// The syncs set on a stream and their firing. Entries never move once added,
// so a callback may add or remove syncs while another runs. Internal.
class SyncList {
public:
    SyncId add(SyncType type, std::uint64_t param, SyncProc proc, SyncTiming timing);
    bool remove(SyncId id);
    // Runs a sync of SyncTiming::Heard that a SyncPoster delivered.
    bool run(SyncId id, std::uint32_t data);
    // The routine of a sync still set (empty otherwise), to run elsewhere.
    SyncProc procOf(SyncId id) const;
    void setPoster(SyncPoster *poster) { m_poster = poster; }

    void fireEnd();
    void fireMark(MarkType type, std::uint32_t index);
    void fireEvent(MidiEvent event, int channel, std::uint32_t param);
    // Position syncs whose byte position lies in (fromByte, toByte].
    void firePositions(std::int64_t fromByte, std::int64_t toByte);
    // The byte position of the first position sync after fromByte, if any.
    std::optional<std::int64_t> nextPosition(std::int64_t fromByte) const;

    bool hasEventSyncs() const { return m_eventSyncs > 0; }

private:
    struct Entry {
        SyncId id;
        SyncType type;
        std::uint64_t param;
        SyncTiming timing;
        SyncProc proc;
        bool removed = false;
    };

    template <typename Match> void fire(SyncType type, std::uint32_t data, Match match);
    void deliver(Entry &entry, std::uint32_t data);

    std::deque<Entry> m_entries;
    SyncId m_nextId = 1;
    int m_eventSyncs = 0;
    SyncPoster *m_poster = nullptr;
};

} // namespace melorit::audio
