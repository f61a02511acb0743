#include "tests/support/MidiFileBuilder.h"
#include "tests/support/FluidRender.h"
#include "tests/support/MidiScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace melorit::fixtures;

namespace {

Bytes header(int format, int tracks, int division)
{
    Bytes out = bytesOf("MThd");
    appendBigEndian(out, 6, 4);
    appendBigEndian(out, static_cast<std::uint32_t>(format), 2);
    appendBigEndian(out, static_cast<std::uint32_t>(tracks), 2);
    appendBigEndian(out, static_cast<std::uint32_t>(division), 2);
    return out;
}

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes &part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

Bytes varLen(std::uint32_t value)
{
    Bytes out;
    appendVarLen(out, value);
    return out;
}

} // namespace

TEST(MidiFileBuilder, TinyFileIsExactBytes)
{
    MidiFileBuilder file(0, 96);
    file.addTrack().noteOn(0, 60, 100).after(96).noteOff(0, 60, 64);
    const Bytes expected = {'M',  'T',  'h',  'd', 0, 0, 0, 6,  0,    0,    0,  1,   0, 96,
                            'M',  'T',  'r',  'k', 0, 0, 0, 12, 0x00, 0x90, 60, 100, // note on at 0
                            0x60, 0x80, 60,   64, // note off 96 ticks later
                            0x00, 0xFF, 0x2F, 0}; // end of track added by itself
    EXPECT_EQ(file.build(), expected);
}

TEST(MidiFileBuilder, VariableLengthQuantities)
{
    EXPECT_EQ(varLen(0), (Bytes{0x00}));
    EXPECT_EQ(varLen(0x7F), (Bytes{0x7F}));
    EXPECT_EQ(varLen(0x80), (Bytes{0x81, 0x00}));
    EXPECT_EQ(varLen(0x2000), (Bytes{0xC0, 0x00}));
    EXPECT_EQ(varLen(0x3FFF), (Bytes{0xFF, 0x7F}));
    EXPECT_EQ(varLen(0x4000), (Bytes{0x81, 0x80, 0x00}));
    EXPECT_EQ(varLen(0x200000), (Bytes{0x81, 0x80, 0x80, 0x00}));
    EXPECT_EQ(varLen(0x0FFFFFFF), (Bytes{0xFF, 0xFF, 0xFF, 0x7F}));

    // In a track, each delta is the distance from the previous event.
    MidiTrackBuilder track;
    track.at(0x80).programChange(1, 5).after(0x3FFF).programChange(1, 6).omitEndOfTrack();
    EXPECT_EQ(track.body(), (Bytes{0x81, 0x00, 0xC1, 5, 0xFF, 0x7F, 0xC1, 6}));
}

TEST(MidiFileBuilder, RunningStatusOmitsRepeatedStatusUntilAMetaEvent)
{
    MidiTrackBuilder track;
    track.useRunningStatus().noteOffAsNoteOn();
    track.note(0, 60, 100, 0, 96).note(0, 62, 100, 96, 96);
    track.at(192).controller(0, 7, 100).text("x").controller(0, 7, 90).controller(1, 7, 90);
    const Bytes expected = {
        0x00, 0x90, 60,   100, // note on
        0x60, 60,   0,         // its note-off as a velocity 0 note-on
        0x00, 62,   100,       // next note starts where the first ends
        0x60, 62,   0,    0x00, 0xB0, 7,    100, 0x00,
        0xFF, 0x01, 1,    'x',  0x00, 0xB0, 7,   90, // a meta event cancels running status
        0x00, 0xB1, 7,    90,                        // another channel, another status
        0x00, 0xFF, 0x2F, 0};
    EXPECT_EQ(track.body(), expected);

    MidiTrackBuilder plain; // without running status every event has its status byte
    plain.note(0, 60, 100, 0, 96).controller(0, 7, 1).controller(0, 7, 2);
    EXPECT_EQ(plain.body(), (Bytes{0x00, 0x90, 60,   100,  0x00, 0xB0, 7,    1,    0x00, 0xB0,
                                   7,    2,    0x60, 0x80, 60,   0,    0x00, 0xFF, 0x2F, 0}));
}

TEST(MidiFileBuilder, ChannelMessages)
{
    MidiTrackBuilder track;
    track.pitchBend(3, 8192)
        .pitchBend(3, 0)
        .pitchBend(3, 16383)
        .pitchBend(3, 0x1234)
        .channelAftertouch(5, 33)
        .polyAftertouch(6, 61, 12)
        .programChange(9, 0)
        .controller(15, 121, 0)
        .omitEndOfTrack();
    EXPECT_EQ(track.body(), (Bytes{0,    0xE3, 0x00, 0x40, 0,    0xE3, 0x00, 0x00, 0,   0xE3,
                                   0x7F, 0x7F, 0,    0xE3, 0x34, 0x24, 0,    0xD5, 33,  0,
                                   0xA6, 61,   12,   0,    0xC9, 0,    0,    0xBF, 121, 0}));
}

TEST(MidiFileBuilder, MetaEvents)
{
    MidiTrackBuilder track;
    track.tempo(500000)
        .timeSignature(6, 8)
        .keySignature(-3, true)
        .lyric("Fr\xE8")
        .text("\xC3\xA8")
        .trackName("T")
        .copyright("C")
        .marker("M")
        .meta(0x7F, {0x00, 0x01})
        .omitEndOfTrack();
    EXPECT_EQ(track.body(),
              (Bytes{0, 0xFF, 0x51, 3,    0x07, 0xA1, 0x20, 0,    0xFF, 0x58, 4,   6,    3,    24,
                     8, 0,    0xFF, 0x59, 2,    0xFD, 1,    0,    0xFF, 0x05, 3,   'F',  'r',  0xE8,
                     0, 0xFF, 0x01, 2,    0xC3, 0xA8, 0,    0xFF, 0x03, 1,    'T', 0,    0xFF, 0x02,
                     1, 'C',  0,    0xFF, 0x06, 1,    'M',  0,    0xFF, 0x7F, 2,   0x00, 0x01}));

    MidiTrackBuilder longText; // a length above 127 is itself a variable-length quantity
    longText.text(std::string(200, 'a')).omitEndOfTrack();
    const Bytes body = longText.body();
    ASSERT_EQ(body.size(), 5u + 200u);
    EXPECT_EQ(Bytes(body.begin(), body.begin() + 5), (Bytes{0, 0xFF, 0x01, 0x81, 0x48}));
}

TEST(MidiFileBuilder, SysexForms)
{
    MidiTrackBuilder track;
    track.sysex({0x7E, 0x7F, 0x09, 0x01, 0xF7}).after(10).sysexEscape({0xF3, 0x01});
    EXPECT_EQ(track.body(), (Bytes{0, 0xF0, 5, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 10, 0xF7, 2, 0xF3,
                                   0x01, 0, 0xFF, 0x2F, 0}));
}

TEST(MidiFileBuilder, EventsAreWrittenInTickOrder)
{
    MidiTrackBuilder track;
    track.at(100).text("b").at(50).text("a").at(100).text("c");
    // A note ending where the same key starts again is cut before the new note-on...
    track.note(0, 60, 90, 200, 100).note(0, 60, 80, 100, 100);
    // ...but a zero-length note keeps its note-on first.
    track.note(1, 40, 70, 400, 0);
    EXPECT_EQ(track.cursor(), 100u);                         // note() leaves the cursor alone
    EXPECT_EQ(track.body(), (Bytes{50,  0xFF, 1,    1,  'a', // 50
                                   50,  0xFF, 1,    1,  'b', // 100, added before "c"
                                   0,   0xFF, 1,    1,  'c', //
                                   0,   0x90, 60,   80,      // second note() call, earlier start
                                   100, 0x80, 60,   0,       // 200: its note-off first
                                   0,   0x90, 60,   90,      //      then the other note-on
                                   100, 0x80, 60,   0,       // 300
                                   100, 0x91, 40,   70,      // 400
                                   0,   0x81, 40,   0,       //
                                   0,   0xFF, 0x2F, 0}));    // end of track at the last event
}

TEST(MidiFileBuilder, EndOfTrackControl)
{
    MidiTrackBuilder explicitEnd;
    explicitEnd.noteOn(0, 60, 1).at(500).endOfTrack();
    EXPECT_EQ(explicitEnd.body(), (Bytes{0, 0x90, 60, 1, 0x83, 0x74, 0xFF, 0x2F, 0}));

    MidiTrackBuilder none;
    none.noteOn(0, 60, 1).omitEndOfTrack();
    EXPECT_EQ(none.body(), (Bytes{0, 0x90, 60, 1}));

    MidiTrackBuilder empty;
    EXPECT_EQ(empty.body(), (Bytes{0, 0xFF, 0x2F, 0}));
}

TEST(MidiFileBuilder, MalformedFilesOnRequest)
{
    MidiFileBuilder file(0, 0xE728); // SMPTE 25 fps, 40 ticks a frame
    file.declareTrackCount(3);
    file.addTrack().raw({0xF4}).declareLength(100);
    file.addRawChunk("XFIH", {1, 2, 3});
    file.addTrack().raw({0x3C, 0x40}).omitEndOfTrack(); // data bytes without any status
    file.addRawChunk("MTrk", {0x00, 0x90}, 50);         // truncated last chunk
    const Bytes expected = concat({header(0, 3, 0xE728),
                                   bytesOf("MTrk"),
                                   {0, 0, 0, 100, 0, 0xF4, 0, 0xFF, 0x2F, 0},
                                   bytesOf("XFIH"),
                                   {0, 0, 0, 3, 1, 2, 3},
                                   bytesOf("MTrk"),
                                   {0, 0, 0, 3, 0, 0x3C, 0x40},
                                   bytesOf("MTrk"),
                                   {0, 0, 0, 50, 0x00, 0x90}});
    EXPECT_EQ(file.build(), expected);
}

TEST(MidiFileBuilder, TracksAndRawChunksKeepTheirOrder)
{
    MidiFileBuilder file(2, 240);
    MidiTrackBuilder &first = file.addTrack();
    file.addRawChunk("abcd", {});
    MidiTrackBuilder &second = file.addTrack();
    for (int i = 0; i < 20; ++i) {
        file.addTrack(); // growing the track list keeps the references above valid
    }
    first.text("1");
    second.text("2");
    const ScannedFile scanned = scanMidi(file.build());
    ASSERT_TRUE(scanned.ok) << scanned.error;
    EXPECT_EQ(scanned.format, 2);
    EXPECT_EQ(scanned.division, 240);
    EXPECT_EQ(scanned.declaredTracks, 22);
    ASSERT_EQ(scanned.tracks.size(), 22u);
    EXPECT_EQ(scanned.tracks[0][0].text(), "1");
    EXPECT_EQ(scanned.tracks[1][0].text(), "2");
    EXPECT_EQ(file.trackCount(), 22u);
    EXPECT_EQ(&file.track(1), &second);
}

TEST(MidiFileBuilder, RejectsOutOfRangeArguments)
{
    MidiTrackBuilder track;
    EXPECT_THROW(track.noteOn(16, 60, 100), std::invalid_argument);
    EXPECT_THROW(track.noteOn(-1, 60, 100), std::invalid_argument);
    EXPECT_THROW(track.noteOn(0, 128, 100), std::invalid_argument);
    EXPECT_THROW(track.controller(0, 7, 128), std::invalid_argument);
    EXPECT_THROW(track.pitchBend(0, 16384), std::invalid_argument);
    EXPECT_THROW(track.timeSignature(3, 3), std::invalid_argument);
    EXPECT_THROW(track.tempo(0), std::invalid_argument);
    EXPECT_THROW(track.tempo(0x1000000), std::invalid_argument);
    EXPECT_THROW(track.keySignature(8, false), std::invalid_argument);
    EXPECT_THROW(MidiFileBuilder().addRawChunk("abc", {}), std::invalid_argument);
    EXPECT_EQ(track.body(), (Bytes{0, 0xFF, 0x2F, 0})); // nothing was added
}

TEST(MidiFileBuilder, WritesFilesWithAccentedNames)
{
    const auto path = std::filesystem::temp_directory_path() / "melorit-fr\xC3\xA8re.mid";
    MidiFileBuilder file;
    file.addTrack().lyric("Fr\xE8");
    ASSERT_TRUE(file.writeTo(path));
    EXPECT_EQ(readFile(path), file.build());
    std::filesystem::remove(path);
    EXPECT_FALSE(file.writeTo(std::filesystem::path("/nonexistent-folder/x.mid")));
}

// FluidSynth's own reader sees the events the builder meant, running status included.
TEST(MidiFileBuilder, FluidSynthReadsWhatWasBuilt)
{
    MidiFileBuilder file(1, 96);
    file.addTrack().tempo(250000);
    MidiTrackBuilder &track = file.addTrack();
    track.useRunningStatus().noteOffAsNoteOn();
    track.programChange(2, 19).controller(2, 7, 99).controller(2, 10, 20);
    track.at(10).lyric("Fr\xE8").pitchBend(2, 0x1234).channelAftertouch(2, 77);
    track.note(2, 64, 101, 20, 48).note(2, 67, 102, 30, 48);
    track.at(100).text("fin");

    FluidSession session;
    ASSERT_GE(session.loadFont("/usr/share/sounds/sf2/TimGM6mb.sf2"), 0);
    const PlayResult played = playMidi(session, file.build(), 10.0);
    ASSERT_TRUE(played.loaded);
    EXPECT_TRUE(played.finished);

    std::vector<std::string> seen;
    for (const PlayedEvent &e : played.events) {
        seen.push_back(std::to_string(e.type) + "/" + std::to_string(e.channel) + "/" +
                       std::to_string(e.key) + "/" + std::to_string(e.value) + "/" + e.text);
    }
    // type/channel/key/value/text; the note-offs were written as velocity 0 note-ons.
    const std::vector<std::string> expected = {"81/0/0/250000/", "192/2/19/0/",    "176/2/7/99/",
                                               "176/2/10/20/",   "5/0/0/0/Fr\xE8", "224/2/0/4660/",
                                               "208/2/0/77/",    "144/2/64/101/",  "144/2/67/102/",
                                               "144/2/64/0/",    "144/2/67/0/",    "1/0/0/0/fin"};
    EXPECT_EQ(seen, expected);
    EXPECT_GT(rms(played.audio), 1e-3);
}
