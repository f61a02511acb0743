// Long run: songs of the corpus played back to back, memory measured as it
// goes. First the decoding road at full speed (each song opened from its file,
// its lyrics analysed, decoded and freed), then a shorter set through the
// listening road in real time on the sound device (SDL's dummy driver when
// SDL_AUDIODRIVER=dummy). Resident memory is printed at the start, every 50
// songs and at the end. Built with -DMELORIT_SANITIZE=ON, LeakSanitizer
// reports any leak when the program ends.
//   soak_bench [--songs N] [--seconds S] [--listen K] [--listen-seconds T]
//              [--font F] [--corpus DIR]
// Defaults: 200 songs, at most 60 s of each decoded, 5 songs of 10 s heard,
// TimGM6mb, the shared corpus.

#include "audio/Device.h"
#include "audio/MidiStream.h"
#include "audio/SoundFont.h"
#include "lyrics/LyricsModel.h"
#include "lyrics/StreamLyricsSource.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using namespace melorit;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

std::vector<fs::path> corpusSongs(const fs::path &root)
{
    std::vector<fs::path> songs;
    std::error_code ec;
    for (const auto &entry : fs::recursive_directory_iterator(root, ec)) {
        std::string ext = entry.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (entry.is_regular_file() && (ext == ".mid" || ext == ".kar" || ext == ".midi")) {
            songs.push_back(entry.path());
        }
    }
    std::sort(songs.begin(), songs.end());
    return songs;
}

struct Args {
    int songs = 200;
    double seconds = 60;
    int listen = 5;
    double listenSeconds = 10;
    std::string font = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    std::string corpus = MELORIT_CORPUS_DIR;
};

Args parse(int argc, char **argv)
{
    Args a;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const char *value = argv[i + 1];
        if (key == "--songs") {
            a.songs = std::atoi(value);
        } else if (key == "--seconds") {
            a.seconds = std::atof(value);
        } else if (key == "--listen") {
            a.listen = std::atoi(value);
        } else if (key == "--listen-seconds") {
            a.listenSeconds = std::atof(value);
        } else if (key == "--font") {
            a.font = value;
        } else if (key == "--corpus") {
            a.corpus = value;
        }
    }
    return a;
}

} // namespace

int main(int argc, char **argv)
{
    const Args args = parse(argc, argv);
    const std::vector<fs::path> songs = corpusSongs(args.corpus);
    if (songs.empty()) {
        std::fprintf(stderr, "soak_bench: no songs under %s\n", args.corpus.c_str());
        return 1;
    }
    {
        auto font = audio::SoundFont::load(args.font);
        if (!font) {
            std::fprintf(stderr, "soak_bench: cannot load %s\n", args.font.c_str());
            return 1;
        }
        audio::setDefaultFont(font);
    }
    const long startKiB = residentKiB();
    std::printf("songs in the corpus: %zu; decoding %d songs, at most %.0f s each\n", songs.size(),
                args.songs, args.seconds);
    std::printf("RSS at start: %ld KiB\n", startKiB);

    const auto decodeStart = Clock::now();
    double audioSeconds = 0;
    int failed = 0;
    long afterFirstRound = -1;
    std::vector<std::uint8_t> buffer(1024);
    for (int n = 0; n < args.songs; ++n) {
        const fs::path &path = songs[static_cast<std::size_t>(n) % songs.size()];
        auto stream = audio::MidiStream::openFile(path.string(), {});
        if (!stream) {
            ++failed;
            continue;
        }
        {
            const lyrics::StreamLyricsSource source(*stream);
            lyrics::LyricsModel model;
            model.resetForNewSong();
            model.InitLyrics(source);
            model.FindMelodyChannel(source);
        }
        const auto limit = audio::MidiStream::secondsToBytes(args.seconds);
        std::uint64_t done = 0;
        while (done < limit) {
            const auto got = stream->read(buffer.data(), buffer.size());
            if (got <= 0) {
                break;
            }
            done += static_cast<std::uint64_t>(got);
        }
        audioSeconds += audio::MidiStream::bytesToSeconds(done);
        if (static_cast<std::size_t>(n + 1) == songs.size()) {
            afterFirstRound = residentKiB();
        }
        if ((n + 1) % 50 == 0) {
            std::printf("  after %d songs: RSS %ld KiB\n", n + 1, residentKiB());
        }
    }
    const double decodeWall = std::chrono::duration<double>(Clock::now() - decodeStart).count();
    const long decodeEndKiB = residentKiB();
    std::printf("decoded %.0f s of audio in %.1f s (%.1fx real time), %d songs not opened\n",
                audioSeconds, decodeWall, audioSeconds / decodeWall, failed);
    std::printf("RSS after decoding: %ld KiB (after the first pass over the corpus: %ld KiB)\n",
                decodeEndKiB, afterFirstRound);

    if (args.listen > 0) {
        if (!audio::Init()) {
            std::fprintf(stderr, "soak_bench: no sound device\n");
            return 1;
        }
        for (int n = 0; n < args.listen; ++n) {
            const fs::path &path = songs[static_cast<std::size_t>(n) % songs.size()];
            audio::MidiStream::Options options;
            options.decode = false;
            auto stream = audio::MidiStream::openFile(path.string(), options);
            if (!stream || !stream->play(false)) {
                ++failed;
                continue;
            }
            std::this_thread::sleep_for(std::chrono::duration<double>(args.listenSeconds));
            std::printf("  heard %s: %.1f s\n", path.filename().string().c_str(),
                        audio::MidiStream::bytesToSeconds(stream->position(audio::PosUnit::Bytes)));
        }
        audio::Free();
        std::printf("RSS after listening to %d songs: %ld KiB\n", args.listen, residentKiB());
    }
    audio::setDefaultFont(nullptr);
    std::printf("RSS at end: %ld KiB (start %ld KiB)\n", residentKiB(), startKiB);
    return 0; // songs that do not open (damaged corpus files) are counted above
}
