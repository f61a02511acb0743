#include "audio/MidiFile.h"

#include "tests/audio/AudioFixtures.h"
#include "tests/support/MidiFileBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace melorit::audio;
using melorit::fixtures::Bytes;
using melorit::fixtures::MidiFileBuilder;

namespace {

std::shared_ptr<const MidiFile> parse(const Bytes &bytes)
{
    MidiReadResult result = readMidi(bytes);
    EXPECT_EQ(result.error, Error::Ok);
    return result.file;
}

std::vector<const SongEvent *> channelEvents(const MidiFile &file)
{
    std::vector<const SongEvent *> out;
    for (const SongEvent &e : file.events()) {
        if (e.kind == SongEvent::Kind::Channel) {
            out.push_back(&e);
        }
    }
    return out;
}

} // namespace

TEST(MidiFile, MergesTracksByTickThenTrackAndNumbersMarksAcrossTracks)
{
    MidiFileBuilder builder(1, 96);
    builder.addTrack().trackName("Words").at(0).lyric("a").at(96).lyric("c").at(96).text("t0");
    builder.addTrack().at(96).lyric("b").at(48).lyric("early").note(2, 60, 90, 10, 20);
    auto file = parse(builder.build());
    ASSERT_TRUE(file);

    EXPECT_EQ(file->format(), 1);
    EXPECT_EQ(file->trackCount(), 2);
    EXPECT_EQ(file->trackName(0), "Words");
    EXPECT_EQ(file->trackName(1), "");
    ASSERT_EQ(file->markCount(MarkType::Lyric), 4u);
    const char *expected[] = {"a", "early", "c", "b"}; // tick 96: track 0 before track 1
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(file->mark(MarkType::Lyric, i)->text, expected[i]) << i;
    }
    EXPECT_EQ(file->mark(MarkType::Lyric, 2)->track, 0);
    EXPECT_EQ(file->mark(MarkType::Lyric, 3)->track, 1);
    EXPECT_EQ(file->mark(MarkType::Lyric, 3)->tick, 96u);
    EXPECT_FALSE(file->mark(MarkType::Lyric, 4));
    ASSERT_EQ(file->markCount(MarkType::Text), 1u);
    EXPECT_EQ(file->mark(MarkType::Text, 0)->text, "t0");
    EXPECT_EQ(file->markCount(MarkType::Marker), 0u);

    std::uint32_t previous = 0;
    for (const SongEvent &e : file->events()) {
        EXPECT_GE(e.tick, previous);
        previous = e.tick;
    }
}

TEST(MidiFile, NotesOfATrackWithNoteOffsAsVelocityZero)
{
    MidiFileBuilder builder(1, 480);
    builder.addTrack().tempo(400000);
    auto &t = builder.addTrack().noteOffAsNoteOn().useRunningStatus();
    t.note(3, 64, 100, 0, 240).note(3, 67, 80, 240, 240);
    builder.addTrack().at(0).noteOn(5, 40, 70).at(10).noteOff(5, 40, 64);
    auto file = parse(builder.build());
    ASSERT_TRUE(file);

    EXPECT_TRUE(file->notes(0).empty());
    auto notes = file->notes(1);
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0].tick, 0u);
    EXPECT_EQ(notes[0].channel, 3);
    EXPECT_EQ(notes[0].key, 64);
    EXPECT_EQ(notes[0].velocity, 100);
    EXPECT_EQ(notes[1].velocity, 0); // written as a note-on at velocity 0
    EXPECT_EQ(notes[1].tick, 240u);
    EXPECT_EQ(notes[2].key, 67);
    EXPECT_EQ(notes[3].tick, 480u);
    auto other = file->notes(2);
    ASSERT_EQ(other.size(), 2u);
    EXPECT_EQ(other[1].velocity, 0); // a real note-off, whatever its release velocity
    EXPECT_TRUE(file->notes(7).empty());
    EXPECT_TRUE(file->notes(-1).empty());
}

TEST(MidiFile, RunningStatusSurvivesMetaEventsAndSystemMessagesAreSkipped)
{
    MidiFileBuilder builder(0, 96);
    auto &t = builder.addTrack();
    // 90 3C 40, meta, then 3E 40 on the running status; then F1 xx, F8, F2 xx xx.
    t.raw({0x90, 0x3C, 0x40}).raw({0xFF, 0x01, 0x01, 'x'}).raw({0x3E, 0x40});
    t.raw({0xF1, 0x10}).raw({0xF8}).raw({0xF2, 0x01, 0x02}).raw({0x80, 0x3C, 0x00});
    auto file = parse(builder.build());
    ASSERT_TRUE(file);
    auto events = channelEvents(*file);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[1]->status, 0x90);
    EXPECT_EQ(events[1]->data1, 0x3E);
    EXPECT_EQ(events[2]->status, 0x80);
    EXPECT_FALSE(file->damaged());
}

TEST(MidiFile, SysexMessagesAreAssembledFromTheirPackets)
{
    MidiFileBuilder builder(0, 96);
    auto &t = builder.addTrack();
    t.sysex({0x7E, 0x7F, 0x09, 0x01, 0xF7});           // complete
    t.after(10).sysex({0x43, 0x10, 0x4C});             // first packet, no F7
    t.after(10).sysexEscape({0x00, 0x00, 0x7E, 0xF7}); // its continuation
    t.after(10).sysexEscape({0xF8});                   // an escape: no message
    auto file = parse(builder.build());
    ASSERT_TRUE(file);
    std::vector<std::vector<std::uint8_t>> messages;
    for (const SongEvent &e : file->events()) {
        if (e.kind == SongEvent::Kind::Sysex) {
            auto bytes = file->sysexBytes(file->sysex(e.value));
            messages.emplace_back(bytes.begin(), bytes.end());
        }
    }
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], (std::vector<std::uint8_t>{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));
    EXPECT_EQ(messages[1],
              (std::vector<std::uint8_t>{0xF0, 0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0xF7}));
}

TEST(MidiFile, TempoMapFromTempoEventsOfAnyTrack)
{
    MidiFileBuilder builder(1, 480);
    builder.addTrack().tempo(500000).at(960).tempo(1000000);
    builder.addTrack().note(0, 60, 100, 0, 1920);
    auto file = parse(builder.build());
    ASSERT_TRUE(file);
    const TempoMap &map = file->tempoMap();
    EXPECT_DOUBLE_EQ(map.framesAt(960), 44100.0);
    EXPECT_DOUBLE_EQ(map.framesAt(1440), 88200.0);
    EXPECT_EQ(map.tempoAt(1000), 1000000u);
    EXPECT_EQ(file->lengthTicks(), 1920u);
}

TEST(MidiFile, SmpteDivisionGivesAFixedRateAndIgnoresTempo)
{
    MidiFileBuilder builder(0, 0xE728); // -25 fps, 40 ticks a frame: 1000 ticks a second
    builder.addTrack().tempo(250000).note(0, 60, 100, 0, 1000);
    auto file = parse(builder.build());
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->tempoMap().isFixedRate());
    EXPECT_DOUBLE_EQ(file->tempoMap().framesAt(1000), 44100.0);
    EXPECT_EQ(file->tempoMap().tempoAt(500), TempoMap::kDefaultTempo);

    MidiFileBuilder bad(0, 0xE500); // -27 fps does not exist
    bad.addTrack().note(0, 60, 100, 0, 10);
    EXPECT_EQ(readMidi(bad.build()).error, Error::FileForm);
}

TEST(MidiFile, FormatTwoPlaysItsTracksOneAfterAnother)
{
    MidiFileBuilder builder(2, 96);
    builder.addTrack().note(0, 60, 100, 0, 96).at(192).endOfTrack();
    builder.addTrack().note(0, 62, 100, 0, 96).lyric("x");
    auto file = parse(builder.build());
    ASSERT_TRUE(file);
    auto second = file->notes(1);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].tick, 192u);
    EXPECT_EQ(file->mark(MarkType::Lyric, 0)->tick, 192u);
    EXPECT_EQ(file->lengthTicks(), 192u + 96u);
}

TEST(MidiFile, LengthCountsTheEndOfTrackEvent)
{
    MidiFileBuilder builder(1, 96);
    builder.addTrack().note(0, 60, 100, 0, 96).at(400).endOfTrack();
    auto file = parse(builder.build());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->lengthTicks(), 400u);
}

TEST(MidiFile, DamagedFilesKeepWhatCouldBeReadOrAreRejected)
{
    EXPECT_EQ(readMidi(Bytes{}).error, Error::FileForm);
    EXPECT_EQ(readMidi(melorit::fixtures::bytesOf("not a midi file")).error, Error::FileForm);

    MidiFileBuilder noTracks(1, 96);
    EXPECT_EQ(readMidi(noTracks.build()).error, Error::FileForm);

    MidiFileBuilder zeroDivision(1, 0);
    zeroDivision.addTrack().note(0, 60, 100, 0, 10);
    EXPECT_EQ(readMidi(zeroDivision.build()).error, Error::FileForm);

    // A track whose chunk claims more bytes than the file holds.
    MidiFileBuilder truncated(1, 96);
    truncated.addTrack().note(0, 60, 100, 0, 10).note(0, 62, 100, 20, 10).declareLength(1000);
    auto file = parse(truncated.build());
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->damaged());
    EXPECT_EQ(file->notes(0).size(), 4u);

    // A message cut short by a status byte, or a data byte with no status to
    // run on, ends the track; what came before stays.
    MidiFileBuilder garbled(1, 96);
    garbled.addTrack().note(0, 60, 100, 0, 10).at(20).raw({0x90, 0x3C, 0x90}).note(0, 62, 1, 30, 5);
    garbled.addTrack().raw({0x40, 0x40}).note(1, 60, 100, 0, 10);
    file = parse(garbled.build());
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->damaged());
    EXPECT_EQ(file->notes(0).size(), 2u);
    EXPECT_TRUE(file->notes(1).empty());

    // Fewer tracks than the header declares.
    MidiFileBuilder missing(1, 96);
    missing.addTrack().note(0, 60, 100, 0, 10);
    missing.declareTrackCount(3);
    file = parse(missing.build());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->trackCount(), 1);
    EXPECT_TRUE(file->damaged());
}

TEST(MidiFile, UnknownChunksAndRiffWrappersAreHandled)
{
    MidiFileBuilder builder(1, 96);
    builder.addRawChunk("Junk", melorit::fixtures::bytesOf("not a track"));
    builder.addTrack().note(0, 60, 100, 0, 10);
    Bytes smf = builder.build();
    auto file = parse(smf);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->trackCount(), 1);

    Bytes rmid = melorit::fixtures::bytesOf("RIFF");
    melorit::fixtures::appendLittleEndian(rmid, static_cast<std::uint32_t>(smf.size() + 12), 4);
    const Bytes head = melorit::fixtures::bytesOf("RMIDdata");
    rmid.insert(rmid.end(), head.begin(), head.end());
    melorit::fixtures::appendLittleEndian(rmid, static_cast<std::uint32_t>(smf.size()), 4);
    rmid.insert(rmid.end(), smf.begin(), smf.end());
    file = parse(rmid);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->notes(0).size(), 2u);
}

TEST(MidiFile, RiffChunkSizesNearFourGigabytesEndTheWalk)
{
    // A chunk of 0xFFFFFFF7 bytes: its step of 8 + size + pad is 2^32.
    for (const std::uint32_t size : {0xFFFFFFF7u, 0xFFFFFFF8u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(size);
        Bytes rmid = melorit::fixtures::bytesOf("RIFF");
        melorit::fixtures::appendLittleEndian(rmid, 40, 4);
        const Bytes head = melorit::fixtures::bytesOf("RMIDjunk");
        rmid.insert(rmid.end(), head.begin(), head.end());
        melorit::fixtures::appendLittleEndian(rmid, size, 4);
        rmid.resize(rmid.size() + 24, 0xFF);
        const MidiReadResult result = readMidi(rmid);
        EXPECT_FALSE(result.file);
        EXPECT_EQ(result.error, Error::FileForm);
    }
}

// Inputs the fuzzer found, kept as they were found: read without a crash or
// a hang, whatever they give.
TEST(MidiFile, FuzzFindingsAreReadOrRefused)
{
    const auto folder = std::filesystem::path(MELORIT_SOURCE_DIR) / "tests" / "data" / "fuzz";
    int files = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().string());
        const MidiReadResult result = readMidiFile(entry.path().string());
        EXPECT_EQ(result.file != nullptr, result.error == Error::Ok);
        ++files;
    }
    EXPECT_GT(files, 1);
}

TEST(MidiFile, ReadsFilesByUtf8PathAndReportsMissingOnes)
{
    const auto dir = melorit::audio::testing::scratchDir();
    const auto path = dir / "Chanson d\xC3\xA9j\xC3\xA0 vue.mid";
    MidiFileBuilder builder(1, 96);
    builder.addTrack().note(0, 60, 100, 0, 10);
    ASSERT_TRUE(builder.writeTo(path));
    MidiReadResult result = readMidiFile(path.string());
    EXPECT_EQ(result.error, Error::Ok);
    EXPECT_TRUE(result.file);
    EXPECT_EQ(lastError(), Error::Ok);

    result = readMidiFile((dir / "missing.mid").string());
    EXPECT_EQ(result.error, Error::FileOpen);
    EXPECT_EQ(lastError(), Error::FileOpen);
    EXPECT_EQ(readMidiFile(dir.string()).error, Error::FileOpen);
}

TEST(MidiFile, EveryCorpusFileLoadsOrIsRejectedCleanly)
{
    const std::filesystem::path corpus = MELORIT_CORPUS_DIR;
    int loaded = 0;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(corpus)) {
        const auto ext = entry.path().extension().string();
        if (ext != ".mid" && ext != ".kar") {
            continue;
        }
        MidiReadResult result = readMidiFile(entry.path().string());
        if (result.file) {
            ++loaded;
            EXPECT_GE(result.file->trackCount(), 1) << entry.path();
        } else {
            EXPECT_EQ(result.error, Error::FileForm) << entry.path();
        }
    }
    EXPECT_GE(loaded, 70);
}

TEST(MidiFile, CorpusFilesWithIllegalOrCutBytesStillHoldTheirScale)
{
    const std::filesystem::path dir = std::filesystem::path(MELORIT_CORPUS_DIR) / "midi/jazz-soft";
    for (const char *name : {"test-illegal-message-all.mid", "test-corrupt-file-missing-byte.mid",
                             "test-corrupt-file-extra-byte.mid",
                             "test-running-status-metaevent.mid", "test-non-midi-track.mid"}) {
        MidiReadResult result = readMidiFile((dir / name).string());
        ASSERT_TRUE(result.file) << name;
        int noteOns = 0;
        for (const NoteEvent &n : result.file->notes(0)) {
            noteOns += n.velocity > 0 ? 1 : 0;
        }
        EXPECT_EQ(noteOns, 8) << name; // "You must hear a C-Major scale"
    }
    EXPECT_EQ(readMidiFile((dir / "test-empty-file.mid").string()).error, Error::FileForm);
    EXPECT_EQ(readMidiFile((dir / "test-not-a-midi-file.mid").string()).error, Error::FileForm);
}

TEST(MidiFile, MangledFilesNeverBreakTheReader)
{
    MidiFileBuilder builder(1, 96);
    builder.addTrack().tempo(400000).lyric("la").sysex({0x7E, 0x7F, 0x09, 0x01, 0xF7});
    builder.addTrack().useRunningStatus().note(0, 60, 100, 0, 10).note(0, 62, 100, 20, 10);
    builder.track(1).controller(0, 7, 100).pitchBend(0, 9000).text("t");
    const Bytes original = builder.build();
    std::uint32_t seed = 1;
    auto next = [&seed](std::uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % range;
    };
    int read = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes = original;
        const std::uint32_t changes = 1 + next(4);
        for (std::uint32_t i = 0; i < changes; ++i) {
            bytes[next(static_cast<std::uint32_t>(bytes.size()))] =
                static_cast<std::uint8_t>(next(256));
        }
        if (next(4) == 0) {
            bytes.resize(next(static_cast<std::uint32_t>(bytes.size())));
        }
        MidiReadResult result = readMidi(bytes);
        if (!result.file) {
            EXPECT_EQ(result.error, Error::FileForm);
            continue;
        }
        ++read;
        std::uint32_t previous = 0;
        for (const SongEvent &e : result.file->events()) {
            ASSERT_GE(e.tick, previous);
            ASSERT_LE(e.tick, result.file->lengthTicks());
            previous = e.tick;
        }
        for (int type = 0; type < kMarkTypeCount; ++type) {
            const auto count = result.file->markCount(static_cast<MarkType>(type));
            for (std::size_t i = 0; i < count; ++i) {
                ASSERT_TRUE(result.file->mark(static_cast<MarkType>(type), i));
            }
        }
    }
    EXPECT_GT(read, 1000);
}
