// The line length limit ("MaxLength") of the ".kok" lyrics file.

#include "tests/export/KokFixture.h"

using namespace melorit;
using namespace melorit::testing;

namespace {

using LineLength = KokTest;

exporting::LyricsFileOptions maxLength(int characters)
{
    exporting::LyricsFileOptions options;
    options.MaxLength = characters;
    return options;
}

QByteArray bytes(const char *text)
{
    return QByteArray(text);
}

} // namespace

TEST_F(LineLength, CutAfterTheSyllableThatASpaceEnds)
{
    // Visible "Hello wor" is 9 characters; with "ld" 11 > 10.
    EXPECT_EQ(kokOf({{1, "Hello "}, {1.5, "wor"}, {2, "ld"}}, maxLength(10)),
              bytes("Hello ;1,0000;\r\nwor;1,5000;ld;2,0000;"));
    // Time fields are not visible text: 11 is not more than 11.
    EXPECT_EQ(kokOf({{1, "Hello "}, {1.5, "wor"}, {2, "ld"}}, maxLength(11)),
              bytes("Hello ;1,0000;wor;1,5000;ld;2,0000;"));
    // No limit.
    EXPECT_EQ(kokOf({{1, "Hello "}, {1.5, "wor"}, {2, "ld"}}, maxLength(0)),
              bytes("Hello ;1,0000;wor;1,5000;ld;2,0000;"));
    EXPECT_EQ(kokOf({{1, "Hello "}, {1.5, "wor"}, {2, "ld"}}, maxLength(-3)),
              bytes("Hello ;1,0000;wor;1,5000;ld;2,0000;"));
}

TEST_F(LineLength, CutBeforeTheSyllableThatASpaceBegins)
{
    // The space that began " wor" is dropped at the cut.
    EXPECT_EQ(kokOf({{1, "Hello"}, {1.5, " wor"}, {2, "ld"}}, maxLength(10)),
              bytes("Hello;1,0000;\r\nwor;1,5000;ld;2,0000;"));
}

TEST_F(LineLength, TheLastVisibleSpaceOfTheLastLineCounts)
{
    EXPECT_EQ(kokOf({{1, "a "}, {2, "b "}, {3, "c"}}, maxLength(4)),
              bytes("a ;1,0000;b ;2,0000;\r\nc;3,0000;"));
    // The line before the last break does not count.
    EXPECT_EQ(kokOf({{1, "long words "}, {2, "/x "}, {3, "y"}}, maxLength(4)),
              bytes("long words ;1,0000;\r\nx ;2,0000;y;3,0000;"));
}

TEST_F(LineLength, SpacesInsideASyllableAreNotCutPoints)
{
    EXPECT_EQ(kokOf({{1, "Hel lo"}, {1.5, "wor"}}, maxLength(5)),
              bytes("Hel lo;1,0000;wor;1,5000;"));
    // A space opening the file has nothing before it: no cut, no fault.
    EXPECT_EQ(kokOf({{1, " Hi"}, {2, "there"}}, maxLength(3)), bytes(" Hi;1,0000;there;2,0000;"));
}

TEST_F(LineLength, CharactersAreCountedNotBytes)
{
    // "été " is 4 characters (7 bytes of UTF-8); with "x" 5 is not over 5.
    EXPECT_EQ(kokOf({{1, "\xC3\xA9t\xC3\xA9 "}, {2, "x"}}, maxLength(5)),
              bytes("\xE9t\xE9 ;1,0000;x;2,0000;"));
    EXPECT_EQ(kokOf({{1, "\xC3\xA9t\xC3\xA9 "}, {2, "xy"}}, maxLength(5)),
              bytes("\xE9t\xE9 ;1,0000;\r\nxy;2,0000;"));
}
