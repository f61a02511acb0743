// The mixer's events on a stream: mix level, transposition, drum mode, fonts.

#include "audio/MidiStream.h"

#include "tests/audio/AudioFixtures.h"
#include "tests/support/SoundFontBuilder.h"

#include <gtest/gtest.h>

using namespace melorit::audio;
using namespace melorit::audio::testing;
using melorit::fixtures::MidiFileBuilder;

namespace {

// One note, key 69, on a channel, from tick 0 for a second (120 bpm, 480 ppq).
MidiFileBuilder oneNote(int channel, int reverb = 0, int chorus = 0)
{
    MidiFileBuilder song(1, 480);
    auto &t = song.addTrack();
    t.controller(channel, 91, reverb).controller(channel, 93, chorus);
    t.note(channel, 69, 100, 0, 960);
    return song;
}

double noteRms(int mixLevel, int playing = 0, int otherChannel = -1, int otherLevel = 100)
{
    auto stream = openSong(oneNote(playing));
    stream->sendEvent(playing, MidiEvent::MixLevel, static_cast<std::uint32_t>(mixLevel));
    if (otherChannel >= 0) {
        stream->sendEvent(otherChannel, MidiEvent::MixLevel,
                          static_cast<std::uint32_t>(otherLevel));
    }
    return rms(decodeFrames(*stream, 30000), 5000, 20000);
}

} // namespace

TEST(StreamMix, MixLevelZeroSilencesAChannelAndItsEffectSends)
{
    auto muted = openSong(oneNote(1, 127, 127));
    ASSERT_TRUE(muted->sendEvent(1, MidiEvent::MixLevel, 0));
    EXPECT_EQ(muted->eventValue(1, MidiEvent::MixLevel), 0);
    const Samples silent = decodeAll(*muted);
    ASSERT_GT(frameCount(silent), 44100u);
    EXPECT_EQ(peak(silent, 0, frameCount(silent), 0), 0);
    EXPECT_EQ(peak(silent, 0, frameCount(silent), 1), 0);

    auto other = openSong(oneNote(1, 127, 127));
    ASSERT_TRUE(other->sendEvent(0, MidiEvent::MixLevel, 0));
    EXPECT_GT(peak(decodeAll(*other), 0, 44100), 1000);

    // Muted while the note sounds (no effects): silent within two synth blocks.
    auto late = openSong(oneNote(2));
    decodeFrames(*late, 10000);
    late->sendEvent(2, MidiEvent::MixLevel, 0);
    const Samples after = decodeFrames(*late, 10000);
    EXPECT_GT(peak(after, 0, 10), 100);
    EXPECT_EQ(peak(after, 2 * kSynthBlock, 9000), 0);
}

TEST(StreamMix, MixLevelsScaleTheAmplitudeBothWays)
{
    const double unity = noteRms(100);
    ASSERT_GT(unity, 500);
    EXPECT_NEAR(noteRms(200) / unity, 2.0, 0.02);
    EXPECT_NEAR(noteRms(50) / unity, 0.5, 0.01);
    // Another channel raised to 200 leaves this one as it was.
    EXPECT_NEAR(noteRms(100, 0, 5, 200) / unity, 1.0, 0.01);
    EXPECT_NEAR(noteRms(150, 0, 5, 200) / unity, 1.5, 0.015);

    auto stream = openSong(oneNote(0));
    EXPECT_FALSE(stream->sendEvent(0, MidiEvent::MixLevel, 201));
    EXPECT_EQ(lastError(), Error::IllParam);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::MixLevel), 100);
}

TEST(StreamMix, TranspositionShiftsPitchButNotDrums)
{
    auto up = openSong(oneNote(0));
    ASSERT_TRUE(up->sendEvent(0, MidiEvent::Transpose, 112));
    EXPECT_EQ(up->eventValue(0, MidiEvent::Transpose), 112);
    EXPECT_NEAR(frequency(decodeFrames(*up, 20000), 2000, 17000), 880.0, 3.0);

    auto down = openSong(oneNote(0));
    down->sendEvent(0, MidiEvent::Transpose, 88);
    EXPECT_NEAR(frequency(decodeFrames(*down, 20000), 2000, 17000), 220.0, 2.0);

    auto drums = openSong(oneNote(9)); // channel 9 plays the kit, key 69 at 440 Hz
    drums->sendEvent(9, MidiEvent::Transpose, 112);
    EXPECT_NEAR(frequency(decodeFrames(*drums, 20000), 2000, 17000), 440.0, 2.0);

    auto plain = openSong(oneNote(0));
    EXPECT_NEAR(frequency(decodeFrames(*plain, 20000), 2000, 17000), 440.0, 2.0);
}

TEST(StreamMix, HeldNotesEndOnTheKeyTheyStartedOn)
{
    MidiFileBuilder song(1, 480);
    song.addTrack().note(0, 69, 100, 0, 960).note(0, 69, 100, 1440, 480);
    auto stream = openSong(song, false);
    const Samples before = decodeFrames(*stream, 11025);
    stream->sendEvent(0, MidiEvent::Transpose, 112);
    const Samples rest = decodeAll(*stream);
    EXPECT_NEAR(frequency(before, 2000, 9000), 440.0, 2.0);
    EXPECT_NEAR(frequency(rest, 2000, 20000), 440.0, 2.0); // still the held note
    // Its note-off ended it: silence until the next note, which is transposed.
    const std::size_t offFrame = 44100 - 11025;
    EXPECT_EQ(peak(rest, offFrame + 4410, 22050 - 4410 - 100), 0);
    EXPECT_NEAR(frequency(rest, offFrame + 22050 + 1000, 15000), 880.0, 3.0);
}

TEST(StreamMix, DrumModeSelectsTheDrumBank)
{
    auto stream = openSong(oneNote(3));
    EXPECT_EQ(stream->eventValue(3, MidiEvent::Drums), 0);
    EXPECT_EQ(stream->eventValue(9, MidiEvent::Drums), 1);
    stream->sendEvent(3, MidiEvent::Program, 1); // "Sine High": 880 Hz
    ASSERT_TRUE(stream->sendEvent(3, MidiEvent::Drums, 1));
    EXPECT_EQ(stream->eventValue(3, MidiEvent::Drums), 1);
    stream->sendEvent(3, MidiEvent::Program, 0); // the kit: 440 Hz
    stream->sendEvent(3, MidiEvent::Transpose, 112);
    EXPECT_NEAR(frequency(decodeFrames(*stream, 20000), 2000, 17000), 440.0, 2.0);
}

TEST(StreamMix, AnotherFontTakesOverWithTheChannelsState)
{
    melorit::fixtures::SoundFontBuilder builder;
    builder.addPreset("Other A", 0, 1, 69); // program 1 at 440 Hz here
    const auto path = scratchDir() / "other.sf2";
    ASSERT_TRUE(builder.writeTo(path));
    auto other = SoundFont::load(path.string());
    ASSERT_TRUE(other);

    MidiFileBuilder song(1, 480);
    song.addTrack().programChange(0, 1).note(0, 69, 100, 0, 1920);
    auto stream = openSong(song);
    EXPECT_NEAR(frequency(decodeFrames(*stream, 20000), 2000, 17000), 880.0, 3.0);
    stream->sendEvent(0, MidiEvent::MixLevel, 50);
    ASSERT_TRUE(stream->setFont(other));
    EXPECT_EQ(stream->font(), other);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Program), 1);
    stream->sendEvent(0, MidiEvent::Note, 69 | (100 << 8));
    const Samples after = decodeFrames(*stream, 20000);
    EXPECT_NEAR(frequency(after, 2000, 17000), 440.0, 2.0);
    EXPECT_NEAR(rms(after, 2000, 17000) / noteRms(100), 0.5, 0.02);
}
