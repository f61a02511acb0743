#include "audio/Device.h"

#include "audio/Error.h"
#include "audio/Format.h"
#include "audio/Playback.h"
#include "audio/SyncDispatcher.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace melorit::audio {

namespace {

// 512 frames a pull: about 12 ms, with SDL's own buffer about 23 ms queued.
constexpr int kDeviceFrames = 512;
constexpr std::size_t kMaxStreams = 32;

struct Device {
    SDL_AudioDeviceID id = 0;
    bool dummy = false;
    bool fallback = false; // dummy because nothing else opened
    // Nobody hears it (the dummy driver, or the disk driver writing a file):
    // streams follow the steady clock, not the driver's pulls.
    bool paced = false;
    int frames = kDeviceFrames;
    std::vector<Playback *> streams; // changed with the device locked
    std::vector<std::int32_t> mix;
};

Device g_device;

std::int16_t clampSample(std::int32_t value)
{
    return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

// Audio thread (SDL holds the device lock around it).
void deviceCallback(void *, Uint8 *stream, int len)
{
    const auto frames =
        std::min(static_cast<std::size_t>(len) / kBytesPerFrame, g_device.mix.size() / kChannels);
    std::fill_n(g_device.mix.begin(), frames * kChannels, 0);
    DeviceBlock block;
    block.nowNs = detail::steadyNowNs();
    block.paced = g_device.paced;
    block.latency = g_device.paced ? 0 : g_device.frames;
    for (Playback *playback : g_device.streams) {
        playback->pull(g_device.mix.data(), frames, block);
    }
    auto *out = reinterpret_cast<std::int16_t *>(stream);
    for (std::size_t i = 0; i < frames * kChannels; ++i) {
        out[i] = clampSample(g_device.mix[i]);
    }
    std::memset(stream + frames * kBytesPerFrame, 0,
                static_cast<std::size_t>(len) - frames * kBytesPerFrame);
    detail::wakeDispatcherIfPending();
}

SDL_AudioDeviceID openDevice(SDL_AudioSpec *have)
{
    SDL_AudioSpec want{};
    want.freq = kSampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = kChannels;
    want.samples = kDeviceFrames;
    want.callback = deviceCallback;
    return SDL_OpenAudioDevice(nullptr, 0, &want, have, 0);
}

bool startSdlAudio()
{
    // SDL would otherwise take SIGINT and SIGTERM for its event queue, which
    // nothing reads here: the program could no longer be ended by them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

} // namespace

namespace detail {

std::int64_t steadyNowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool attachToDevice(Playback *playback, bool *paced)
{
    if (g_device.id == 0 || g_device.streams.size() >= kMaxStreams) {
        return false;
    }
    SDL_LockAudioDevice(g_device.id);
    g_device.streams.push_back(playback); // capacity reserved: no allocation
    SDL_UnlockAudioDevice(g_device.id);
    *paced = g_device.paced;
    return true;
}

void detachFromDevice(Playback *playback)
{
    if (g_device.id == 0) {
        return;
    }
    SDL_LockAudioDevice(g_device.id);
    std::erase(g_device.streams, playback);
    SDL_UnlockAudioDevice(g_device.id);
}

} // namespace detail

bool Init(int frequency)
{
    if (g_device.id != 0) {
        return detail::fail(Error::Already);
    }
    if (frequency != kSampleRate) {
        return detail::fail(Error::Freq);
    }
    SyncDispatcher::instance(); // its queue exists before the audio thread posts
    SDL_AudioSpec have{};
    if (startSdlAudio()) {
        g_device.id = openDevice(&have);
        if (g_device.id == 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }
    if (g_device.id == 0) {
        // No sound card or sound server: play silently in real time.
        std::fputs("melorit: no usable sound device, playing silently (SDL dummy audio driver)\n",
                   stderr);
        // Over a driver named in SDL_AUDIODRIVER too: the environment wins
        // over a hint of ordinary priority.
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        if (startSdlAudio()) {
            g_device.id = openDevice(&have);
            if (g_device.id == 0) {
                SDL_QuitSubSystem(SDL_INIT_AUDIO);
            }
        }
        if (g_device.id == 0) {
            return detail::fail(Error::Device);
        }
        g_device.fallback = true;
    }
    const char *driver = SDL_GetCurrentAudioDriver();
    g_device.dummy = driver && std::strcmp(driver, "dummy") == 0;
    g_device.paced = g_device.dummy || (driver && std::strcmp(driver, "disk") == 0);
    g_device.frames = have.samples > 0 ? have.samples : kDeviceFrames;
    g_device.mix.assign(static_cast<std::size_t>(g_device.frames) * kChannels, 0);
    g_device.streams.clear();
    g_device.streams.reserve(kMaxStreams);
    SDL_PauseAudioDevice(g_device.id, 0);
    return detail::succeed();
}

void Free()
{
    if (g_device.id == 0) {
        detail::setLastError(Error::Init);
        return;
    }
    SDL_LockAudioDevice(g_device.id);
    for (Playback *playback : g_device.streams) {
        playback->deviceGone();
    }
    g_device.streams.clear();
    SDL_UnlockAudioDevice(g_device.id);
    SDL_CloseAudioDevice(g_device.id);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_device.id = 0;
    g_device.dummy = false;
    g_device.fallback = false;
    g_device.paced = false;
    detail::setLastError(Error::Ok);
}

std::uint32_t GetVersion()
{
    return 0x02040001;
}

bool isInitialised()
{
    return g_device.id != 0;
}

bool isDummyDevice()
{
    return g_device.id != 0 && g_device.dummy;
}

bool isSilentFallback()
{
    return g_device.id != 0 && g_device.fallback;
}

int outputLatencyFrames()
{
    return g_device.id != 0 && !g_device.paced ? g_device.frames : 0;
}

} // namespace melorit::audio
