#include "base/TextUtil.h"

#include <gtest/gtest.h>

using namespace melorit::text;

TEST(Val, ReadsTheLeadingNumber)
{
    EXPECT_EQ(Val(u"12abc"), 12);
    EXPECT_EQ(Val(u" -3.5x"), -3.5);
    EXPECT_EQ(Val(u""), 0);
    EXPECT_EQ(Val(u"abc"), 0);
    EXPECT_EQ(Val(u"+7"), 7);
    EXPECT_EQ(Val(u".5"), 0.5);
    EXPECT_EQ(Val(u"3."), 3);
    EXPECT_EQ(Val(u"-"), 0);
    EXPECT_EQ(Val(u"."), 0);
}

TEST(Val, SkipsBlanksInsideTheNumber)
{
    EXPECT_EQ(Val(u"1 2 3"), 123);
    EXPECT_EQ(Val(u"\t4\n5"), 45);
}

TEST(Val, ReadsExponentsAndRadixForms)
{
    EXPECT_EQ(Val(u"1e3"), 1000);
    EXPECT_EQ(Val(u"2.5D2x"), 250);
    EXPECT_EQ(Val(u"7e"), 7);
    EXPECT_EQ(Val(u"&HFF"), 255);
    EXPECT_EQ(Val(u"&o17"), 15);
    EXPECT_EQ(Val(u"1e999"), 0); // out of range is no number, not infinity
}

TEST(Val, CommaOnlyWhereAccepted)
{
    EXPECT_EQ(Val(u"1,5"), 1);
    EXPECT_EQ(ValDecimal(u"1,5"), 1.5);
    EXPECT_EQ(ValDecimal(u"-0,25s"), -0.25);
}

TEST(Rounding, HalfGoesToEven)
{
    EXPECT_EQ(toInt(0.5), 0);
    EXPECT_EQ(toInt(1.5), 2);
    EXPECT_EQ(toInt(2.5), 2);
    EXPECT_EQ(toInt(-2.5), -2);
    EXPECT_EQ(toInt(2.51), 3);
    EXPECT_EQ(toInt(1e12), 2147483647);
    EXPECT_EQ(toInt(-1e12), -2147483647 - 1);
}

TEST(Format, ZeroPlaceholdersPad)
{
    EXPECT_EQ(formatNumber(5, u"00"), u"05");
    EXPECT_EQ(formatNumber(123, u"00"), u"123");
    EXPECT_EQ(formatNumber(7, u"000"), u"007");
    EXPECT_EQ(formatNumber(1.5, u"0.000"), u"1.500");
    EXPECT_EQ(formatNumber(0.12345, u"0.0000"), u"0.1235");
    EXPECT_EQ(formatNumber(-1.5, u"0.000"), u"-1.500");
}

TEST(Format, HashPlaceholdersShowOnlySignificantDigits)
{
    EXPECT_EQ(formatNumber(0, u"##0"), u"0");
    EXPECT_EQ(formatNumber(42, u"##0"), u"42");
    EXPECT_EQ(formatNumber(12345, u"##0"), u"12345");
    EXPECT_EQ(formatNumber(5, u"###0"), u"5");
    EXPECT_EQ(formatNumber(12.34, u"#####0.0"), u"12.3");
    EXPECT_EQ(formatNumber(0.06, u"#####0.0"), u"0.1");
    EXPECT_EQ(formatNumber(120.0, u"#####0.0"), u"120.0");
}

TEST(Format, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(formatNumber(2.5, u"0"), u"3");
    EXPECT_EQ(formatNumber(-2.5, u"0"), u"-3");
    EXPECT_EQ(formatNumber(0.125, u"0.00"), u"0.13");
    EXPECT_EQ(formatNumber(-0.001, u"0.00"), u"0.00");
}

TEST(Format, SignSections)
{
    EXPECT_EQ(formatNumber(5, u"+0;-0;=0"), u"+5");
    EXPECT_EQ(formatNumber(-5, u"+0;-0;=0"), u"-5");
    EXPECT_EQ(formatNumber(0, u"+0;-0;=0"), u"=0");
    EXPECT_EQ(formatNumber(-12, u"0;(0)"), u"(12)");
}

TEST(Paths, StripQuotesTrimsThenRemovesOneQuoteEachSide)
{
    EXPECT_EQ(StripQuotes(QStringLiteral("  \"a b\"  ")), QStringLiteral("a b"));
    EXPECT_EQ(StripQuotes(QStringLiteral("\"\"x\"\"")), QStringLiteral("\"x\""));
    EXPECT_EQ(StripQuotes(QStringLiteral("\"open")), QStringLiteral("open"));
    EXPECT_EQ(StripQuotes(QStringLiteral("\"")), QString());
    EXPECT_EQ(StripQuotes(QString()), QString());
}

TEST(Paths, FolderOfKeepsTheLastSeparator)
{
    EXPECT_EQ(FolderOf(QStringLiteral("/songs/été/a.kar")), QStringLiteral("/songs/été/"));
    EXPECT_EQ(FolderOf(QStringLiteral("a.kar")), QString());
    EXPECT_EQ(FolderOf(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(FileNameOf(QStringLiteral("/songs/a.kar")), QStringLiteral("a.kar"));
}

TEST(Paths, StripExtensionOnlyTouchesTheFileName)
{
    EXPECT_EQ(StripExtension(QStringLiteral("/songs/a.b.kar")), QStringLiteral("/songs/a.b"));
    EXPECT_EQ(StripExtension(QStringLiteral("/songs/readme")), QStringLiteral("/songs/readme"));
    EXPECT_EQ(StripExtension(QStringLiteral("/my.songs/readme")),
              QStringLiteral("/my.songs/readme"));
    EXPECT_EQ(StripExtension(QStringLiteral("song.")), QStringLiteral("song"));
}

TEST(Templates, PlaceholdersAreFilledOnce)
{
    EXPECT_EQ(
        fillPlaceholders(QStringLiteral("%1 of %2"), QStringLiteral("3"), QStringLiteral("10")),
        QStringLiteral("3 of 10"));
    EXPECT_EQ(fillPlaceholders(QStringLiteral("[%1]"), QStringLiteral("%2"), QStringLiteral("x")),
              QStringLiteral("[%2]"));
    EXPECT_EQ(fillPlaceholders(QStringLiteral("100%"), QStringLiteral("x")),
              QStringLiteral("100%"));
    EXPECT_EQ(fillPlaceholders(QStringLiteral("%5%1")), QStringLiteral("%5"));
    EXPECT_EQ(barsToLineBreaks(QStringLiteral("a|b||c")), QStringLiteral("a\nb\n\nc"));
}
