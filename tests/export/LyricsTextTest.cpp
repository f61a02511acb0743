// The text of the ".kok" lyrics file: entries, breaks, clean-up, encodings.

#include "tests/export/KokFixture.h"
#include "tests/export/KokGrammar.h"

using namespace melorit;
using namespace melorit::testing;

namespace {

using Text = KokTest;

QByteArray bytes(const char *text)
{
    return QByteArray(text);
}

} // namespace

TEST_F(Text, SyllablesLineBreaksAndTimes)
{
    const QByteArray text = kokOf({{0.5, "Hel"}, {0.75, "lo "}, {1.0, "/world"}});
    EXPECT_EQ(text, bytes("Hel;0,5000;lo ;0,7500;\r\nworld;1,0000;"));
    EXPECT_TRUE(parseKok(text + "\r\n").ok);

    // The second a syllable is heard at, on the song's own tempo map: two
    // quarters at 120 bpm, then one at 60 bpm.
    fixtures::MidiFileBuilder tempoChange(1, 480);
    tempoChange.addTrack().tempo(500000).at(960).tempo(1000000);
    tempoChange.addTrack().at(1440).text("late").at(1).text("/early");
    open(tempoChange);
    // The "/" of the first entry writes no break at the start of the file.
    EXPECT_EQ(kok(), bytes("early;0,0010;late;2,0000;"));
}

TEST_F(Text, ParagraphBreaksOnlyAfterText)
{
    EXPECT_EQ(kokOf({{0, "\\Au"}, {1, " clair"}, {2, "\\Ma"}, {3, "/je"}}),
              bytes("Au;0,0000; clair;1,0000;\r\n \r\nMa;2,0000;\r\nje;3,0000;"));
    // A break mark whose syllable is then skipped still breaks the line.
    EXPECT_EQ(kokOf({{0, "a"}, {1, "/"}, {2, "\\  "}, {3, "b"}}),
              bytes("a;0,0000;\r\n\r\n \r\nb;3,0000;"));
}

TEST_F(Text, LoneLineBreaksAreDropped)
{
    EXPECT_EQ(kokOf({{0, "a"}, {1, "\n"}, {2, "b"}, {3, "\r"}, {4, "\r\n"}, {5, "c"}}),
              bytes("a;0,0000;b;2,0000;c;5,0000;"));
}

TEST_F(Text, TrailingBreaksFollowTheEntry)
{
    EXPECT_EQ(
        kokOf({{0, "a\r\n\r\n"}, {1, "b\n"}, {2, "c\r"}, {3, "d\n\r"}, {4, "e\n\n"}, {5, "f"}}),
        bytes("a;0,0000;\r\n\r\nb;1,0000;\r\nc;2,0000;\r\nd;3,0000;\r\ne;4,0000;\r\n\r\n"
              "f;5,0000;"));
}

TEST_F(Text, BreaksInsideASyllableBecomeCrLf)
{
    EXPECT_EQ(kokOf({{0, "x\ry"}, {1, "p\n\rq"}, {2, "s\r\n\rt"}}),
              bytes("x\r\ny;0,0000;p\r\nq;1,0000;s\r\n\r\nt;2,0000;"));
}

TEST_F(Text, PlaceholderCharactersBecomeALineBreak)
{
    // "§µ" in Windows-1252 is a break too, also at the end of a syllable;
    // either character alone stays.
    EXPECT_EQ(kokOf({{0, "a\xA7\xB5z"}, {1, "b\xA7\xB5"}, {2, "\xA7x\xB5"}}),
              bytes("a\r\nz;0,0000;b;1,0000;\r\n\xA7x\xB5;2,0000;"));
}

TEST_F(Text, SemicolonsBecomeSpaces)
{
    EXPECT_EQ(kokOf({{0, "a;b"}, {1, ";"}, {2, "c;"}}), bytes("a b;0,0000;c ;2,0000;"));
}

TEST_F(Text, InformationEventsAndOtherTracksAreLeftOut)
{
    fixtures::MidiFileBuilder file =
        songWith({{0, "@TTitle"}, {0, "@LENG"}, {1, "one"}, {2, "two"}});
    file.addTrack().at(960).text("other track");
    open(file);
    EXPECT_EQ(m_model.LyricsTrack(), 1);
    EXPECT_EQ(kok(), bytes("one;1,0000;two;2,0000;"));
}

TEST_F(Text, OnlyTheChosenKindOfEventIsRead)
{
    // Lyric events on track 1, fewer text events on track 2: the lyric
    // track wins and the text events are not written.
    fixtures::MidiFileBuilder file = songWith({{1, "sing"}, {2, "this"}}, true);
    file.addTrack().at(480).text("not this");
    open(file);
    ASSERT_EQ(m_model.LyricMarkType(), lyrics::kMarkLyric);
    EXPECT_EQ(kok(), bytes("sing;1,0000;this;2,0000;"));
}

TEST_F(Text, NoLyricsGiveAnEmptyText)
{
    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().note(0, 60, 100, 0, 480);
    open(file);
    ASSERT_EQ(m_model.LyricsTrack(), -1);
    EXPECT_EQ(kok(), QByteArray());
}

TEST_F(Text, EncodingsAreWrittenAsWindows1252)
{
    // A DOS vote: bytes 130 (é) and 133 (à) twice against one 233.
    EXPECT_EQ(kokOf({{0, "\x82t\x82"}, {1, "\x85 \x85"}, {2, "\xE9"}}),
              bytes("\xE9t\xE9;0,0000;\xE0 \xE0;1,0000;\xDA;2,0000;"));
    // UTF-8: "été", "€", "ł" (not in Windows-1252), a microphone emoji
    // (outside 16 bits): each character is one byte or one "?".
    EXPECT_EQ(kokOf({{0, "\xC3\xA9t\xC3\xA9"},
                     {1, "\xE2\x82\xAC"},
                     {2, "\xC5\x82"},
                     {3, "\xF0\x9F\x8E\xA4!"}}),
              bytes("\xE9t\xE9;0,0000;\x80;1,0000;?;2,0000;?!;3,0000;"));
}

TEST_F(Text, GrammarCheckerRejectsBrokenFiles)
{
    EXPECT_TRUE(parseKok("\r\n").ok);
    EXPECT_TRUE(parseKok("a;0,5000;\r\n \r\nb c;12,0000;\r\n\r\n").ok);
    EXPECT_EQ(parseKok("x\r\ny;1,0000;z;2,5000;\r\n").entries.size(), 2u);
    for (const char *broken : {"a;0,5000;", "a;0.5000;\r\n", "a;0,500;\r\n", "a;,5000;\r\n",
                               "a;-1,0000;\r\n", "a;1,0000\r\n", "a;1,0000;b\r\n",
                               "a\n;1,0000;\r\n", "a\r;1,0000;\r\n", "a;1,0000;\r\n  \r\n"}) {
        EXPECT_FALSE(parseKok(broken).ok) << broken;
    }
}
