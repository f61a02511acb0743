#include "bench/BenchSong.h"

#include "tests/support/MidiFileBuilder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace melorit::bench {

namespace {

constexpr int kPpq = 480;
constexpr int kBar = 4 * kPpq;
constexpr int kBars = 92; // 92 bars of 4/4 at 120 bpm: 184 s, plus the last chord's tail
constexpr int kDrums = 9;

// C, Am, F, G: root notes and triads.
constexpr std::array<int, 4> kRoots{48, 45, 41, 43};
constexpr std::array<std::array<int, 3>, 4> kTriads{
    {{60, 64, 67}, {57, 60, 64}, {53, 57, 60}, {55, 59, 62}}};

struct Part {
    int channel;
    int program;
    int volume;
    int pan;
    int reverb;
    int chorus;
};

constexpr std::array<Part, 10> kParts{{
    {0, 73, 110, 64, 40, 10}, // flute melody
    {1, 33, 105, 60, 10, 0},  // fingered bass
    {2, 0, 90, 50, 40, 10},   // piano chords
    {3, 48, 75, 80, 60, 30},  // string pad
    {4, 25, 80, 30, 30, 20},  // steel guitar arpeggios
    {5, 16, 60, 90, 40, 40},  // organ
    {6, 61, 70, 70, 40, 10},  // brass stabs
    {7, 52, 65, 40, 70, 30},  // choir
    {8, 11, 70, 100, 50, 20}, // vibraphone
    {kDrums, 0, 100, 64, 30, 0},
}};

// A small deterministic generator for the melody's variations.
struct Lcg {
    std::uint32_t state = 12345;
    int next(int range)
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 16) % static_cast<std::uint32_t>(range));
    }
};

void setUp(fixtures::MidiTrackBuilder &t, const Part &p)
{
    t.at(0).programChange(p.channel, p.program).controller(p.channel, 7, p.volume);
    t.controller(p.channel, 10, p.pan).controller(p.channel, 91, p.reverb);
    t.controller(p.channel, 93, p.chorus);
}

void writeBar(fixtures::MidiFileBuilder &song, int bar, Lcg &lcg)
{
    const std::uint32_t start = static_cast<std::uint32_t>(bar * kBar);
    const int chord = bar % 4;
    const auto &triad = kTriads[chord];
    auto track = [&song](int channel) -> fixtures::MidiTrackBuilder & {
        return song.track(static_cast<std::size_t>(channel) + 1);
    };
    for (int beat = 0; beat < 8; ++beat) { // melody: eighths with rests
        if (lcg.next(4) != 0) {
            const int key = triad[lcg.next(3)] + 12 + (lcg.next(3) - 1) * 2;
            track(0).note(0, key, 80 + lcg.next(30), start + beat * 240u, 220);
        }
    }
    for (int beat = 0; beat < 4; ++beat) { // bass: quarters
        track(1).note(1, kRoots[chord] - 12 + (beat == 2 ? 7 : 0), 100, start + beat * 480u, 440);
    }
    for (int half = 0; half < 2; ++half) { // piano: half-note chords
        for (int key : triad) {
            track(2).note(2, key, 75, start + half * 960u, 900);
        }
    }
    for (int key : triad) { // strings and choir: whole bars
        track(3).note(3, key - 12, 60, start, kBar - 20);
        track(7).note(7, key, 55, start, kBar - 20);
    }
    for (int step = 0; step < 8; ++step) { // guitar: arpeggiated eighths
        track(4).note(4, triad[step % 3] - 12 + (step / 3) * 12, 70, start + step * 240u, 230);
    }
    track(5).note(5, triad[0], 50, start, kBar - 10);       // organ: one held note
    track(6).note(6, triad[2] + 12, 90, start + 720u, 120); // brass stab on the off-beat
    for (int step = 0; step < 16; ++step) {                 // vibraphone: sixteenths
        track(8).note(8, triad[step % 3] + 24, 60, start + step * 120u, 100);
    }
    for (int step = 0; step < 8; ++step) { // drums: kick, snare, hi-hat
        const std::uint32_t at = start + step * 240u;
        track(kDrums).note(kDrums, 42, 70, at, 100);
        if (step % 4 == 0) {
            track(kDrums).note(kDrums, 36, 110, at, 200);
        }
        if (step % 4 == 2) {
            track(kDrums).note(kDrums, 38, 100, at, 200);
        }
    }
}

// One syllable a beat, a line every two bars, on a track of its own.
void writeLyrics(fixtures::MidiTrackBuilder &track, int bars)
{
    constexpr std::array<const char *, 8> kSyllables{"la ", "lu", "na ", "so",
                                                     "le ", "mi", "ra ", "do"};
    for (int bar = 0; bar < bars; ++bar) {
        for (int beat = 0; beat < 4; ++beat) {
            const std::string text = std::string(bar % 2 == 0 && beat == 0 ? "/" : "") +
                                     kSyllables[static_cast<std::size_t>((bar * 4 + beat) % 8)];
            track.at(static_cast<std::uint32_t>(bar * kBar + beat * kPpq)).text(text);
        }
    }
}

fixtures::Bytes build(bool withLyrics, int bars = kBars, std::uint32_t seed = Lcg{}.state)
{
    fixtures::MidiFileBuilder song(1, kPpq);
    song.addTrack().trackName("Bench song").tempo(500000).timeSignature(4, 4);
    for (const Part &part : kParts) {
        setUp(song.addTrack(), part);
    }
    // Tracks 1-10 carry channels 0-9 in order.
    Lcg lcg{seed};
    for (int bar = 0; bar < bars; ++bar) {
        writeBar(song, bar, lcg);
    }
    if (withLyrics) {
        writeLyrics(song.addTrack().trackName("Words"), bars);
    }
    for (std::size_t t = 1; t < song.trackCount(); ++t) {
        song.track(t).at(static_cast<std::uint32_t>(bars * kBar + kPpq)).endOfTrack();
    }
    return song.build();
}

} // namespace

fixtures::Bytes buildBenchSong()
{
    return build(false);
}

fixtures::Bytes buildBenchKaraoke()
{
    return build(true);
}

fixtures::Bytes buildBenchKaraoke(int seconds, std::uint32_t seed)
{
    return build(true, std::max(1, seconds / 2), seed);
}

} // namespace melorit::bench
