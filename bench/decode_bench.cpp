// Decoding speed of the audio library next to FluidSynth's own command-line
// renderer, on the same song and SoundFont, in one run:
//
//   audio_bench [--font FILE] [--song FILE] [--runs N] [--fluidsynth PROGRAM]
//
// Without --song it renders the generated 10-channel song of BenchSong.cpp.
// Each run times `fluidsynth -ni -F out.wav -r 44100 FONT SONG`, then the
// library opening the font and the song and reading the stream 1024 bytes at a
// time into a WAV file, as a conversion does. Runs alternate so that both see
// the same machine load; the medians and their ratio are printed.

#include "audio/MidiStream.h"
#include "bench/BenchSong.h"
#include "bench/BenchTiming.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace melorit;
using namespace melorit::bench;

struct Options {
    std::string font = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    std::string song;
    std::string fluidsynth = "fluidsynth";
    int runs = 3;
};

struct LibraryRun {
    double total = 0;
    double font = 0;
    double open = 0;
    std::uint64_t bytes = 0;
};

void writeWavHeader(std::FILE *file, std::uint32_t dataBytes)
{
    auto le = [file](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) {
            std::fputc(static_cast<int>((v >> (8 * i)) & 0xFF), file);
        }
    };
    std::fwrite("RIFF", 1, 4, file);
    le(36 + dataBytes, 4);
    std::fwrite("WAVEfmt ", 1, 8, file);
    le(16, 4);
    le(1, 2);
    le(2, 2);
    le(44100, 4);
    le(44100 * 4, 4);
    le(4, 2);
    le(16, 2);
    std::fwrite("data", 1, 4, file);
    le(dataBytes, 4);
}

bool timeLibrary(const Options &options, const fs::path &wav, LibraryRun &run)
{
    const auto start = Clock::now();
    auto font = audio::SoundFont::load(options.font);
    if (!font) {
        return false;
    }
    run.font = seconds(start);
    const auto opened = Clock::now();
    audio::MidiStream::Options streamOptions;
    streamOptions.font = font;
    auto stream = audio::MidiStream::openFile(options.song, streamOptions);
    if (!stream) {
        return false;
    }
    run.open = seconds(opened);
    std::FILE *file = std::fopen(wav.c_str(), "wb");
    if (!file) {
        return false;
    }
    writeWavHeader(file, 0);
    std::vector<char> buffer(1024);
    run.bytes = 0;
    while (stream->activeState() == audio::ActiveState::Playing) {
        const std::int64_t got = stream->read(buffer.data(), buffer.size());
        if (got <= 0) {
            break;
        }
        std::fwrite(buffer.data(), 1, static_cast<std::size_t>(got), file);
        run.bytes += static_cast<std::uint64_t>(got);
    }
    std::fseek(file, 0, SEEK_SET);
    writeWavHeader(file, static_cast<std::uint32_t>(run.bytes));
    std::fclose(file);
    run.total = seconds(start);
    return true;
}

// Reads a stream 1024 bytes at a time while another thread loads a large
// font, and gives the longest single read seen during the load: how long the
// load holds up a stream that is being rendered.
void measureLoadLatency(const Options &options, const std::string &largeFont)
{
    if (!fs::exists(largeFont)) {
        return;
    }
    audio::MidiStream::Options streamOptions;
    streamOptions.font = audio::SoundFont::load(options.font);
    auto stream = audio::MidiStream::openFile(options.song, streamOptions);
    if (!stream) {
        return;
    }
    std::atomic<bool> loading{true};
    double loadSeconds = 0;
    std::thread loader([&] {
        const auto start = Clock::now();
        auto font = audio::SoundFont::load(largeFont);
        loadSeconds = seconds(start);
        loading = false;
    });
    std::vector<char> buffer(1024);
    double longest = 0;
    int reads = 0;
    while (loading && stream->activeState() == audio::ActiveState::Playing) {
        const auto start = Clock::now();
        stream->read(buffer.data(), buffer.size());
        longest = std::max(longest, seconds(start));
        ++reads;
    }
    loader.join();
    // The same number of reads without a load, for the machine's own noise.
    double quiet = 0;
    for (int i = 0; i < reads && stream->activeState() == audio::ActiveState::Playing; ++i) {
        const auto start = Clock::now();
        stream->read(buffer.data(), buffer.size());
        quiet = std::max(quiet, seconds(start));
    }
    std::printf("loading %s on another thread took %.3f s; %d reads of 1024 bytes meanwhile, "
                "the longest %.2f ms (%.2f ms over as many reads without a load)\n",
                largeFont.c_str(), loadSeconds, reads, longest * 1000, quiet * 1000);
}

bool parse(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) {
            return false;
        }
        if (arg == "--font") {
            options.font = argv[++i];
        } else if (arg == "--song") {
            options.song = argv[++i];
        } else if (arg == "--runs") {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--fluidsynth") {
            options.fluidsynth = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: audio_bench [--font FILE] [--song FILE] [--runs N] "
                             "[--fluidsynth PROGRAM]\n");
        return 2;
    }
    const fs::path dir = fs::temp_directory_path() / ("melorit-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    if (options.song.empty()) {
        options.song = (dir / "bench-song.mid").string();
        fixtures::writeFile(options.song, bench::buildBenchSong());
    }
    std::printf("song %s\nfont %s\n", options.song.c_str(), options.font.c_str());

    std::vector<double> reference;
    std::vector<double> library;
    LibraryRun last;
    for (int run = 0; run < options.runs; ++run) {
        const double cli = timeCommand({options.fluidsynth, "-ni", "-F", (dir / "cli.wav").string(),
                                        "-r", "44100", options.font, options.song});
        if (cli < 0) {
            std::fprintf(stderr, "%s could not render the song\n", options.fluidsynth.c_str());
            return 1;
        }
        if (!timeLibrary(options, dir / "library.wav", last)) {
            std::fprintf(stderr, "the library could not render the song (error %d)\n",
                         static_cast<int>(audio::lastError()));
            return 1;
        }
        reference.push_back(cli);
        library.push_back(last.total);
        std::printf("run %d: fluidsynth %.3f s, library %.3f s (font %.3f s, open %.3f s)\n",
                    run + 1, cli, last.total, last.font, last.open);
    }
    const double audioSeconds = double(last.bytes) / (44100 * 4);
    const double ours = median(library);
    const double theirs = median(reference);
    std::printf("audio %.1f s (with the decay); fluidsynth -F %.3f s, library %.3f s "
                "(%.0fx real time); ratio library/fluidsynth %.3f\n",
                audioSeconds, theirs, ours, audioSeconds / ours, ours / theirs);
    measureLoadLatency(options, "/usr/share/sounds/sf2/FluidR3_GM.sf2");
    fs::remove_all(dir);
    return 0;
}
