#include "audio/Playback.h"

#include "audio/Error.h"
#include "audio/Format.h"
#include "audio/StreamEngine.h"
#include "audio/SyncDispatcher.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace melorit::audio {

namespace {

// The engine the calling thread renders, so that a stream's own sync and DSP
// routines, which run inside the rendering, act on it directly.
thread_local const StreamEngine *t_rendering = nullptr;

// The most the renderer makes in one pull of the paced (dummy) device, to
// catch up after a late call.
constexpr std::size_t kScratchFrames = 8192;
// How long the audio thread tries for the lock before it leaves the stream
// out of one block.
constexpr int kLockTries = 200;

std::int64_t framesIn(std::int64_t ns)
{
    return ns <= 0 ? 0 : ns * kSampleRate / 1'000'000'000;
}

class RenderingScope {
public:
    explicit RenderingScope(const StreamEngine *engine) : m_previous(t_rendering)
    {
        t_rendering = engine;
    }
    ~RenderingScope() { t_rendering = m_previous; }
    RenderingScope(const RenderingScope &) = delete;
    RenderingScope &operator=(const RenderingScope &) = delete;

private:
    const StreamEngine *m_previous;
};

} // namespace

Playback::Playback(StreamEngine &engine, std::uint64_t streamId)
    : m_engine(engine), m_streamId(streamId), m_scratch(kScratchFrames * kChannels)
{
}

Playback::~Playback()
{
    pause();
}

bool Playback::isRenderingHere(const StreamEngine *engine)
{
    return engine && t_rendering == engine;
}

bool Playback::play(bool restart)
{
    {
        std::lock_guard lock(m_mutex);
        if (restart || m_engine.finished()) {
            if (!m_engine.seekFrame(0)) {
                return false;
            }
        }
        drainEvents();
        restartClock(detail::steadyNowNs());
        m_playing.store(true, std::memory_order_release);
    }
    if (!m_attached) {
        bool paced = true;
        if (!detail::attachToDevice(this, &paced)) {
            m_playing.store(false, std::memory_order_release);
            return detail::fail(Error::Init);
        }
        std::lock_guard lock(m_mutex);
        m_paced = paced;
        m_attached = true;
    }
    return detail::succeed();
}

void Playback::pause()
{
    {
        std::lock_guard lock(m_mutex);
        m_playing.store(false, std::memory_order_release);
        drainEvents();
    }
    if (m_attached) {
        detail::detachFromDevice(this);
        m_attached = false;
    }
}

std::int64_t Playback::heardFrame(std::int64_t nowNs) const
{
    const std::int64_t rendered = m_engine.frame();
    if (!m_playing.load(std::memory_order_acquire)) {
        return rendered;
    }
    std::int64_t heard = m_anchorFrame;
    if (m_paced) {
        heard = m_anchorFrame + framesIn(nowNs - m_anchorNs);
    } else if (m_blockNs >= m_anchorNs) {
        heard = std::max(m_anchorFrame,
                         m_blockBase + std::min(framesIn(nowNs - m_blockNs), m_blockFrames));
    }
    return std::min(heard, rendered);
}

bool Playback::isActive(std::int64_t nowNs) const
{
    if (!m_playing.load(std::memory_order_acquire)) {
        return false;
    }
    return !m_engine.finished() || heardFrame(nowNs) < m_engine.frame();
}

void Playback::restartClock(std::int64_t nowNs)
{
    m_anchorFrame = m_engine.frame();
    m_anchorNs = nowNs;
    m_blockNs = -1;
    ++m_generation;
}

bool Playback::queueEvent(int channel, MidiEvent event, std::uint32_t param)
{
    const std::size_t tail = m_queueTail.load(std::memory_order_relaxed);
    const std::size_t next = (tail + 1) % kQueueSize;
    if (next == m_queueHead.load(std::memory_order_acquire)) {
        return false;
    }
    m_queue[tail] = {channel, event, param};
    m_queueTail.store(next, std::memory_order_release);
    return true;
}

void Playback::drainEvents()
{
    std::size_t head = m_queueHead.load(std::memory_order_relaxed);
    const std::size_t tail = m_queueTail.load(std::memory_order_acquire);
    while (head != tail) {
        const QueuedEvent &e = m_queue[head];
        m_engine.sendEvent(e.channel, e.event, e.param);
        head = (head + 1) % kQueueSize;
    }
    m_queueHead.store(head, std::memory_order_release);
}

void Playback::pull(std::int32_t *mix, std::size_t frames, const DeviceBlock &block)
{
    std::unique_lock lock(m_mutex, std::try_to_lock);
    for (int i = 0; !lock.owns_lock() && i < kLockTries; ++i) {
        std::this_thread::yield();
        lock.try_lock();
    }
    if (!lock.owns_lock() || !m_playing.load(std::memory_order_acquire) || m_engine.finished()) {
        return;
    }
    const RenderingScope scope(&m_engine);
    drainEvents();
    const std::int64_t before = m_engine.frame();
    std::size_t want = frames;
    if (block.paced) {
        // Silent device: render up to one block ahead of the clock, whatever
        // the pace of SDL's dummy driver, so the song follows real time.
        const std::int64_t target =
            m_anchorFrame + framesIn(block.nowNs - m_anchorNs) + static_cast<std::int64_t>(frames);
        want = static_cast<std::size_t>(std::clamp<std::int64_t>(
            target - before, 0, static_cast<std::int64_t>(kScratchFrames)));
    }
    const std::size_t got = m_engine.render(m_scratch.data(), std::min(want, kScratchFrames));
    m_blockBase = std::max(m_anchorFrame, before - block.latency);
    m_blockNs = block.nowNs;
    m_blockFrames = static_cast<std::int64_t>(got) + block.latency;
    if (block.paced) {
        return; // nobody hears the dummy device
    }
    const std::size_t n = std::min(got, frames) * kChannels;
    for (std::size_t i = 0; i < n; ++i) {
        mix[i] += m_scratch[i];
    }
}

void Playback::post(SyncId sync, std::uint32_t data)
{
    detail::postHeardSync({m_streamId, m_generation, m_engine.frame(), sync, data});
}

} // namespace melorit::audio
