#include "tests/support/DemoSong.h"

#include "tests/support/MidiFileBuilder.h"

#include <string_view>
#include <vector>

namespace melorit::fixtures {

namespace {

constexpr std::uint16_t kDivision = 480;
constexpr std::uint32_t kBeat = kDivision;
constexpr std::uint32_t kBar = 4 * kBeat;
constexpr std::uint32_t kIntroBars = 2;
constexpr std::uint32_t kVerseBars = 16;
constexpr std::uint32_t kMelodyStart = kIntroBars * kBar;
constexpr std::uint32_t kLastBar = kIntroBars + kVerseBars; // the closing chord
constexpr std::uint32_t kSongEnd = (kLastBar + 1) * kBar;

constexpr int kMelodyChannel = 0;
constexpr int kBassChannel = 1;
constexpr int kPianoChannel = 2;
constexpr int kStringsChannel = 3;
constexpr int kDrumChannel = 9;

struct SungNote {
    int key;
    int beats;
    std::string_view syllable; // Windows-1252
};

// Keys of the tune, in C major.
constexpr int G3 = 55, A3 = 57, B3 = 59, C4 = 60, D4 = 62, E4 = 64;

// One note per syllable, one lyrics line per row. A leading space starts a new word;
// "\" starts a verse half (a new page of lyrics), "/" a new line.
// clang-format off
constexpr SungNote kVerse[] = {
    {C4, 1, "\\Au"}, {C4, 1, " clair"}, {C4, 1, " de"}, {D4, 1, " la"}, {E4, 2, " lu"}, {D4, 2, "ne,"},
    {C4, 1, "/mon"}, {E4, 1, " a"}, {D4, 1, "mi"}, {D4, 1, " Pier"}, {C4, 4, "rot,"},
    {C4, 1, "/Pr\xEA"}, {C4, 1, "te-"}, {C4, 1, "moi"}, {D4, 1, " ta"}, {E4, 2, " plu"}, {D4, 2, "me"},
    {C4, 1, "/pour"}, {E4, 1, " \xE9"}, {D4, 1, "crire"}, {D4, 1, " un"}, {C4, 4, " mot."},
    {D4, 1, "\\Ma"}, {D4, 1, " chan"}, {D4, 1, "del"}, {D4, 1, "le est"}, {A3, 2, " mor"}, {A3, 2, "te,"},
    {D4, 1, "/je"}, {C4, 1, " n'ai"}, {B3, 1, " plus"}, {A3, 1, " de"}, {G3, 4, " feu."},
    {C4, 1, "/Ou"}, {C4, 1, "vre-"}, {C4, 1, "moi"}, {D4, 1, " ta"}, {E4, 2, " por"}, {D4, 2, "te"},
    {C4, 1, "/pour"}, {E4, 1, " l'a"}, {D4, 1, "mour"}, {D4, 1, " de"}, {C4, 4, " Dieu."},
};
// clang-format on

struct Chord {
    std::vector<int> keys; // piano voicing
    int root;              // bass notes
    int fifth;
};

const Chord kC{{48, 52, 55}, 36, 43};
const Chord kG{{47, 50, 55}, 43, 38};
const Chord kG7{{47, 50, 53, 55}, 43, 38};
const Chord kD{{50, 54, 57}, 38, 45};
const Chord kD7{{48, 50, 54, 57}, 38, 45};

struct ChordSpan {
    const Chord *chord;
    int beats;
};

// The harmony from the first intro bar to the closing chord.
std::vector<ChordSpan> harmony()
{
    const std::vector<ChordSpan> outer = {{&kC, 4}, {&kC, 2}, {&kG, 2},
                                          {&kC, 2}, {&kG, 2}, {&kC, 4}};
    const std::vector<ChordSpan> middle = {{&kG, 4}, {&kD, 4}, {&kG, 2}, {&kD7, 2}, {&kG, 4}};
    std::vector<ChordSpan> spans = {{&kC, 4}, {&kG7, 4}};
    for (const auto *part : {&outer, &outer, &middle, &outer}) {
        spans.insert(spans.end(), part->begin(), part->end());
    }
    spans.push_back({&kC, 4});
    return spans;
}

void setUpChannel(MidiTrackBuilder &track, int channel, int program, int volume, int pan,
                  int reverb)
{
    // Written the way most sequencers save: running status, note-offs as note-ons.
    track.useRunningStatus().noteOffAsNoteOn().at(0);
    if (channel != kDrumChannel) {
        track.controller(channel, 0, 0); // bank select
    }
    track.programChange(channel, program)
        .controller(channel, 7, volume)
        .controller(channel, 10, pan)
        .controller(channel, 91, reverb)
        .controller(channel, 93, 0);
}

void writeConductor(MidiTrackBuilder &track)
{
    track.trackName("Au clair de la lune")
        .sysex({0x7E, 0x7F, 0x09, 0x01, 0xF7}) // General MIDI on
        .timeSignature(4, 4)
        .keySignature(0, false)
        .tempo(625000); // 96 bpm
    // A ritardando over the last sung note and the closing chord.
    track.at((kLastBar - 1) * kBar).tempo(700000);
    track.at(kLastBar * kBar).tempo(800000);
}

void writeWords(MidiTrackBuilder &track)
{
    track.trackName("Words")
        .text("@KMIDI KARAOKE FILE")
        .text("@V0100")
        .text("@IChanson traditionnelle fran\xE7"
              "aise")
        .text("@LFRAN")
        .text("@TAu clair de la lune")
        .text("@TTraditionnel");
    std::uint32_t tick = kMelodyStart;
    for (const SungNote &note : kVerse) {
        track.at(tick).text(note.syllable);
        tick += static_cast<std::uint32_t>(note.beats) * kBeat;
    }
}

void writeMelody(MidiTrackBuilder &track)
{
    track.trackName("Melody");
    setUpChannel(track, kMelodyChannel, 73, 110, 64, 40); // flute
    std::uint32_t tick = kMelodyStart;
    for (const SungNote &note : kVerse) {
        const std::uint32_t length = static_cast<std::uint32_t>(note.beats) * kBeat;
        track.note(kMelodyChannel, note.key, 110, tick, length - 40);
        tick += length;
    }
}

void writeBass(MidiTrackBuilder &track)
{
    track.trackName("Bass");
    setUpChannel(track, kBassChannel, 32, 115, 52, 30); // acoustic bass
    std::uint32_t tick = 0;
    for (const ChordSpan &span : harmony()) {
        track.note(kBassChannel, span.chord->root, 112, tick, 2 * kBeat - 30);
        if (span.beats == 4) {
            track.note(kBassChannel, span.chord->fifth, 100, tick + 2 * kBeat, 2 * kBeat - 30);
        }
        tick += static_cast<std::uint32_t>(span.beats) * kBeat;
    }
}

void writePiano(MidiTrackBuilder &track)
{
    track.trackName("Piano");
    setUpChannel(track, kPianoChannel, 0, 100, 76, 50); // acoustic grand
    std::uint32_t tick = 0;
    for (const ChordSpan &span : harmony()) {
        const bool closing = tick == kLastBar * kBar;
        for (int beat = 0; beat < span.beats; beat += closing ? 4 : 2) {
            const std::uint32_t start = tick + static_cast<std::uint32_t>(beat) * kBeat;
            const std::uint32_t length = closing ? kBar : 2 * kBeat - 40;
            for (int key : span.chord->keys) {
                track.note(kPianoChannel, key, beat == 0 ? 100 : 88, start, length);
            }
        }
        tick += static_cast<std::uint32_t>(span.beats) * kBeat;
    }
}

// Strings hold each chord under the melody, in the piano's voicing. They leave the
// closing chord halfway, so their long release has died away when the song ends.
void writeStrings(MidiTrackBuilder &track)
{
    track.trackName("Strings");
    setUpChannel(track, kStringsChannel, 48, 100, 40, 60); // string ensemble
    std::uint32_t tick = 0;
    for (const ChordSpan &span : harmony()) {
        const std::uint32_t length = static_cast<std::uint32_t>(span.beats) * kBeat;
        const bool closing = tick == kLastBar * kBar;
        for (int key : span.chord->keys) {
            track.note(kStringsChannel, key, 84, tick, closing ? length / 2 : length - 20);
        }
        tick += length;
    }
}

void writeDrums(MidiTrackBuilder &track)
{
    constexpr int kKick = 36;
    constexpr int kSideStick = 37;
    constexpr int kClosedHat = 42;
    constexpr int kCrash = 49;
    constexpr std::uint32_t kHit = 120;
    track.trackName("Drums");
    setUpChannel(track, kDrumChannel, 0, 110, 64, 30); // standard kit
    for (std::uint32_t bar = 0; bar < kLastBar; ++bar) {
        const std::uint32_t barStart = bar * kBar;
        for (std::uint32_t eighth = 0; eighth < 8; ++eighth) {
            track.note(kDrumChannel, kClosedHat, eighth % 2 == 0 ? 84 : 64,
                       barStart + eighth * kBeat / 2, kHit);
        }
        for (std::uint32_t beat = 0; beat < 4; ++beat) {
            const int drum = beat % 2 == 0 ? kKick : kSideStick;
            track.note(kDrumChannel, drum, beat % 2 == 0 ? 112 : 96, barStart + beat * kBeat, kHit);
        }
    }
    track.note(kDrumChannel, kKick, 120, kLastBar * kBar, kHit);
    track.note(kDrumChannel, kCrash, 112, kLastBar * kBar, kBar - kHit);
}

} // namespace

Bytes buildDemoSong()
{
    MidiFileBuilder file(1, kDivision);
    using Writer = void (*)(MidiTrackBuilder &);
    for (Writer write : {writeConductor, writeWords, writeMelody, writeBass, writePiano,
                         writeStrings, writeDrums}) {
        MidiTrackBuilder &track = file.addTrack();
        write(track);
        // Every track lasts until the closing chord has rung for its bar.
        track.at(kSongEnd).endOfTrack();
    }
    return file.build();
}

} // namespace melorit::fixtures
