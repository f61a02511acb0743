#include "tests/audio/AudioFixtures.h"

#include "tests/support/SoundFontBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace melorit::audio::testing {

std::filesystem::path scratchDir()
{
    // Removed with everything in it when the test program ends.
    struct Folder {
        std::filesystem::path path;
        Folder()
            : path(std::filesystem::temp_directory_path() /
                   ("melorit-audio-" + std::to_string(::getpid())))
        {
            std::filesystem::remove_all(path);
            std::filesystem::create_directories(path);
        }
        ~Folder()
        {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    };
    static const Folder folder;
    return folder.path;
}

std::filesystem::path sineFontPath()
{
    static const std::filesystem::path path = [] {
        fixtures::SoundFontBuilder builder;
        builder.addPreset("Sine A", 0, 0, 69)
            .addPreset("Sine High", 0, 1, 57)
            .addPreset("Sine Low", 0, 2, 81)
            .addPreset("Variation", 8, 0, 69)
            .addPreset("Sine Kit", 128, 0, 69);
        auto file = scratchDir() / "sine font.sf2";
        if (!builder.writeTo(file)) {
            throw std::runtime_error("cannot write the sine font");
        }
        return file;
    }();
    return path;
}

std::shared_ptr<SoundFont> sineFont()
{
    static const std::shared_ptr<SoundFont> font = SoundFont::load(sineFontPath().string());
    return font;
}

std::shared_ptr<const MidiFile> parseSong(const fixtures::MidiFileBuilder &builder)
{
    return readMidi(builder.build()).file;
}

std::unique_ptr<MidiStream> openSong(const fixtures::MidiFileBuilder &builder, bool decayEnd,
                                     std::shared_ptr<SoundFont> font)
{
    MidiStream::Options options;
    options.decayEnd = decayEnd;
    options.font = std::move(font);
    return MidiStream::open(parseSong(builder), options);
}

Samples decodeAll(MidiStream &stream, std::size_t chunk)
{
    Samples out;
    std::vector<std::uint8_t> buffer(chunk);
    while (stream.activeState() == ActiveState::Playing) {
        const std::int64_t got = stream.read(buffer.data(), buffer.size());
        if (got <= 0) {
            break;
        }
        const std::size_t old = out.size();
        out.resize(old + static_cast<std::size_t>(got) / 2);
        std::memcpy(out.data() + old, buffer.data(), static_cast<std::size_t>(got) & ~1u);
    }
    return out;
}

Samples decodeFrames(MidiStream &stream, std::size_t frames)
{
    Samples out(frames * 2);
    const std::int64_t got = stream.read(out.data(), frames * 4);
    out.resize(got > 0 ? static_cast<std::size_t>(got) / 2 : 0);
    return out;
}

double rms(const Samples &samples, std::size_t firstFrame, std::size_t frames, int channel)
{
    const std::size_t end = std::min(frameCount(samples), firstFrame + frames);
    double sum = 0;
    for (std::size_t f = firstFrame; f < end; ++f) {
        const double v = samples[2 * f + channel];
        sum += v * v;
    }
    return end > firstFrame ? std::sqrt(sum / double(end - firstFrame)) : 0.0;
}

int peak(const Samples &samples, std::size_t firstFrame, std::size_t frames, int channel)
{
    const std::size_t end = std::min(frameCount(samples), firstFrame + frames);
    int result = 0;
    for (std::size_t f = firstFrame; f < end; ++f) {
        result = std::max(result, std::abs(int(samples[2 * f + channel])));
    }
    return result;
}

std::size_t firstSounding(const Samples &samples, int threshold, std::size_t from)
{
    for (std::size_t f = from; f < frameCount(samples); ++f) {
        if (std::abs(int(samples[2 * f])) >= threshold ||
            std::abs(int(samples[2 * f + 1])) >= threshold) {
            return f;
        }
    }
    return frameCount(samples);
}

double frequency(const Samples &samples, std::size_t firstFrame, std::size_t frames, int channel)
{
    const std::size_t end = std::min(frameCount(samples), firstFrame + frames);
    std::size_t first = 0;
    std::size_t last = 0;
    int crossings = 0;
    for (std::size_t f = firstFrame + 1; f < end; ++f) {
        if (samples[2 * (f - 1) + channel] < 0 && samples[2 * f + channel] >= 0) {
            if (crossings == 0) {
                first = f;
            }
            last = f;
            ++crossings;
        }
    }
    return crossings > 1 ? (crossings - 1) * 44100.0 / double(last - first) : 0.0;
}

} // namespace melorit::audio::testing
