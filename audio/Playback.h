#pragma once

#include "audio/MidiEvent.h"
#include "audio/Sync.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace melorit::audio {

class StreamEngine;

// How the device calls a stream: its timing model and the time of the call.
struct DeviceBlock {
    std::int64_t nowNs = 0;   // steady clock
    bool paced = false;       // dummy driver: follow the clock, not the pulls
    std::int64_t latency = 0; // frames queued after the block handed over
};

// The playing side of a MIDI stream. The device's callback renders the
// engine under the stream's lock, which it only tries to take (with a short
// bounded spin) so the audio thread never waits for the UI thread; UI-thread
// operations on a playing stream hold that lock for a few microseconds
// (seeks and font changes longer). Events sent while playing go through a
// preallocated lock-free queue that the renderer drains at each block, and
// syncs heard on the UI thread leave through the SyncDispatcher's queue,
// stamped with the frame they belong to. Internal to the library.
class Playback final : public SyncPoster {
public:
    Playback(StreamEngine &engine, std::uint64_t streamId);
    ~Playback() override;
    Playback(const Playback &) = delete;
    Playback &operator=(const Playback &) = delete;

    std::recursive_mutex &mutex() { return m_mutex; }
    std::uint64_t streamId() const { return m_streamId; }

    // UI thread, without the lock held.
    bool play(bool restart);
    void pause();
    // UI thread; takes the lock.
    bool isPlaying() const { return m_playing.load(std::memory_order_acquire); }
    // Playing and not everything rendered heard yet. Lock held.
    bool isActive(std::int64_t nowNs) const;
    // The frame being heard now. Lock held.
    std::int64_t heardFrame(std::int64_t nowNs) const;
    // After a seek: the clock restarts at the engine's frame and queued syncs
    // of the old position are dropped. Lock held.
    void restartClock(std::int64_t nowNs);
    std::uint32_t generation() const { return m_generation; }

    // UI thread: false when the queue is full.
    bool queueEvent(int channel, MidiEvent event, std::uint32_t param);
    // Applies the queued events to the engine. Lock held.
    void drainEvents();

    // Audio thread: renders the next block and adds it to mix (interleaved).
    void pull(std::int32_t *mix, std::size_t frames, const DeviceBlock &block);
    // Rendering thread (SyncPoster).
    void post(SyncId sync, std::uint32_t data) override;

    // Whether the calling thread is rendering this engine right now (a sync
    // or DSP routine calling back into its stream). Any thread.
    static bool isRenderingHere(const StreamEngine *engine);
    // Called by the device when it stops. Audio lock held.
    void deviceGone()
    {
        m_playing.store(false, std::memory_order_release);
        m_attached = false;
    }

private:
    struct QueuedEvent {
        int channel;
        MidiEvent event;
        std::uint32_t param;
    };
    static constexpr std::size_t kQueueSize = 1024;

    StreamEngine &m_engine;
    const std::uint64_t m_streamId;
    mutable std::recursive_mutex m_mutex;
    std::atomic<bool> m_playing{false};
    bool m_attached = false;

    // Clock, under the lock.
    std::int64_t m_anchorFrame = 0; // frame heard at m_anchorNs
    std::int64_t m_anchorNs = 0;
    std::int64_t m_blockBase = 0; // frame heard when the last block was pulled
    std::int64_t m_blockNs = -1;
    std::int64_t m_blockFrames = 0;
    bool m_paced = true;
    std::int64_t m_pausedFrame = 0;
    std::uint32_t m_generation = 0;

    std::array<QueuedEvent, kQueueSize> m_queue{};
    std::atomic<std::size_t> m_queueHead{0}; // next read (renderer)
    std::atomic<std::size_t> m_queueTail{0}; // next write (UI thread)

    std::vector<std::int16_t> m_scratch;
};

namespace detail {
// The device's list of playing streams (Device.cpp). UI thread.
bool attachToDevice(Playback *playback, bool *paced);
void detachFromDevice(Playback *playback);
std::int64_t steadyNowNs();
} // namespace detail

} // namespace melorit::audio
