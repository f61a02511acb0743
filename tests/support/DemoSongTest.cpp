#include "tests/support/DemoSong.h"
#include "tests/support/FluidRender.h"
#include "tests/support/MidiScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

using namespace melorit::fixtures;

namespace {

const std::filesystem::path kCommitted =
    std::filesystem::path(MELORIT_SOURCE_DIR) / "resources" / "demo" / kDemoSongFileName;

constexpr std::size_t kWordsTrack = 1;
constexpr std::size_t kMelodyTrack = 2;

std::vector<ScannedEvent> textEvents(const std::vector<ScannedEvent> &track)
{
    std::vector<ScannedEvent> out;
    std::copy_if(track.begin(), track.end(), std::back_inserter(out),
                 [](const ScannedEvent &e) { return e.isMeta(0x01); });
    return out;
}

std::vector<ScannedEvent> syllables(const ScannedFile &song)
{
    std::vector<ScannedEvent> out = textEvents(song.tracks.at(kWordsTrack));
    std::erase_if(out, [](const ScannedEvent &e) { return e.text().starts_with('@'); });
    return out;
}

// Seconds to a tick through the tempo events of the first track.
double secondsAt(const ScannedFile &song, std::uint32_t tick)
{
    double seconds = 0.0;
    std::uint32_t from = 0;
    double secondsPerTick = 0.5 / song.division; // 120 bpm until a tempo event
    for (const ScannedEvent &e : song.tracks.at(0)) {
        if (e.tick > tick) {
            break;
        }
        if (e.isMeta(0x51)) {
            seconds += (e.tick - from) * secondsPerTick;
            from = e.tick;
            const double micros = (e.data[0] << 16) | (e.data[1] << 8) | e.data[2];
            secondsPerTick = micros / 1e6 / song.division;
        }
    }
    return seconds + (tick - from) * secondsPerTick;
}

class DemoSong : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_song = scanMidi(buildDemoSong()); }
    static ScannedFile s_song;
};

ScannedFile DemoSong::s_song;

} // namespace

TEST_F(DemoSong, CommittedFileIsTheGeneratedOne)
{
    const Bytes committed = readFile(kCommitted);
    ASSERT_FALSE(committed.empty()) << kCommitted;
    EXPECT_EQ(committed, buildDemoSong()) << "regenerate it with melorit-make-demo";
    EXPECT_LT(committed.size(), 20u * 1024);
    // The build copies it beside the programs.
    EXPECT_EQ(readFile(std::filesystem::path(MELORIT_OUTPUT_DIR) / kDemoSongFileName), committed);
}

TEST_F(DemoSong, IsASoftKaraokeFile)
{
    ASSERT_TRUE(s_song.ok) << s_song.error;
    EXPECT_EQ(s_song.format, 1);
    EXPECT_EQ(s_song.division, 480);
    ASSERT_EQ(s_song.tracks.size(), 7u);
    EXPECT_EQ(s_song.declaredTracks, 7);

    std::vector<std::string> info;
    for (const ScannedEvent &e : textEvents(s_song.tracks[kWordsTrack])) {
        if (e.text().starts_with('@')) {
            EXPECT_EQ(e.tick, 0u);
            info.emplace_back(e.text());
        }
    }
    ASSERT_FALSE(info.empty());
    EXPECT_EQ(info.front(), "@KMIDI KARAOKE FILE");
    std::vector<std::string> titles;
    std::copy_if(info.begin(), info.end(), std::back_inserter(titles),
                 [](const std::string &s) { return s.starts_with("@T"); });
    EXPECT_EQ(titles, (std::vector<std::string>{"@TAu clair de la lune", "@TTraditionnel"}));
    EXPECT_NE(std::find(info.begin(), info.end(), "@LFRAN"), info.end());

    // Lyrics travel as text events only, and only in their own track.
    for (std::size_t t = 0; t < s_song.tracks.size(); ++t) {
        for (const ScannedEvent &e : s_song.tracks[t]) {
            EXPECT_FALSE(e.isMeta(0x05)) << "lyric event in track " << t;
            EXPECT_TRUE(t == kWordsTrack || !e.isMeta(0x01)) << "text event in track " << t;
        }
    }
}

TEST_F(DemoSong, SyllablesFormTheVerseInWindows1252)
{
    const auto sung = syllables(s_song);
    ASSERT_EQ(sung.size(), 44u); // four lines of eleven syllables

    std::vector<std::string> lines;
    int paragraphs = 0;
    for (const ScannedEvent &e : sung) {
        std::string text(e.text());
        if (text.starts_with('\\') || text.starts_with('/')) {
            paragraphs += text[0] == '\\' ? 1 : 0;
            lines.emplace_back();
            text.erase(0, 1);
        }
        ASSERT_FALSE(lines.empty()) << "the first syllable must open a paragraph";
        lines.back() += text;
    }
    EXPECT_EQ(paragraphs, 2);
    EXPECT_EQ(lines, (std::vector<std::string>{"Au clair de la lune,", "mon ami Pierrot,",
                                               "Pr\xEAte-moi ta plume",
                                               "pour \xE9"
                                               "crire un mot.",
                                               "Ma chandelle est morte,", "je n'ai plus de feu.",
                                               "Ouvre-moi ta porte", "pour l'amour de Dieu."}));
    EXPECT_EQ(sung[11].text(), "/Pr\xEA"); // the accent is one Windows-1252 byte
}

TEST_F(DemoSong, EachSyllableIsSungByOneMelodyNote)
{
    const auto sung = syllables(s_song);
    std::vector<std::uint32_t> syllableTicks;
    for (const ScannedEvent &e : sung) {
        syllableTicks.push_back(e.tick);
    }
    std::vector<std::uint32_t> melodyTicks;
    for (const auto &track : s_song.tracks) {
        for (const ScannedEvent &e : track) {
            if (e.isNoteOn() && e.channel() == 0) {
                melodyTicks.push_back(e.tick);
            }
        }
    }
    EXPECT_EQ(melodyTicks, syllableTicks);
    EXPECT_TRUE(std::is_sorted(syllableTicks.begin(), syllableTicks.end()));
    EXPECT_GT(syllableTicks.front(), 0u); // the singer gets an introduction

    // Accompaniment on other channels, drums on channel 9; every track ends together.
    std::vector<int> notesPerChannel(16, 0);
    std::vector<std::uint32_t> ends;
    for (const auto &track : s_song.tracks) {
        ASSERT_FALSE(track.empty());
        EXPECT_TRUE(track.back().isMeta(0x2F));
        ends.push_back(track.back().tick);
        for (const ScannedEvent &e : track) {
            notesPerChannel[static_cast<std::size_t>(e.channel())] += e.isNoteOn() ? 1 : 0;
        }
    }
    EXPECT_EQ(std::count(ends.begin(), ends.end(), ends.front()), 7);
    for (int channel : {1, 2, 3, 9}) {
        EXPECT_GT(notesPerChannel[static_cast<std::size_t>(channel)], 30) << channel;
    }
    EXPECT_EQ(notesPerChannel[0], 44);
}

TEST_F(DemoSong, FluidSynthPlaysItToTheEnd)
{
    FluidSession session;
    ASSERT_GE(session.loadFont("/usr/share/sounds/sf2/TimGM6mb.sf2"), 0);
    const PlayResult played = playMidi(session, readFile(kCommitted), 90.0);
    ASSERT_TRUE(played.loaded);
    ASSERT_TRUE(played.finished);

    const std::size_t songFrames = played.framesToLastTick;
    const double seconds = static_cast<double>(songFrames) / kRenderRate;
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 60.0);
    // The player follows the tempo map, ritardando included (within one render block).
    EXPECT_NEAR(seconds, secondsAt(s_song, s_song.tracks[0].back().tick), 0.05);

    // As loud as an ordinary General MIDI song, so the meters and the scope move: the
    // whole song's level (melody included) lies around -20 dBFS RMS, not near -40.
    const double level = 20 * std::log10(rms(played.audio, 0, songFrames));
    EXPECT_GT(level, -26.0);
    EXPECT_LT(level, -12.0);

    // Sound from start to end: every five-second stretch is audible.
    for (std::size_t start = 0; start < songFrames; start += 5 * kRenderRate) {
        EXPECT_GT(
            rms(played.audio, start, std::min<std::size_t>(5 * kRenderRate, songFrames - start)),
            1e-3)
            << start / kRenderRate;
    }

    // FluidSynth's reader hands over the same syllables, bytes unchanged.
    std::vector<std::string> heard;
    for (const PlayedEvent &e : played.events) {
        if (e.type == 0x01 && !e.text.starts_with('@')) {
            heard.push_back(e.text);
        }
    }
    std::vector<std::string> written;
    for (const ScannedEvent &e : syllables(s_song)) {
        written.emplace_back(e.text());
    }
    EXPECT_EQ(heard, written);
}
