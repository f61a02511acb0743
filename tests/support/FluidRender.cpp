#include "tests/support/FluidRender.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace melorit::fixtures {

namespace {

std::mutex g_logMutex;
std::vector<std::string> g_logMessages;

void collectLog(int level, const char *message, void *)
{
    const std::lock_guard lock(g_logMutex);
    g_logMessages.push_back(std::to_string(level) + ": " + (message ? message : ""));
}

struct PlayerContext {
    fluid_synth_t *synth;
    std::vector<PlayedEvent> *events;
};

PlayedEvent describe(fluid_midi_event_t *event)
{
    PlayedEvent played;
    played.type = fluid_midi_event_get_type(event);
    played.channel = fluid_midi_event_get_channel(event);
    switch (played.type & 0xF0) {
    case 0xC0:
        played.key = fluid_midi_event_get_program(event);
        break;
    case 0xD0:
        // FluidSynth keeps the pressure, like the tempo of a 0x51 event, in its first
        // parameter, which get_key reads.
        played.value = fluid_midi_event_get_key(event);
        break;
    case 0xE0:
        played.value = fluid_midi_event_get_pitch(event);
        break;
    case 0x50:
        played.value = fluid_midi_event_get_key(event);
        break;
    case 0x00:
        break;
    default:
        played.key = fluid_midi_event_get_key(event);
        played.value = fluid_midi_event_get_value(event);
        break;
    }
    void *data = nullptr;
    int size = 0;
    if ((played.type == 0x01 && fluid_midi_event_get_text(event, &data, &size) == FLUID_OK) ||
        (played.type == 0x05 && fluid_midi_event_get_lyrics(event, &data, &size) == FLUID_OK)) {
        played.text.assign(static_cast<const char *>(data), static_cast<std::size_t>(size));
        // FluidSynth's reader adds a terminating zero to the file's bytes.
        if (!played.text.empty() && played.text.back() == '\0') {
            played.text.pop_back();
        }
    }
    return played;
}

int recordAndPlay(void *data, fluid_midi_event_t *event)
{
    auto *context = static_cast<PlayerContext *>(data);
    context->events->push_back(describe(event));
    fluid_synth_handle_midi_event(context->synth, event);
    return FLUID_OK; // text events are not for the synthesizer; that is no failure
}

} // namespace

void captureFluidLogs()
{
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) {
        fluid_set_log_function(level, collectLog, nullptr);
    }
}

std::vector<std::string> fluidLogMessages()
{
    const std::lock_guard lock(g_logMutex);
    return g_logMessages;
}

FluidSession::FluidSession()
{
    captureFluidLogs();
    m_settings = new_fluid_settings();
    fluid_settings_setnum(m_settings, "synth.sample-rate", kRenderRate);
    fluid_settings_setstr(m_settings, "player.timing-source", "sample");
    fluid_settings_setint(m_settings, "synth.lock-memory", 0);
    m_synth = new_fluid_synth(m_settings);
}

FluidSession::~FluidSession()
{
    delete_fluid_synth(m_synth);
    delete_fluid_settings(m_settings);
}

int FluidSession::loadFont(const std::filesystem::path &path)
{
    const int id = fluid_synth_sfload(m_synth, path.c_str(), 1);
    return id == FLUID_FAILED ? -1 : id;
}

std::vector<float> FluidSession::render(std::size_t frames)
{
    std::vector<float> out(2 * frames);
    fluid_synth_write_float(m_synth, static_cast<int>(frames), out.data(), 0, 2, out.data(), 1, 2);
    return out;
}

PlayResult playMidi(FluidSession &session, const Bytes &file, double maxSeconds)
{
    constexpr std::size_t kBlock = 1024;
    PlayResult result;
    fluid_player_t *player = new_fluid_player(session.synth());
    PlayerContext context{session.synth(), &result.events};
    fluid_player_set_playback_callback(player, recordAndPlay, &context);
    result.loaded = fluid_player_add_mem(player, file.data(), file.size()) == FLUID_OK &&
                    fluid_player_play(player) == FLUID_OK;
    const auto limit = static_cast<std::size_t>(maxSeconds * kRenderRate);
    while (result.loaded && fluid_player_get_status(player) == FLUID_PLAYER_PLAYING &&
           result.audio.size() / 2 < limit) {
        const std::vector<float> block = session.render(kBlock);
        result.audio.insert(result.audio.end(), block.begin(), block.end());
        if (result.framesToLastTick == 0 &&
            fluid_player_get_current_tick(player) >= fluid_player_get_total_ticks(player)) {
            result.framesToLastTick = result.audio.size() / 2;
        }
    }
    result.finished = result.loaded && fluid_player_get_status(player) == FLUID_PLAYER_DONE;
    fluid_player_stop(player);
    delete_fluid_player(player);
    return result;
}

double rms(const std::vector<float> &stereo, std::size_t firstFrame, std::size_t frameCount)
{
    const std::size_t begin = std::min(stereo.size(), 2 * firstFrame);
    const std::size_t end =
        std::min(stereo.size(), begin + 2 * std::min(frameCount, stereo.size()));
    if (end <= begin) {
        return 0.0;
    }
    double sum = 0.0;
    for (std::size_t i = begin; i < end; ++i) {
        sum += static_cast<double>(stereo[i]) * stereo[i];
    }
    return std::sqrt(sum / static_cast<double>(end - begin));
}

double toneFrequency(const std::vector<float> &stereo, std::size_t firstFrame)
{
    std::size_t first = 0;
    std::size_t last = 0;
    int crossings = 0;
    for (std::size_t frame = firstFrame + 1; 2 * frame < stereo.size(); ++frame) {
        if (stereo[2 * (frame - 1)] < 0.0f && stereo[2 * frame] >= 0.0f) {
            if (crossings == 0) {
                first = frame;
            }
            last = frame;
            ++crossings;
        }
    }
    if (crossings < 2) {
        return 0.0;
    }
    return kRenderRate * static_cast<double>(crossings - 1) / static_cast<double>(last - first);
}

} // namespace melorit::fixtures
