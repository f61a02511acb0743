#pragma once

#include <string>
#include <vector>

namespace melorit::audio {

// FluidSynth's own messages (warnings about a SoundFont, for instance), kept
// here rather than printed to the terminal; the program shows them in its
// system report. The last 100 are kept. Any thread.
std::vector<std::string> diagnostics();
void clearDiagnostics();

namespace detail {
// Routes FluidSynth's log to diagnostics(). Called before any FluidSynth use.
void ensureFluidLogRouted();
} // namespace detail

} // namespace melorit::audio
