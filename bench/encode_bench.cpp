// MP3 conversion through the command-line encoder next to FluidSynth's own
// renderer writing a WAV file, on the same song and SoundFont, in one run:
//
//   encode_bench [--font FILE] [--song FILE] [--runs N] [--lame PROGRAM]
//
// Without --song it converts the generated 3-minute song of BenchSong.cpp.
// Each run times `fluidsynth -ni -F out.wav -r 44100 FONT SONG`, then a
// conversion as the program does it: open the font and the song, start
// `lame -h -b128 --ignore-tag-errors - out.mp3`, read the stream 1024 bytes at
// a time while both are active, stop the encoder. The CPU seconds of this
// process and of lame, against the wall time, show how much synthesis and
// compression overlap; the voluntary context switches (here and in lame)
// count how often the two sides woke each other.

#include "audio/Encoder.h"
#include "audio/MidiStream.h"
#include "bench/BenchSong.h"
#include "bench/BenchTiming.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace melorit;
using namespace melorit::bench;

struct Conversion {
    double wall = 0;
    double ownCpu = 0;
    double encoderCpu = 0;
    double audio = 0;
    long wakeUps = 0; // voluntary context switches, here and in lame
};

long voluntarySwitches(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_nvcsw;
}

bool convertToMp3(const std::string &font, const std::string &song, const std::string &lame,
                  const fs::path &mp3, Conversion &result)
{
    const double ownBefore = cpuSeconds(RUSAGE_SELF);
    const double childBefore = cpuSeconds(RUSAGE_CHILDREN);
    const long switchesBefore = voluntarySwitches(RUSAGE_SELF) + voluntarySwitches(RUSAGE_CHILDREN);
    const auto start = Clock::now();
    audio::MidiStream::Options options;
    options.font = audio::SoundFont::load(font);
    auto stream = audio::MidiStream::openFile(song, options);
    if (!options.font || !stream) {
        return false;
    }
    auto encoder = audio::EncodeStartCommand(
        *stream, {lame, "-h", "-b128", "--ignore-tag-errors", "-", mp3.string()}, "");
    if (!encoder) {
        return false;
    }
    std::vector<char> buffer(1024);
    std::uint64_t bytes = 0;
    while (stream->activeState() == audio::ActiveState::Playing && encoder->isActive()) {
        const std::int64_t got = stream->read(buffer.data(), buffer.size());
        bytes += static_cast<std::uint64_t>(std::max<std::int64_t>(got, 0));
    }
    encoder->stop();
    result.wall = seconds(start);
    result.ownCpu = cpuSeconds(RUSAGE_SELF) - ownBefore;
    result.encoderCpu = cpuSeconds(RUSAGE_CHILDREN) - childBefore;
    result.audio = double(bytes) / (44100 * 4);
    result.wakeUps =
        voluntarySwitches(RUSAGE_SELF) + voluntarySwitches(RUSAGE_CHILDREN) - switchesBefore;
    if (!encoder->errorText().empty()) {
        std::fprintf(stderr, "%s\n", encoder->errorText().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    std::string font = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    std::string song;
    std::string lame = "lame";
    int runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--font") {
            font = argv[i + 1];
        } else if (arg == "--song") {
            song = argv[i + 1];
        } else if (arg == "--runs") {
            runs = std::max(1, std::atoi(argv[i + 1]));
        } else if (arg == "--lame") {
            lame = argv[i + 1];
        } else {
            std::fprintf(stderr, "usage: encode_bench [--font F] [--song S] [--runs N] "
                                 "[--lame PROGRAM]\n");
            return 2;
        }
    }
    const fs::path dir = fs::temp_directory_path() / ("melorit-encode-" + std::to_string(getpid()));
    fs::create_directories(dir);
    if (song.empty()) {
        song = (dir / "bench-song.mid").string();
        fixtures::writeFile(song, bench::buildBenchSong());
    }
    std::printf("song %s\nfont %s\n", song.c_str(), font.c_str());
    std::vector<double> reference;
    std::vector<double> mp3;
    Conversion last;
    for (int run = 0; run < runs; ++run) {
        const double cli = timeCommand(
            {"fluidsynth", "-ni", "-F", (dir / "cli.wav").string(), "-r", "44100", font, song});
        if (cli < 0) {
            std::fprintf(stderr, "fluidsynth could not render the song\n");
            return 1;
        }
        if (!convertToMp3(font, song, lame, dir / "out.mp3", last)) {
            std::fprintf(stderr, "the MP3 conversion failed (error %d)\n",
                         static_cast<int>(audio::lastError()));
            return 1;
        }
        reference.push_back(cli);
        mp3.push_back(last.wall);
        std::printf("run %d: fluidsynth -F %.3f s; MP3 %.3f s wall, CPU %.3f s here + %.3f s "
                    "lame = %.2f cores busy, %ld wake-ups\n",
                    run + 1, cli, last.wall, last.ownCpu, last.encoderCpu,
                    (last.ownCpu + last.encoderCpu) / last.wall, last.wakeUps);
    }
    std::printf("audio %.1f s; fluidsynth -F (WAV) %.3f s, MP3 conversion %.3f s; "
                "ratio MP3/fluidsynth %.3f (goal <= 1.15)\n",
                last.audio, median(reference), median(mp3), median(mp3) / median(reference));
    fs::remove_all(dir);
    return 0;
}
