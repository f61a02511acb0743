#include "audio/Capture.h"

#include "audio/Device.h"
#include "audio/Error.h"
#include "audio/Playback.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace melorit::audio {

namespace {

// Capture thread (SDL's): the block is in the format asked for.
void captureCallback(void *user, Uint8 *stream, int len)
{
    const auto count = static_cast<std::size_t>(std::max(len, 0)) / sizeof(float);
    static_cast<Capture *>(user)->write(
        std::span<const float>(reinterpret_cast<const float *>(stream), count),
        detail::steadyNowNs());
}

} // namespace

std::vector<std::string> captureDeviceNames()
{
    std::vector<std::string> names;
    if (!isInitialised() || isDummyDevice()) {
        return names;
    }
    const int count = SDL_GetNumAudioDevices(1);
    for (int i = 0; i < count; ++i) {
        if (const char *name = SDL_GetAudioDeviceName(i, 1)) {
            names.emplace_back(name);
        }
    }
    return names;
}

std::unique_ptr<Capture> Capture::open(const std::string &deviceName)
{
    if (!isInitialised()) {
        detail::setLastError(Error::Init);
        return nullptr;
    }
    // The silent driver "captures" silence: no microphone is there.
    if (isDummyDevice()) {
        detail::setLastError(Error::Device);
        return nullptr;
    }
    std::unique_ptr<Capture> capture(new Capture);
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_F32SYS;
    want.channels = 1;
    const char *driver = SDL_GetCurrentAudioDriver();
    const bool disk = driver && std::strcmp(driver, "disk") == 0;
    want.samples = disk ? kDiskBlockFrames : kBlockFrames;
    want.callback = captureCallback;
    want.userdata = capture.get();
    SDL_AudioSpec have{};
    capture->m_device =
        SDL_OpenAudioDevice(deviceName.empty() ? nullptr : deviceName.c_str(), 1, &want, &have, 0);
    if (capture->m_device == 0) {
        detail::setLastError(Error::Device);
        return nullptr;
    }
    capture->m_blockFrames = have.samples > 0 ? have.samples : kBlockFrames;
    detail::setLastError(Error::Ok);
    return capture;
}

Capture::~Capture()
{
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
    }
}

void Capture::start()
{
    SDL_PauseAudioDevice(m_device, 0);
}

void Capture::write(std::span<const float> samples, std::int64_t nowNs)
{
    const std::uint64_t at = m_written.load(std::memory_order_relaxed);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        m_ring[(at + i) & (kRingFrames - 1)] = samples[i];
    }
    const std::uint64_t end = at + samples.size();
    m_written.store(end, std::memory_order_release);
    m_stampSeq.fetch_add(1, std::memory_order_acq_rel);
    m_stampFrames.store(end, std::memory_order_relaxed);
    m_stampNs.store(nowNs, std::memory_order_relaxed);
    m_stampSeq.fetch_add(1, std::memory_order_release);
}

CaptureRead Capture::read(std::span<float> out)
{
    const std::uint64_t written = m_written.load(std::memory_order_acquire);
    if (written - m_read > kRingFrames) {
        m_lost += written - m_read - kRingFrames;
        m_read = written - kRingFrames;
    }
    const auto count =
        static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), written - m_read));
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = m_ring[(m_read + i) & (kRingFrames - 1)];
    }
    // What the writer overwrote while it was copied is not handed out.
    const std::uint64_t now = m_written.load(std::memory_order_acquire);
    const std::uint64_t firstValid = now > kRingFrames ? now - kRingFrames : 0;
    std::size_t skip = 0;
    if (m_read < firstValid) {
        skip = static_cast<std::size_t>(std::min<std::uint64_t>(firstValid - m_read, count));
        std::copy(out.begin() + static_cast<std::ptrdiff_t>(skip),
                  out.begin() + static_cast<std::ptrdiff_t>(count), out.begin());
        m_lost += skip;
    }
    CaptureRead result{count - skip, m_read + skip};
    m_read += count;
    return result;
}

CaptureClock Capture::clock() const
{
    for (;;) {
        const std::uint32_t before = m_stampSeq.load(std::memory_order_acquire);
        const CaptureClock stamp{m_stampFrames.load(std::memory_order_relaxed),
                                 m_stampNs.load(std::memory_order_relaxed)};
        std::atomic_thread_fence(std::memory_order_acquire);
        if ((before & 1u) == 0 && m_stampSeq.load(std::memory_order_relaxed) == before) {
            return stamp;
        }
    }
}

} // namespace melorit::audio
