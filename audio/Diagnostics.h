#pragma once

#include <string>
#include <vector>

namespace melorit::audio {

// FluidSynth's own messages (warnings about a SoundFont, for instance), kept
// here rather than printed to the terminal; the program shows them in its
// system report. The last 100 are kept. Any thread.
std::vector<std::string> diagnostics();
void clearDiagnostics();

// What the audio library runs with, for the program's system report. Any
// thread.
std::string synthesizerVersion();         // FluidSynth's, "2.3.1"
std::string outputLibraryVersion();       // SDL's, "2.26.5"
std::vector<std::string> outputDrivers(); // the drivers the sound output can use
std::string currentOutputDriver();        // the one in use; "" before the output starts

namespace detail {
// Routes FluidSynth's log to diagnostics(). Called before any FluidSynth use.
void ensureFluidLogRouted();
} // namespace detail

} // namespace melorit::audio
