#include "audio/Diagnostics.h"

#include <SDL.h>
#include <fluidsynth.h>

#include <deque>
#include <mutex>

namespace melorit::audio {

namespace {

constexpr std::size_t kKept = 100;

std::mutex g_mutex;
std::deque<std::string> g_messages;

void collect(int level, const char *message, void *)
{
    static constexpr const char *kLevels[] = {"panic", "error", "warning", "info", "debug"};
    if (level == FLUID_DBG) {
        return;
    }
    const char *name = level >= 0 && level <= FLUID_DBG ? kLevels[level] : "log";
    std::lock_guard lock(g_mutex);
    g_messages.push_back(std::string("fluidsynth ") + name + ": " + (message ? message : ""));
    if (g_messages.size() > kKept) {
        g_messages.pop_front();
    }
}

} // namespace

std::vector<std::string> diagnostics()
{
    std::lock_guard lock(g_mutex);
    return {g_messages.begin(), g_messages.end()};
}

void clearDiagnostics()
{
    std::lock_guard lock(g_mutex);
    g_messages.clear();
}

namespace detail {
void ensureFluidLogRouted()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) {
            fluid_set_log_function(level, collect, nullptr);
        }
    });
}
} // namespace detail

std::string synthesizerVersion()
{
    return fluid_version_str();
}

std::string outputLibraryVersion()
{
    SDL_version version;
    SDL_GetVersion(&version);
    return std::to_string(version.major) + '.' + std::to_string(version.minor) + '.' +
           std::to_string(version.patch);
}

std::vector<std::string> outputDrivers()
{
    std::vector<std::string> drivers;
    const int count = SDL_GetNumAudioDrivers();
    for (int i = 0; i < count; ++i) {
        drivers.emplace_back(SDL_GetAudioDriver(i));
    }
    return drivers;
}

std::string currentOutputDriver()
{
    const char *driver = SDL_GetCurrentAudioDriver();
    return driver != nullptr ? driver : std::string();
}

} // namespace melorit::audio
