#pragma once

#include <cstdint>

namespace melorit::audio {

// The sound device: SDL2 audio at 44100 Hz, 16-bit stereo, pulled by SDL's
// callback thread in blocks of 512 frames (about 12 ms; with SDL's own buffer
// about 23 ms are queued). When no usable device exists the library falls
// back to SDL's "dummy" driver, silent and paced in real time, so songs still
// play, their syncs arrive and the clock runs; one line on standard error says
// so. Playing streams (MidiStream with Options::decode = false) are mixed into
// the device while they play. SDL's disk driver (SDL_AUDIODRIVER=disk, a file
// instead of a sound card, and a file as the microphone) is silent too: songs
// follow the steady clock on it as on the dummy driver.

// Starts the device once. Only 44100 Hz is taken (Error::Freq otherwise);
// Error::Already when started, Error::Device when SDL cannot open even its
// dummy driver. UI thread.
bool Init(int frequency = 44100);
// Stops the device; streams still playing stop too. UI thread.
void Free();
// 0x0204xxxx: the interface version the program checks at start-up (high
// 16 bits 0x0204). Any thread.
std::uint32_t GetVersion();
// UI thread.
bool isInitialised();
// Whether the silent dummy driver is in use. UI thread.
bool isDummyDevice();
// Whether it is in use because no sound device could be opened (not because
// SDL_AUDIODRIVER asked for it). UI thread.
bool isSilentFallback();
// Frames the device holds after a block is handed over: how much later than
// it is rendered the sound comes out (0 for the silent drivers, which the
// library paces itself). UI thread.
int outputLatencyFrames();

} // namespace melorit::audio
