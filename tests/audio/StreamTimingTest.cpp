// Where the stream places the song in time: events at the frames the tempo
// map gives, lengths, positions, seeking, reads of any size, the decay.

#include "audio/MidiStream.h"

#include "tests/audio/AudioFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace melorit::audio;
using namespace melorit::audio::testing;
using melorit::fixtures::MidiFileBuilder;

namespace {

// 480 ticks a quarter; 120 bpm, then 80 bpm from tick 1920.
MidiFileBuilder twoTempoSong()
{
    MidiFileBuilder song(1, 480);
    song.addTrack().tempo(500000).at(1920).tempo(750000).lyric("x").at(3840).endOfTrack();
    song.addTrack().note(0, 69, 100, 960, 240).note(0, 69, 100, 2400, 240);
    return song;
}

std::size_t frameOfTick(double tick)
{
    // 960 frames... by hand: 22050 frames a quarter, then 33075 from tick 1920.
    return tick <= 1920 ? std::size_t(std::llround(tick * 22050 / 480))
                        : std::size_t(std::llround(88200 + (tick - 1920) * 33075 / 480));
}

} // namespace

TEST(StreamTiming, NotesSoundWithinOneSynthBlockOfTheirTime)
{
    auto stream = openSong(twoTempoSong());
    ASSERT_TRUE(stream);
    const Samples out = decodeAll(*stream, 1000);
    // The sine's attack takes a few frames to leave zero.
    constexpr std::size_t kAttack = 8;
    const std::size_t first = firstSounding(out);
    EXPECT_GE(first, frameOfTick(960));
    EXPECT_LE(first, frameOfTick(960) + kSynthBlock + kAttack);
    const std::size_t silentBetween = frameOfTick(1200) + 4410; // after the release
    EXPECT_EQ(peak(out, silentBetween, frameOfTick(2400) - silentBetween), 0);
    const std::size_t second = firstSounding(out, 1, silentBetween);
    EXPECT_GE(second, frameOfTick(2400));
    EXPECT_LE(second, frameOfTick(2400) + kSynthBlock + kAttack);
}

TEST(StreamTiming, LengthsPositionsAndConversionsFollowTheTempoMap)
{
    auto stream = openSong(twoTempoSong());
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->length(PosUnit::Ticks), 3840u);
    EXPECT_EQ(stream->length(PosUnit::Bytes), frameOfTick(3840) * 4);
    EXPECT_EQ(stream->bytesAtTick(2400), frameOfTick(2400) * 4);
    EXPECT_EQ(stream->tickAtBytes(frameOfTick(2400) * 4), 2400u);
    EXPECT_DOUBLE_EQ(MidiStream::bytesToSeconds(176400), 1.0);
    EXPECT_EQ(MidiStream::secondsToBytes(1.5), 264600u);
    EXPECT_EQ(MidiStream::secondsToBytes(-2), 0u);

    ASSERT_EQ(stream->markCount(MarkType::Lyric), 1u);
    auto mark = stream->mark(MarkType::Lyric, 0);
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->bytePos, frameOfTick(1920) * 4);
    EXPECT_EQ(mark->text, "x");
    EXPECT_FALSE(stream->mark(MarkType::Lyric, 1));
    EXPECT_EQ(lastError(), Error::IllParam);

    EXPECT_EQ(stream->position(PosUnit::Bytes), 0u);
    decodeFrames(*stream, 44100);
    EXPECT_EQ(stream->position(PosUnit::Bytes), 176400u);
    EXPECT_EQ(stream->position(PosUnit::Ticks), 960u);
}

TEST(StreamTiming, SeekingLandsOnExactTicksAndBytes)
{
    auto stream = openSong(twoTempoSong());
    ASSERT_TRUE(stream);
    ASSERT_TRUE(stream->setPosition(2400, PosUnit::Ticks));
    EXPECT_EQ(stream->position(PosUnit::Ticks), 2400u);
    EXPECT_EQ(stream->position(PosUnit::Bytes), frameOfTick(2400) * 4);
    // The note at the new position plays at once.
    const Samples out = decodeFrames(*stream, 4410);
    EXPECT_LE(firstSounding(out), std::size_t(kSynthBlock + 8));

    // A mark's byte position gives back the mark's tick.
    const auto mark = stream->mark(MarkType::Lyric, 0);
    ASSERT_TRUE(stream->setPosition(mark->bytePos, PosUnit::Bytes));
    EXPECT_EQ(stream->position(PosUnit::Ticks), mark->tick);

    EXPECT_FALSE(stream->setPosition(3841, PosUnit::Ticks));
    EXPECT_EQ(lastError(), Error::Position);
    EXPECT_FALSE(stream->setPosition(stream->length(PosUnit::Bytes) + 4, PosUnit::Bytes));
    EXPECT_EQ(lastError(), Error::Position);
    EXPECT_TRUE(stream->setPosition(stream->length(PosUnit::Bytes), PosUnit::Bytes));
}

TEST(StreamTiming, ReadsOfAnySizeGiveTheSameBytes)
{
    auto whole = openSong(twoTempoSong());
    auto pieces = openSong(twoTempoSong());
    ASSERT_TRUE(whole && pieces);
    const Samples reference = decodeAll(*whole, 1 << 16);

    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> buffer(4096);
    const std::size_t sizes[] = {1, 1023, 3, 4096, 7, 2, 1024, 5};
    for (std::size_t i = 0; pieces->activeState() == ActiveState::Playing; ++i) {
        const std::size_t size = sizes[i % std::size(sizes)];
        const std::int64_t got = pieces->read(buffer.data(), size);
        ASSERT_GE(got, 0);
        bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + got);
        EXPECT_EQ(pieces->position(PosUnit::Bytes), bytes.size());
        if (got == 0) {
            break;
        }
    }
    ASSERT_EQ(bytes.size(), reference.size() * 2);
    EXPECT_EQ(std::memcmp(bytes.data(), reference.data(), bytes.size()), 0);
    EXPECT_EQ(pieces->read(buffer.data(), 100), 0);
    EXPECT_EQ(pieces->read(nullptr, 100), -1);
    EXPECT_EQ(lastError(), Error::IllParam);
}

TEST(StreamTiming, TheDecayGoesOnUntilTheNotesHaveDiedAway)
{
    MidiFileBuilder song(1, 480);
    // A note left held at the end: the decay releases it.
    song.addTrack().noteOn(0, 69, 100).at(480).controller(0, 91, 127).endOfTrack();
    auto decaying = openSong(song, true);
    auto cut = openSong(song, false);
    ASSERT_TRUE(decaying && cut);
    int ends = 0;
    decaying->setSync(SyncType::End, 0, [&](std::uint32_t data) {
        EXPECT_EQ(data, 0u);
        ++ends;
    });
    const Samples tail = decodeAll(*decaying);
    const Samples exact = decodeAll(*cut);
    EXPECT_EQ(exact.size() * 2, cut->length(PosUnit::Bytes));
    EXPECT_GT(tail.size(), exact.size());
    EXPECT_LT(tail.size(), exact.size() + 2 * 10 * 44100u);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(decaying->activeState(), ActiveState::Stopped);
    EXPECT_EQ(cut->activeState(), ActiveState::Stopped);
    // The reverb tail of the released note is there, and it ends in silence.
    EXPECT_GT(peak(tail, frameCount(exact), 2000), 100);
    EXPECT_LE(peak(tail, frameCount(tail) - 2000, 2000), 2);
    EXPECT_EQ(decaying->position(PosUnit::Ticks), 480u);
}

TEST(StreamTiming, TheDecayEndsSoonAfterTheSoundHasDiedAwayEvenWithVoicesLeft)
{
    // Real instruments keep voices in their release long after they went
    // silent; the next song must not wait for them.
    const auto font = SoundFont::load("/usr/share/sounds/sf2/TimGM6mb.sf2");
    ASSERT_TRUE(font);
    MidiFileBuilder song(1, 480);
    auto &track = song.addTrack();
    // Piano, strings and choir, two bars, then the end.
    track.programChange(0, 0).programChange(1, 48).programChange(2, 52);
    for (int channel = 0; channel < 3; ++channel) {
        track.note(channel, 60, 100, 0, 1920);
    }
    auto stream = openSong(song, true, font);
    ASSERT_TRUE(stream);
    const Samples all = decodeAll(*stream);
    std::size_t lastSound = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (std::abs(all[i]) > 2) {
            lastSound = i / 2;
        }
    }
    ASSERT_GT(lastSound, frameCount(all) / 2);
    EXPECT_LT(frameCount(all) - lastSound, 44100u / 4);
}

TEST(StreamTiming, StoppingEndsTheStreamAndSeekingRevivesIt)
{
    auto stream = openSong(twoTempoSong());
    ASSERT_TRUE(stream);
    decodeFrames(*stream, 1000);
    stream->stop();
    EXPECT_EQ(stream->activeState(), ActiveState::Stopped);
    std::vector<std::uint8_t> buffer(1024);
    EXPECT_EQ(stream->read(buffer.data(), buffer.size()), 0);
    ASSERT_TRUE(stream->setPosition(0, PosUnit::Bytes));
    EXPECT_EQ(stream->activeState(), ActiveState::Playing);
    EXPECT_EQ(stream->read(buffer.data(), buffer.size()), 1024);
}
