// The readers and the listing rules for inputs that the golden listings do
// not cover: missing headers, lengths that do not fit, cut-off files, the
// number forms of the listing.

#include "tools/MidiDump.h"
#include "tests/support/MidiFileBuilder.h"
#include "tests/tools/DumpFixtures.h"
#include "tools/DumpText.h"
#include "tools/MidiBuffer.h"

#include <gtest/gtest.h>

namespace melorit::testing {
namespace {

using fixtures::Bytes;
using tools::MidiBuffer;

TEST(MidiBuffer, ReadersStopAtTheEnd)
{
    const QByteArray bytes("\x12\x34\x56", 3);
    MidiBuffer buffer(bytes);
    EXPECT_EQ(buffer.ReadBE(2), 0x1234u);
    EXPECT_FALSE(buffer.truncated());
    EXPECT_EQ(buffer.ReadBE(4), 0x56u);
    EXPECT_TRUE(buffer.truncated());
    EXPECT_TRUE(buffer.atEnd());
    EXPECT_EQ(buffer.ReadBE(1), 0u);
    buffer.seek(1);
    buffer.clearTruncated();
    EXPECT_EQ(buffer.ReadChars(5).toByteArray(), QByteArray("\x34\x56"));
    EXPECT_TRUE(buffer.truncated());
    buffer.seek(-4);
    EXPECT_EQ(buffer.pos(), 0);
    buffer.seek(99);
    EXPECT_EQ(buffer.pos(), 3);
}

TEST(MidiBuffer, VariableLengthQuantities)
{
    const QByteArray bytes("\x00\x7F\x81\x00\xFF\xFF\xFF\x7F\x81", 9);
    MidiBuffer buffer(bytes);
    EXPECT_EQ(buffer.ReadVLQ(), 0u);
    EXPECT_EQ(buffer.ReadVLQ(), 127u);
    EXPECT_EQ(buffer.ReadVLQ(), 128u);
    EXPECT_EQ(buffer.ReadVLQ(), 0x0FFFFFFFu);
    EXPECT_FALSE(buffer.truncated());
    buffer.ReadVLQ();
    EXPECT_TRUE(buffer.truncated());

    // Ten continuation bytes: the value stays at 32 bits, every byte is read.
    const QByteArray longOne = QByteArray(10, '\xFF') + '\x01' + '\x05';
    MidiBuffer saturated(longOne);
    EXPECT_EQ(saturated.ReadVLQ(), 0xFFFFFFFFu);
    EXPECT_EQ(saturated.ReadVLQ(), 5u);
}

TEST(DumpText, NumberFormsAndHexLines)
{
    tools::DumpText numbers;
    numbers << tools::Spaced{1} << tools::Spaced{0} << tools::Spaced{-3} << tools::Plain{42}
            << tools::Spaced{4294967295};
    EXPECT_EQ(numbers.bytes(), " 1 0-342 4294967295");

    QByteArray bytes;
    for (int i = 0; i < 18; ++i) {
        bytes.append(static_cast<char>(i == 0 ? 0xFF : 0x1E + i));
    }
    const MidiBuffer buffer(bytes);
    tools::DumpText out;
    out.HexDump(buffer, 0, 17);
    out.HexDump(buffer, 5, 4); // nothing
    out.DumpField("a");
    out.DumpLine("b");
    const QList<QByteArray> lines = linesOf(out.bytes());
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "FF 1F 20 21 22 23 24 25 26 27 28 29 2A 2B 2C 2D     !\"#$%&'()*+,-");
    EXPECT_EQ(lines[1], "2E 2F" + QByteArray(43, ' ') + " ./");
    EXPECT_EQ(lines[2], "a\tb");
    EXPECT_TRUE(out.bytes().endsWith("a\tb\r\n"));
}

TEST(MidiDump, WithoutHeaderOnlyTheFirstLine)
{
    const Bytes cases[] = {
        {},
        fixtures::bytesOf("not a midi file"),
        fixtures::bytesOf("MThd\x00\x00\x00\x07\x00\x00\x00\x01\x00\x60\x00"),
        fixtures::bytesOf("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00"), // cut header
        fixtures::bytesOf("RIFF\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60"),
    };
    for (const Bytes &bytes : cases) {
        const tools::MidiListing listing = tools::listMidi(viewOf(bytes), QStringLiteral("x.mid"));
        EXPECT_FALSE(listing.headerFound);
        EXPECT_EQ(listing.text, "x.mid\r\n");
    }
}

TEST(MidiDump, HeaderAloneEndsTheFile)
{
    const QList<QByteArray> lines = linesOf(listingOf(midiWithChunks({}, 0)));
    const QList<QByteArray> expected{"song.mid", "Format 1", " 0 track(s)", " 96 Ticks / Noire",
                                     "====[ End of file ]===="};
    EXPECT_EQ(lines, expected);
}

TEST(MidiDump, FirstLineIsThePathInWindows1252)
{
    const tools::MidiListing listing =
        tools::listMidi({}, QStringLiteral("/chants/Fr\u00E8re \u20AC.kar"));
    EXPECT_EQ(listing.text, "/chants/Fr\xE8re \x80.kar\r\n");
}

TEST(MidiDump, LengthsBeyondTheFileRunToItsEnd)
{
    // 2^31 and 2^32 - 1 cannot be chunk lengths of any file the dump loads.
    for (const std::uint32_t length : {0x80000000u, 0xFFFFFFFFu}) {
        fixtures::MidiTrackBuilder track;
        track.noteOn(0, 60, 100);
        track.declareLength(length);
        const QList<QByteArray> lines = linesOf(listingOf(midiWithChunks(track.chunk())));
        ASSERT_GE(lines.size(), 9);
        EXPECT_EQ(lines[5], "Incorrect length : " + QByteArray::number(length));
        EXPECT_EQ(lines[8], "Tick= 0\tChan 0\tNote 60\tON Vel 100");
        EXPECT_EQ(lines.last(), "====[ End of file ]====");
    }
}

TEST(MidiDump, ChunkHeaderCutByTheEndOfTheFile)
{
    Bytes bytes = midiWithChunks(chunk("MTrk", {0x00, 0xFF, 0x2F, 0x00}));
    bytes.push_back('Q');
    const QList<QByteArray> lines = linesOf(listingOf(bytes));
    const QList<QByteArray> tail{"Q Chunk", "Incorrect length : 0", "Unknown Q Chunk",
                                 "==[ End of Q Chunk ]==", "====[ End of file ]===="};
    ASSERT_GE(lines.size(), tail.size());
    EXPECT_EQ(lines.sliced(lines.size() - tail.size()), tail);
}

TEST(MidiDump, EventsCutByTheEndOfTheFileEndTheTrack)
{
    // Each body ends inside its last event: delta time, status, data, meta
    // length, meta data.
    const Bytes bodies[] = {{0x00, 0xC0, 0x05, 0x81},
                            {0x00, 0xC0, 0x05, 0x00},
                            {0x00, 0xE0, 0x05},
                            {0x00, 0xFF, 0x03, 0x85},
                            {0x00, 0xFF, 0x01, 0x0A, 'a', 'b'},
                            {0x00, 0xFF, 0x7F, 0x7F, 0x01},
                            {0x00, 0xF2, 0x01}};
    for (const Bytes &body : bodies) {
        const QList<QByteArray> lines = linesOf(listingOf(midiWithChunks(chunk("MTrk", body))));
        ASSERT_GE(lines.size(), 4);
        EXPECT_TRUE(lines[lines.size() - 3].endsWith("Goto TrackEnd"))
            << lines[lines.size() - 3].toStdString();
        EXPECT_EQ(lines[lines.size() - 2], "==[ End of MTrk Chunk ]==");
        EXPECT_EQ(lines.last(), "====[ End of file ]====");
    }
}

TEST(MidiDump, SystemExclusiveWithoutEndRunsToTheEndOfTheFile)
{
    const QList<QByteArray> lines =
        linesOf(listingOf(midiWithChunks(chunk("MTrk", {0x00, 0xF0, 0x01, 0x02}))));
    ASSERT_GE(lines.size(), 9);
    EXPECT_EQ(lines[7], "Tick= 0\tSysEx\t(3)");
    EXPECT_EQ(lines[8], "F0 01 02" + QByteArray(40, ' ') + " \xF0  ");
}

TEST(MidiDump, TimeSignatureDenominatorAsADoublePrecisionNumber)
{
    auto denominatorLine = [](std::uint8_t dd) {
        const Bytes body{0x00, 0xFF, 0x58, 0x04, 0x03, dd, 0x18, 0x08};
        return linesOf(listingOf(midiWithChunks(chunk("MTrk", body))))[7];
    };
    EXPECT_EQ(denominatorLine(0), "Tick= 0\tTime Signature = 3 / 1  Metronome = 24 8");
    EXPECT_EQ(denominatorLine(49),
              "Tick= 0\tTime Signature = 3 / 562949953421312  Metronome = 24 8");
    EXPECT_EQ(denominatorLine(60),
              "Tick= 0\tTime Signature = 3 / 1.15292150460685E+18  Metronome = 24 8");
}

TEST(MidiDump, SmpteKeepsTheHourByteAsStored)
{
    const Bytes body{0x00, 0xFF, 0x54, 0x05, 0xE1, 0x3B, 0x00, 0x1D, 0x63};
    EXPECT_EQ(linesOf(listingOf(midiWithChunks(chunk("MTrk", body))))[7],
              "Tick= 0\tSMPTE = 225:59:00.29 99");
}

TEST(MidiDump, CasmLengthsBeyondTheFile)
{
    Bytes body = fixtures::bytesOf("CSEG");
    fixtures::appendBigEndian(body, 0x80000000u, 4);
    Bytes sub = fixtures::bytesOf("Sdec");
    fixtures::appendBigEndian(sub, 0xFFFFFFF0u, 4);
    body.insert(body.end(), sub.begin(), sub.end());
    body.insert(body.end(), {'a', 'b'});
    const QList<QByteArray> lines = linesOf(listingOf(midiWithChunks(chunk("CASM", body))));
    const QList<QByteArray> expected{
        "CASM Chunk",   "CSEG CASM Section",         "CASM Sdec Section",
        "Sdec\t\"ab\"", "==[ End of CASM Chunk ]==", "====[ End of file ]===="};
    EXPECT_EQ(lines.sliced(4), expected);
}

TEST(MidiDump, MetaLengthBeyondTheFileEndsTheTrack)
{
    Bytes body{0x00, 0xFF, 0x05};
    fixtures::appendVarLen(body, 0x0FFFFFFF);
    body.insert(body.end(), {'l', 'a'});
    const QList<QByteArray> lines = linesOf(listingOf(midiWithChunks(chunk("MTrk", body))));
    EXPECT_EQ(lines[7], "Tick= 0\tGoto TrackEnd");
}

} // namespace
} // namespace melorit::testing
