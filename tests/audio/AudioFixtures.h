#pragma once

// Fonts, songs and measurements shared by the audio library's tests.

#include "audio/MidiStream.h"

#include "tests/support/MidiFileBuilder.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

namespace melorit::audio::testing {

inline constexpr const char *kGeneralMidiFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// A folder for the files a test writes, emptied at the first call.
std::filesystem::path scratchDir();

// The sine font: program 0 "Sine A" plays key 69 at 440 Hz, program 1
// "Sine High" an octave higher, program 2 "Sine Low" an octave lower; bank 128
// program 0 "Sine Kit" plays key 69 at 440 Hz; bank 8 program 0 "Variation".
std::shared_ptr<SoundFont> sineFont();
std::filesystem::path sineFontPath();

std::shared_ptr<const MidiFile> parseSong(const fixtures::MidiFileBuilder &builder);
std::unique_ptr<MidiStream> openSong(const fixtures::MidiFileBuilder &builder, bool decayEnd = true,
                                     std::shared_ptr<SoundFont> font = sineFont());

// Interleaved 16-bit stereo.
using Samples = std::vector<std::int16_t>;

// Reads until the stream ends, chunk bytes at a time.
Samples decodeAll(MidiStream &stream, std::size_t chunk = 4096);
Samples decodeFrames(MidiStream &stream, std::size_t frames);

// Measurements on one channel (0 left, 1 right) of interleaved samples.
double rms(const Samples &samples, std::size_t firstFrame, std::size_t frames, int channel = 0);
int peak(const Samples &samples, std::size_t firstFrame, std::size_t frames, int channel = 0);
// The first frame whose sample reaches the threshold, or the frame count.
std::size_t firstSounding(const Samples &samples, int threshold = 1, std::size_t from = 0);
// The frequency of a steady tone from its rising zero crossings.
double frequency(const Samples &samples, std::size_t firstFrame, std::size_t frames,
                 int channel = 0);

inline std::size_t frameCount(const Samples &samples)
{
    return samples.size() / 2;
}

} // namespace melorit::audio::testing
