// Real songs from the corpus through the whole stream.

#include "audio/MidiStream.h"

#include "tests/audio/AudioFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace melorit::audio;
using namespace melorit::audio::testing;

namespace {

// Decodes a stream to its end. A long song is decoded for its first minute,
// then from half a minute before its end: every event still goes through the
// stream (the skipped ones through the seek's replay) while the test stays
// short. The corpus holds several hours of instrument catalogues.
std::uint64_t decodeToEnd(MidiStream &stream)
{
    constexpr std::uint64_t kMinute = 60ull * 176400;
    std::vector<std::uint8_t> buffer(1 << 16);
    std::uint64_t total = 0;
    bool skip = stream.length(PosUnit::Bytes) > 4 * kMinute;
    while (stream.activeState() == ActiveState::Playing) {
        if (skip && total >= kMinute) {
            EXPECT_TRUE(
                stream.setPosition(stream.length(PosUnit::Bytes) - kMinute / 2, PosUnit::Bytes));
            skip = false;
        }
        const std::int64_t got = stream.read(buffer.data(), buffer.size());
        EXPECT_GE(got, 0);
        if (got <= 0) {
            break;
        }
        total += static_cast<std::uint64_t>(got);
    }
    return total;
}

} // namespace

TEST(StreamCorpus, EveryCorpusSongDecodesToItsEnd)
{
    const std::filesystem::path corpus = MELORIT_CORPUS_DIR;
    int decoded = 0;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(corpus)) {
        const auto ext = entry.path().extension().string();
        if (ext != ".mid" && ext != ".kar") {
            continue;
        }
        MidiStream::Options options;
        options.font = sineFont();
        auto stream = MidiStream::openFile(entry.path().string(), options);
        if (!stream) {
            EXPECT_EQ(lastError(), Error::FileForm) << entry.path();
            continue;
        }
        int ends = 0;
        stream->setSync(SyncType::End, 0, [&](std::uint32_t) { ++ends; });
        const std::uint64_t total = decodeToEnd(*stream);
        EXPECT_EQ(ends, 1) << entry.path();
        EXPECT_GE(stream->position(PosUnit::Bytes), stream->length(PosUnit::Bytes)) << entry.path();
        EXPECT_GT(total, 0u) << entry.path();
        EXPECT_EQ(stream->position(PosUnit::Ticks), stream->length(PosUnit::Ticks)) << entry.path();
        ++decoded;
    }
    EXPECT_GE(decoded, 70);
}

TEST(StreamCorpus, AKaraokeSongWithTheGeneralMidiFont)
{
    auto font = SoundFont::load(kGeneralMidiFont);
    ASSERT_TRUE(font);
    MidiStream::Options options;
    options.font = font;
    const auto path = std::filesystem::path(MELORIT_CORPUS_DIR) / "karaoke/twinkle.kar";
    auto stream = MidiStream::openFile(path.string(), options);
    ASSERT_TRUE(stream);
    ASSERT_GT(stream->markCount(MarkType::Text), 10u);
    std::vector<std::uint32_t> texts;
    stream->setSync(SyncType::Text, 0, [&](std::uint32_t index) { texts.push_back(index); });
    const Samples out = decodeAll(*stream, 1024);
    EXPECT_EQ(texts.size(), stream->markCount(MarkType::Text));
    EXPECT_GT(rms(out, 0, frameCount(out)), 300.0);
    EXPECT_GT(out.size() * 2, stream->length(PosUnit::Bytes));
}

TEST(StreamCorpus, MangledSongsPlayWithoutHarm)
{
    melorit::fixtures::MidiFileBuilder builder(1, 96);
    auto &t = builder.addTrack().tempo(400000).lyric("la");
    t.sysex({0x41, 0x10, 0x42, 0x12, 0x40, 0x11, 0x15, 0x01, 0x19, 0xF7});
    builder.addTrack().note(0, 60, 100, 0, 48).note(9, 36, 100, 24, 48).controller(0, 121, 0);
    builder.track(1).at(60).controller(0, 101, 0).controller(0, 100, 0).controller(0, 6, 12);
    const melorit::fixtures::Bytes original = builder.build();
    std::uint32_t seed = 7;
    auto next = [&seed](std::uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % range;
    };
    MidiStream::Options options;
    options.font = sineFont();
    for (int round = 0; round < 150; ++round) {
        melorit::fixtures::Bytes bytes = original;
        for (int i = 0; i < 3; ++i) {
            bytes[14 + next(static_cast<std::uint32_t>(bytes.size() - 14))] =
                static_cast<std::uint8_t>(next(256));
        }
        auto file = readMidi(bytes).file;
        if (!file) {
            continue;
        }
        auto stream = MidiStream::open(file, options);
        ASSERT_TRUE(stream);
        stream->sendEvent(0, MidiEvent::Transpose, 100 + next(40));
        decodeFrames(*stream, 2000);
        stream->setPosition(stream->length(PosUnit::Ticks) / 2, PosUnit::Ticks);
        decodeFrames(*stream, 2000);
        EXPECT_GE(stream->position(PosUnit::Ticks), stream->length(PosUnit::Ticks) / 2);
    }
}
