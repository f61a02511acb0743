// What following the singer's pitch costs: aubio's YIN detector every 10 ms
// over a voice-like take of the demo song (partials, vibrato), and the whole
// scoring of a take, in processor time per second of audio:
//   pitch_bench [runs]
#include "audio/MidiStream.h"
#include "lyrics/LyricsModel.h"
#include "lyrics/StreamLyricsSource.h"
#include "scoring/TakeScoring.h"

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

using namespace melorit;

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// A voice along the notes: three partials, a vibrato of a quarter tone.
std::vector<float> voice(const scoring::MelodyTarget &target)
{
    const double rate = 44100;
    const auto &notes = target.notes();
    std::vector<float> take(
        static_cast<std::size_t>((target.secondsAt(notes.back().endTick) + 1) * rate), 0.0f);
    double phase = 0;
    for (const auto &n : notes) {
        const auto from = static_cast<std::size_t>(target.secondsAt(n.startTick) * rate);
        const auto to = static_cast<std::size_t>(target.secondsAt(n.endTick) * rate);
        for (std::size_t i = from; i < to && i < take.size(); ++i) {
            const double t = static_cast<double>(i - from) / rate;
            const double key = n.key + 0.25 * std::sin(2 * std::numbers::pi * 5.5 * t);
            phase += 2 * std::numbers::pi * 440 * std::pow(2.0, (key - 69) / 12) / rate;
            take[i] = static_cast<float>(
                0.2 * (std::sin(phase) + 0.5 * std::sin(2 * phase) + 0.25 * std::sin(3 * phase)));
        }
    }
    return take;
}

scoring::MelodyTarget demoTarget()
{
    auto stream = audio::MidiStream::openFile(
        MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar", {});
    lyrics::LyricsModel model;
    const lyrics::StreamLyricsSource source(*stream);
    model.InitLyrics(source);
    model.FindMelodyChannel(source);
    return scoring::MelodyTarget::build(stream->file(), model, {});
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 5;
    const scoring::MelodyTarget target = demoTarget();
    const std::vector<float> take = voice(target);
    const double audioSeconds = static_cast<double>(take.size()) / 44100;

    std::vector<double> tracking;
    std::vector<double> scoring;
    int score = 0;
    for (int run = 0; run < runs; ++run) {
        double cpu = cpuSeconds();
        scoring::PitchTracker tracker(44100);
        std::size_t voiced = 0;
        // Fed as the live road feeds it: a block of 441 samples at a time.
        for (std::size_t at = 0; at < take.size(); at += 441) {
            const std::size_t n = std::min<std::size_t>(441, take.size() - at);
            tracker.push(std::span<const float>(take).subspan(at, n),
                         [&voiced](const scoring::PitchFrame &f) { voiced += f.voiced ? 1 : 0; });
        }
        tracking.push_back(cpuSeconds() - cpu);
        cpu = cpuSeconds();
        score = scoring::scoreTake(target, take, 50).songScore().value_or(-1);
        scoring.push_back(cpuSeconds() - cpu);
    }
    std::sort(tracking.begin(), tracking.end());
    std::sort(scoring.begin(), scoring.end());
    const double track = tracking[tracking.size() / 2];
    const double whole = scoring[scoring.size() / 2];
    std::printf("take: %.1f s of audio (the demo song's melody, voice-like), %d runs, medians\n",
                audioSeconds, runs);
    std::printf("pitch tracking : %.1f ms CPU, %.2f %% of one core in real time\n", track * 1000,
                100 * track / audioSeconds);
    std::printf("whole scoring  : %.1f ms CPU, %.2f %% of one core in real time (score %d)\n",
                whole * 1000, 100 * whole / audioSeconds, score);
    return 0;
}
