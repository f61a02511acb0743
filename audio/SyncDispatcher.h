#pragma once

#include "audio/Sync.h"

#include <cstdint>

namespace melorit::audio {

// Delivers the syncs of playing streams that are not mixing-time syncs (end,
// position, marks, notes) on the UI thread, in stream order, once the moment
// they belong to is being heard. The audio thread queues them without
// allocating or locking; the program's event loop watches fd() (an eventfd,
// readable while syncs wait) and calls dispatch(), or calls dispatch() from a
// timer; the command line and the tests call it in a loop. Syncs of a stream
// that was freed, or of a position left by a seek, are dropped.
class SyncDispatcher {
public:
    static SyncDispatcher &instance();

    // The file descriptor to watch for reading. Any thread.
    static int fd();
    // Runs the syncs that are due; returns how many ran. Calls made from a
    // sync routine return 0 at once. UI thread.
    static int dispatch();
    // Syncs queued and not yet run. UI thread.
    static std::size_t pendingCount();
};

namespace detail {
struct HeardSync {
    std::uint64_t stream;
    std::uint32_t generation;
    std::int64_t frame;
    SyncId sync;
    std::uint32_t data;
};
// Rendering thread of a playing stream: queues a sync. Never blocks.
void postHeardSync(const HeardSync &sync);
// Audio thread: signals fd() when syncs wait.
void wakeDispatcherIfPending();
} // namespace detail

class MidiStream;
namespace detail {
// The playing streams whose syncs may be queued. UI thread.
void registerPlayingStream(std::uint64_t id, MidiStream *stream);
void unregisterPlayingStream(std::uint64_t id);
} // namespace detail

} // namespace melorit::audio
