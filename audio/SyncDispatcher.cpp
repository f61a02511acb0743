#include "audio/SyncDispatcher.h"

#include "audio/MidiStream.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <deque>
#include <sys/eventfd.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace melorit::audio {

namespace {

// Room for about 45 s of a busy song's note syncs between two dispatches.
constexpr std::size_t kRingSize = 16384;

struct DispatcherState {
    int fd = -1;
    // Single producer (the audio thread), single consumer (the UI thread).
    std::array<detail::HeardSync, kRingSize> ring{};
    std::atomic<std::size_t> head{0};
    std::atomic<std::size_t> tail{0};
    std::atomic<std::size_t> waiting{0};
    std::atomic<bool> signalled{false};
    // UI thread only.
    std::deque<detail::HeardSync> queue;
    std::unordered_map<std::uint64_t, MidiStream *> streams;
    bool dispatching = false;

    DispatcherState() : fd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
    ~DispatcherState()
    {
        if (fd >= 0) {
            close(fd);
        }
    }
    DispatcherState(const DispatcherState &) = delete;
    DispatcherState &operator=(const DispatcherState &) = delete;
};

DispatcherState &state()
{
    static DispatcherState s;
    return s;
}

void signal(DispatcherState &s)
{
    if (s.fd >= 0 && !s.signalled.exchange(true)) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(s.fd, &one, sizeof one);
    }
}

void clearSignal(DispatcherState &s)
{
    s.signalled.store(false);
    std::uint64_t count = 0;
    if (s.fd >= 0) {
        [[maybe_unused]] const auto got = read(s.fd, &count, sizeof count);
    }
}

void takeFromRing(DispatcherState &s)
{
    std::size_t head = s.head.load(std::memory_order_relaxed);
    const std::size_t tail = s.tail.load(std::memory_order_acquire);
    while (head != tail) {
        s.queue.push_back(s.ring[head]);
        head = (head + 1) % kRingSize;
    }
    s.head.store(head, std::memory_order_release);
}

} // namespace

SyncDispatcher &SyncDispatcher::instance()
{
    static SyncDispatcher dispatcher;
    state();
    return dispatcher;
}

int SyncDispatcher::fd()
{
    return state().fd;
}

std::size_t SyncDispatcher::pendingCount()
{
    DispatcherState &s = state();
    const std::size_t inRing = (s.tail.load() + kRingSize - s.head.load()) % kRingSize;
    return s.queue.size() + inRing;
}

int SyncDispatcher::dispatch()
{
    DispatcherState &s = state();
    if (s.dispatching) {
        return 0;
    }
    s.dispatching = true;
    clearSignal(s);
    takeFromRing(s);
    int ran = 0;
    // A stream whose next sync is not heard yet holds back its later ones.
    std::vector<std::uint64_t> held;
    for (auto it = s.queue.begin(); it != s.queue.end();) {
        const auto found = s.streams.find(it->stream);
        if (found == s.streams.end()) {
            it = s.queue.erase(it);
            continue;
        }
        if (std::find(held.begin(), held.end(), it->stream) != held.end()) {
            ++it;
            continue;
        }
        const auto due = found->second->postedSyncState(it->generation, it->frame);
        if (due == MidiStream::PostedSync::Stale) {
            it = s.queue.erase(it);
            continue;
        }
        if (due == MidiStream::PostedSync::Later) {
            held.push_back(it->stream);
            ++it;
            continue;
        }
        const detail::HeardSync sync = *it;
        it = s.queue.erase(it);
        // The routine may free streams (looked up again for each entry) and
        // add syncs; the queue itself is left alone while it runs.
        found->second->runPostedSync(sync.sync, sync.data);
        ++ran;
    }
    s.waiting.store(s.queue.size());
    s.dispatching = false;
    return ran;
}

namespace detail {

void postHeardSync(const HeardSync &sync)
{
    DispatcherState &s = state();
    const std::size_t tail = s.tail.load(std::memory_order_relaxed);
    const std::size_t next = (tail + 1) % kRingSize;
    if (next == s.head.load(std::memory_order_acquire)) {
        return; // full: the UI thread has not dispatched for a long time
    }
    s.ring[tail] = sync;
    s.tail.store(next, std::memory_order_release);
}

void wakeDispatcherIfPending()
{
    DispatcherState &s = state();
    if (s.waiting.load() > 0 ||
        s.head.load(std::memory_order_acquire) != s.tail.load(std::memory_order_acquire)) {
        signal(s);
    }
}

void registerPlayingStream(std::uint64_t id, MidiStream *stream)
{
    state().streams[id] = stream;
}

void unregisterPlayingStream(std::uint64_t id)
{
    state().streams.erase(id);
}

} // namespace detail

} // namespace melorit::audio
