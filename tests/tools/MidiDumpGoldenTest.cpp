// Listings of files built event by event, compared byte for byte with the
// expected listings in tests/data/dump/. Together they use every line of the
// listing: each channel message, running status, real-time and system bytes,
// system exclusive, every meta event with its length checks, "CASM" sections,
// unknown and overlong chunks, and the track-ending errors.

#include "tests/support/MidiFileBuilder.h"
#include "tests/tools/DumpFixtures.h"

#include <QDir>
#include <QFile>

#include <algorithm>

#include <gtest/gtest.h>

namespace melorit::testing {
namespace {

using fixtures::Bytes;
using fixtures::MidiFileBuilder;
using fixtures::MidiTrackBuilder;

QByteArray readGolden(const char *name)
{
    QFile file(
        QStringLiteral(MELORIT_SOURCE_DIR "/tests/data/dump/%1.txt").arg(QLatin1StringView(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Compares line by line for a readable failure; the listing is kept in the
// build folder for a look with a diff tool.
void expectGolden(const char *name, const Bytes &midi)
{
    const QByteArray actual = listingOf(midi);
    const QByteArray expected = readGolden(name);
    if (actual == expected) {
        return;
    }
    QFile out(
        QDir::current().filePath(QStringLiteral("%1.actual.txt").arg(QLatin1StringView(name))));
    if (out.open(QIODevice::WriteOnly)) {
        out.write(actual);
    }
    ASSERT_FALSE(expected.isEmpty()) << "missing golden listing " << name;
    const QList<QByteArray> a = linesOf(actual);
    const QList<QByteArray> e = linesOf(expected);
    for (qsizetype i = 0; i < std::min(a.size(), e.size()); ++i) {
        ASSERT_EQ(a[i].toStdString(), e[i].toStdString()) << name << " line " << i + 1;
    }
    EXPECT_EQ(actual.size(), expected.size()) << name << ": listings differ in length";
    FAIL() << name << ": listings differ (line ends?)";
}

TEST(MidiDumpGolden, ChannelMessagesRunningStatusAndSystemBytes)
{
    MidiFileBuilder file(1, 480);
    MidiTrackBuilder &plain = file.addTrack();
    plain.trackName("Channels");
    plain.at(0).noteOn(0, 60, 100);
    plain.at(10).noteOff(1, 61, 64);
    plain.at(20).noteOn(2, 62, 0);
    plain.at(30).polyAftertouch(3, 63, 50);
    plain.at(40).controller(4, 7, 127);
    plain.at(50).programChange(5, 19);
    plain.at(60).channelAftertouch(6, 33);
    plain.at(70).pitchBend(15, 8192);
    plain.at(80).pitchBend(14, 1);
    plain.at(90).pitchBend(13, 16383);

    MidiTrackBuilder &running = file.addTrack();
    running.useRunningStatus().noteOffAsNoteOn();
    running.note(9, 36, 90, 0, 120).note(9, 38, 80, 120, 120).note(9, 42, 70, 240, 1000);
    running.at(300).controller(9, 10, 20).controller(9, 11, 30);
    // The note-off of key 36 and the note-on of key 38 share the status byte
    // of the first note-on.
    const Bytes body = running.body();
    const Bytes shared{0x78, 0x24, 0x00, 0x00, 0x26, 0x50};
    ASSERT_NE(std::search(body.begin(), body.end(), shared.begin(), shared.end()), body.end());

    MidiTrackBuilder &system = file.addTrack();
    system.at(0).raw({0xF8}).raw({0xFE}).noteOn(0, 64, 1);
    system.at(5).raw({0xF1, 0x05}).raw({0xF2, 0x01, 0x02}).raw({0xF3, 0x07});
    system.at(6).raw({0xF4}).raw({0xF5}).raw({0xF6}).raw({0xF7});
    system.at(7).raw({0xFA}).noteOff(0, 64);
    system.at(8).raw({0xFC});
    expectGolden("channel-messages", file.build());
}

TEST(MidiDumpGolden, EveryMetaEvent)
{
    MidiFileBuilder file(1, 96);
    MidiTrackBuilder &track = file.addTrack();
    track.meta(0x00, {0x00, 0x01});
    track.text("Text \xE9t\xE9");
    track.copyright("(C) 2024");
    track.trackName("Melody");
    track.meta(0x04, fixtures::bytesOf("Flute"));
    track.lyric("Hel");
    track.marker("Verse");
    track.meta(0x07, fixtures::bytesOf("Cue"));
    track.meta(0x20, {0x03});
    track.meta(0x21, {0x01});
    track.tempo(500000);
    track.meta(0x54, {0x61, 0x02, 0x03, 0x04, 0x05});
    track.timeSignature(6, 8, 36, 8);
    track.at(1).meta(0x59, {0xF9, 0x01});
    track.keySignature(1, false);
    track.meta(0x7F, {0x00, 0x00, 0x41, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                      0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x20});
    track.meta(0x09, fixtures::bytesOf("Port A"));
    track.meta(0x60, {});
    track.at(2).lyric("");
    expectGolden("meta-events", file.build());
}

// Each fixed-length meta event with a wrong length ends its track; the event
// after it is not listed.
TEST(MidiDumpGolden, FixedLengthMetaEventsWithWrongLengths)
{
    const std::pair<int, Bytes> wrong[] = {
        {0x00, {0x01}},       {0x20, {}},         {0x21, {0x01, 0x02}}, {0x51, {0x07, 0xA1}},
        {0x54, {1, 2, 3, 4}}, {0x58, {4, 2, 24}}, {0x59, {0x01}}};
    MidiFileBuilder file(1, 96);
    for (const auto &[type, data] : wrong) {
        MidiTrackBuilder &track = file.addTrack();
        track.at(3).meta(type, data);
        track.at(4).noteOn(0, 60, 100);
    }
    expectGolden("meta-lengths", file.build());
}

TEST(MidiDumpGolden, SystemExclusiveWithAndWithoutEnd)
{
    MidiFileBuilder file(1, 96);
    MidiTrackBuilder &closed = file.addTrack();
    closed.sysex({0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7});
    closed.at(10).sysex({0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0x01, 0x02, 0x03,
                         0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0xF7});
    closed.at(20).noteOn(0, 60, 100);
    // Without F7 the message runs into the next event's delta time and stops
    // before its status byte, which is then read as a delta time.
    MidiTrackBuilder &open = file.addTrack();
    open.sysex({0x7E, 0x7F, 0x09, 0x01});
    open.at(1).noteOn(0, 60, 100);
    // The escape form starts with F7: an "EOX" line, then its length byte is
    // read as the next delta time.
    MidiTrackBuilder &escape = file.addTrack();
    escape.sysexEscape({0xF0, 0x7E});
    expectGolden("sysex", file.build());
}

Bytes casmChunkBody()
{
    Bytes sdec = fixtures::bytesOf("Sdec");
    fixtures::appendBigEndian(sdec, 5, 4);
    Bytes text = fixtures::bytesOf("Intro");
    sdec.insert(sdec.end(), text.begin(), text.end());

    Bytes ctab = fixtures::bytesOf("Ctab");
    fixtures::appendBigEndian(ctab, 14, 4);
    ctab.push_back(0x03);
    fixtures::appendFixedText(ctab, "Piano", 8);
    ctab.push_back(0x09);
    ctab.insert(ctab.end(), {0xAA, 0xBB, 0x00, 0xFF});

    Bytes other = fixtures::bytesOf("Cntt");
    fixtures::appendBigEndian(other, 3, 4);
    other.insert(other.end(), {0x01, 0x41, 0x1F});

    Bytes segment = sdec;
    segment.insert(segment.end(), ctab.begin(), ctab.end());
    segment.insert(segment.end(), other.begin(), other.end());
    Bytes body = fixtures::bytesOf("CSEG");
    fixtures::appendBigEndian(body, static_cast<std::uint32_t>(segment.size()), 4);
    body.insert(body.end(), segment.begin(), segment.end());

    Bytes unknown = fixtures::bytesOf("Mthx");
    fixtures::appendBigEndian(unknown, 18, 4);
    for (std::uint8_t b = 0; b < 18; ++b) {
        unknown.push_back(static_cast<std::uint8_t>('a' + b));
    }
    body.insert(body.end(), unknown.begin(), unknown.end());
    return body;
}

TEST(MidiDumpGolden, CasmSectionsUnknownAndOverlongChunks)
{
    MidiFileBuilder file(1, 96);
    file.addRawChunk("CASM", casmChunkBody());
    file.addTrack().trackName("After CASM");
    file.addRawChunk("XFIH", fixtures::bytesOf("XF02"));
    MidiTrackBuilder &last = file.addTrack();
    last.noteOn(0, 60, 100).at(96).noteOff(0, 60);
    last.declareLength(1000);
    expectGolden("chunks", file.build());
}

TEST(MidiDumpGolden, TracksEndingOnErrors)
{
    MidiFileBuilder file(1, 96);
    file.addTrack().raw({0x3C, 0x40}).noteOn(0, 60, 100);
    file.addTrack().at(5).raw({0x90, 0x3C, 0x90}).noteOn(0, 61, 100);
    MidiTrackBuilder &afterMeta = file.addTrack();
    afterMeta.noteOn(1, 62, 100).at(1).text("x").at(2).raw({0x3E, 0x00});
    MidiTrackBuilder &cut = file.addTrack();
    cut.at(7).trackName("Cut").at(8).raw({0x92, 0x3F}).omitEndOfTrack();
    expectGolden("errors", file.build());
}

TEST(MidiDumpGolden, FormatZeroKeepsItsDeclaredTrackCount)
{
    MidiFileBuilder file(0, 384);
    file.declareTrackCount(3);
    file.addTrack().tempo(600000).note(0, 72, 64, 0, 384);
    expectGolden("format0", file.build());
}

} // namespace
} // namespace melorit::testing
