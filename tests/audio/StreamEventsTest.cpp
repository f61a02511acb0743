// Events and current values: what the song sets, what the program sends, what
// a seek restores, and mixing-time watchers that override the song.

#include "audio/MidiStream.h"

#include "tests/audio/AudioFixtures.h"

#include <gtest/gtest.h>

using namespace melorit::audio;
using namespace melorit::audio::testing;
using melorit::fixtures::MidiFileBuilder;

TEST(StreamEvents, CurrentValuesFollowTheSongAndTheProgram)
{
    MidiFileBuilder song(1, 480);
    auto &t = song.addTrack().at(480);
    t.controller(4, 7, 90).controller(4, 10, 30).controller(4, 91, 40).controller(4, 93, 50);
    t.controller(4, 0, 8).programChange(4, 2).pitchBend(4, 10000).tempo(400000);
    t.at(960).endOfTrack();
    auto stream = openSong(song);

    // Before the song has set anything: a synthesizer's power-on values.
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Volume), 100);
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Pan), 64);
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Reverb), 0);
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Program), 0);
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Bank), 0);
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Pitch), 8192);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Tempo), 500000);

    decodeFrames(*stream, 30000); // past tick 480
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Volume), 90);
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Pan), 30);
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Reverb), 40);
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Chorus), 50);
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Bank), 8);
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Program), 2);
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Pitch), 10000);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Tempo), 400000);
    EXPECT_EQ(stream->eventValue(3, MidiEvent::Volume), 100);

    ASSERT_TRUE(stream->sendEvent(4, MidiEvent::Volume, 12));
    ASSERT_TRUE(stream->sendEvent(4, MidiEvent::Bank, 0));
    ASSERT_TRUE(stream->sendEvent(0, MidiEvent::Tempo, 600000));
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Volume), 12);
    EXPECT_EQ(stream->eventValue(4, MidiEvent::Bank), 0);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Tempo), 600000);
}

TEST(StreamEvents, BadEventsAreRefusedWithTheirErrorCode)
{
    MidiFileBuilder song(1, 480);
    song.addTrack().note(0, 60, 100, 0, 480);
    auto stream = openSong(song);
    EXPECT_FALSE(stream->sendEvent(16, MidiEvent::Volume, 10));
    EXPECT_EQ(lastError(), Error::IllParam);
    EXPECT_FALSE(stream->sendEvent(-1, MidiEvent::Volume, 10));
    EXPECT_EQ(lastError(), Error::IllParam);
    EXPECT_FALSE(stream->sendEvent(0, MidiEvent::Volume, 128));
    EXPECT_EQ(lastError(), Error::IllParam);
    EXPECT_FALSE(stream->sendEvent(0, MidiEvent::Tempo, 0));
    EXPECT_EQ(lastError(), Error::IllParam);
    EXPECT_FALSE(stream->sendEvent(0, static_cast<MidiEvent>(99), 1));
    EXPECT_EQ(lastError(), Error::IllType);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Note), -1);
    EXPECT_EQ(lastError(), Error::IllType);
    EXPECT_EQ(stream->eventValue(16, MidiEvent::Volume), -1);
    EXPECT_EQ(lastError(), Error::IllParam);
    EXPECT_TRUE(stream->sendEvent(0, MidiEvent::Volume, 127));
    EXPECT_EQ(lastError(), Error::Ok);
}

TEST(StreamEvents, GlobalEffectParametersKeepTheirValuesWithinRange)
{
    MidiFileBuilder song(1, 480);
    song.addTrack().note(0, 60, 100, 0, 480);
    auto stream = openSong(song);
    // FluidSynth's own defaults in the parameters' units.
    EXPECT_EQ(stream->eventValue(0, MidiEvent::ReverbTime), 2000);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::ReverbLevel), 900);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::ChorusLevel), 200);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::ChorusFeedback), 0);
    ASSERT_TRUE(stream->sendEvent(0, MidiEvent::ReverbTime, 20000));
    EXPECT_EQ(stream->eventValue(0, MidiEvent::ReverbTime), 10000);
    ASSERT_TRUE(stream->sendEvent(0, MidiEvent::ChorusFeedback, 150));
    EXPECT_EQ(stream->eventValue(0, MidiEvent::ChorusFeedback), 150);
    EXPECT_EQ(stream->eventValue(7, MidiEvent::ChorusFeedback), 150); // global
}

TEST(StreamEvents, ASeekRestoresTheStateAtTheTargetAndSilencesNotes)
{
    MidiFileBuilder song(1, 480);
    auto &t = song.addTrack();
    t.programChange(0, 1).controller(0, 7, 110).tempo(500000); // "Sine High": 880 Hz
    t.note(0, 69, 100, 0, 1900);
    t.at(1920).programChange(0, 2).controller(0, 7, 70).pitchBend(0, 4000).tempo(250000);
    t.note(0, 69, 100, 2880, 960);
    auto stream = openSong(song);
    stream->sendEvent(0, MidiEvent::Program, 0); // the program's own change, forgotten by a seek

    ASSERT_TRUE(stream->setPosition(2400, PosUnit::Ticks));
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Program), 2);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Volume), 70);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Pitch), 4000);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Tempo), 250000);
    stream->sendEvent(0, MidiEvent::Pitch, 8192);
    const Samples low = decodeFrames(*stream, 30000);
    EXPECT_EQ(peak(low, 0, 10000), 0); // nothing sounds until tick 2880
    EXPECT_NEAR(frequency(low, 13000, 15000), 220.0, 2.0);

    ASSERT_TRUE(stream->setPosition(960, PosUnit::Ticks));
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Program), 1);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Volume), 110);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Pitch), 8192);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Tempo), 500000);
    // The note that started before tick 960 is not brought back.
    EXPECT_EQ(peak(decodeFrames(*stream, 4410), 0, 4410), 0);
}

TEST(StreamEvents, AMixTimeWatcherOverridesTheSongWithoutAGlitch)
{
    MidiFileBuilder song(1, 480);
    auto &t = song.addTrack().controller(0, 7, 40).note(0, 69, 100, 0, 1920);
    t.at(960).controller(0, 7, 127);

    auto plain = openSong(song);
    const Samples loud = decodeFrames(*plain, 66150);

    auto stream = openSong(song);
    std::vector<std::uint32_t> seen;
    stream->setSync(
        SyncType::MidiEvent, static_cast<std::uint64_t>(MidiEvent::Volume),
        [&](std::uint32_t data) {
            seen.push_back(data);
            const int channel = static_cast<int>(data >> 16);
            if ((data & 0xFFFF) != 40) {
                stream->sendEvent(channel, MidiEvent::Volume, 40);
            }
        },
        SyncTiming::MixTime);
    const Samples held = decodeFrames(*stream, 66150);

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], 40u);
    EXPECT_EQ(seen[1], 127u); // channel 0, value 127
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Volume), 40);
    const int before = peak(held, 20000, 20000);
    EXPECT_EQ(peak(held, 44100 - 2000, 22050), before);                // not one louder sample
    EXPECT_GT(peak(loud, 44100 + kSynthBlock * 2, 20000), 2 * before); // the song's value
}

TEST(StreamEvents, ProgramWatchersKeepTheOverriddenInstrument)
{
    MidiFileBuilder song(1, 480);
    song.addTrack().note(0, 69, 100, 0, 1920).at(960).programChange(0, 2);
    auto stream = openSong(song);
    stream->setSync(kSyncMixTimeFlag | static_cast<std::uint32_t>(SyncType::MidiEvent),
                    static_cast<std::uint64_t>(MidiEvent::Program), [&](std::uint32_t data) {
                        stream->sendEvent(static_cast<int>(data >> 16), MidiEvent::Bank, 0);
                        stream->sendEvent(static_cast<int>(data >> 16), MidiEvent::Program, 1);
                    });
    decodeFrames(*stream, 50000);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Program), 1);
    stream->sendEvent(0, MidiEvent::Note, 69 | (100 << 8));
    EXPECT_NEAR(frequency(decodeFrames(*stream, 20000), 2000, 17000), 880.0, 3.0);
}

TEST(StreamEvents, ATempoSentToTheStreamChangesTheRateOfTheRest)
{
    MidiFileBuilder song(1, 480);
    song.addTrack()
        .tempo(500000)
        .note(0, 69, 100, 0, 100)
        .at(960)
        .tempo(1000000)
        .at(1920)
        .endOfTrack();
    auto reference = openSong(song, false);
    const std::uint64_t length = reference->length(PosUnit::Bytes); // 1 s + 2 s
    EXPECT_EQ(length, 3u * 176400u);

    // A watcher that halves every tempo of the song, as the tempo control does.
    auto fast = openSong(song, false);
    fast->setSync(
        SyncType::MidiEvent, static_cast<std::uint64_t>(MidiEvent::Tempo),
        [&](std::uint32_t) {
            const auto tempo = static_cast<std::uint32_t>(fast->eventValue(0, MidiEvent::Tempo));
            fast->sendEvent(0, MidiEvent::Tempo, tempo / 2);
        },
        SyncTiming::MixTime);
    const Samples out = decodeAll(*fast);
    EXPECT_NEAR(double(out.size() * 2), double(length) / 2, 4.0 * 64);
    EXPECT_EQ(fast->position(PosUnit::Ticks), 1920u);
    EXPECT_EQ(fast->eventValue(0, MidiEvent::Tempo), 500000);
}

TEST(StreamEvents, SystemExclusiveResetsAndDrumParts)
{
    MidiFileBuilder song(1, 480);
    auto &t = song.addTrack();
    // GS: part 1 (channel 0) becomes a drum part.
    t.sysex({0x41, 0x10, 0x42, 0x12, 0x40, 0x11, 0x15, 0x01, 0x19, 0xF7});
    t.note(0, 69, 100, 0, 480);
    t.at(960).sysex({0x7E, 0x7F, 0x09, 0x01, 0xF7}); // GM on: everything back to the start
    t.note(0, 69, 100, 960, 480).note(1, 69, 100, 960, 480);
    auto stream = openSong(song);
    std::vector<std::uint32_t> drums;
    stream->setSync(SyncType::MidiEvent, static_cast<std::uint64_t>(MidiEvent::Drums),
                    [&](std::uint32_t data) { drums.push_back(data); });
    stream->sendEvent(0, MidiEvent::Transpose, 112);
    stream->sendEvent(1, MidiEvent::MixLevel, 0);
    const Samples first = decodeFrames(*stream, 20000);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Drums), 1);
    ASSERT_EQ(drums.size(), 1u);
    EXPECT_EQ(drums[0], 1u);                                // channel 0, drums on
    EXPECT_NEAR(frequency(first, 2000, 15000), 440.0, 2.0); // a drum key is not transposed
    const Samples second = decodeFrames(*stream, 50000);
    EXPECT_EQ(stream->eventValue(0, MidiEvent::Drums), 0);
    // Channel 0 is melodic again and transposed; channel 1 stays muted.
    EXPECT_NEAR(frequency(second, 44100 - 20000 + 2000, 15000), 880.0, 3.0);
}
