#pragma once

// Plays fixtures through the real FluidSynth for the tests: a synthesizer at 44100 Hz
// without an audio driver, rendered block by block, and a MIDI file player driven by
// the rendered samples rather than the wall clock.

#include "tests/support/Bytes.h"

#include <fluidsynth.h>

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace melorit::fixtures {

inline constexpr int kRenderRate = 44100;

// Sends FluidSynth's log messages to a list instead of the terminal.
void captureFluidLogs();
std::vector<std::string> fluidLogMessages();

class FluidSession {
public:
    FluidSession();
    ~FluidSession();
    FluidSession(const FluidSession &) = delete;
    FluidSession &operator=(const FluidSession &) = delete;

    fluid_synth_t *synth() const { return m_synth; }
    // The font id, or -1 when FluidSynth refuses the file.
    int loadFont(const std::filesystem::path &path);
    // Interleaved stereo.
    std::vector<float> render(std::size_t frames);

private:
    fluid_settings_t *m_settings = nullptr;
    fluid_synth_t *m_synth = nullptr;
};

// An event as FluidSynth's player read it from the file.
struct PlayedEvent {
    int type = 0; // 0x80-0xE0 channel messages, 0xF0 sysex, 0x01 text, 0x05 lyric, 0x51 tempo
    int channel = 0;
    int key = 0;      // or controller number, or program
    int value = 0;    // velocity, controller value, pressure, pitch bend, tempo
    std::string text; // text and lyric bytes
};

struct PlayResult {
    bool loaded = false;
    bool finished = false; // the player reached the end before the time limit
    // Frames rendered when the player reached the file's last tick, within one render
    // block. FluidSynth's player goes on for at least two seconds after it, and as long
    // as notes still ring.
    std::size_t framesToLastTick = 0;
    std::vector<float> audio;
    std::vector<PlayedEvent> events;
};

PlayResult playMidi(FluidSession &session, const Bytes &file, double maxSeconds);

// Root mean square of both channels over a range of frames.
double rms(const std::vector<float> &stereo, std::size_t firstFrame = 0,
           std::size_t frameCount = std::numeric_limits<std::size_t>::max());

// The frequency of a steady tone on the left channel, from its rising zero crossings.
double toneFrequency(const std::vector<float> &stereo, std::size_t firstFrame);

} // namespace melorit::fixtures
