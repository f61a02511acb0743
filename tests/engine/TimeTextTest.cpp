#include "engine/TimeText.h"

#include <gtest/gtest.h>

using namespace melorit::engine;

TEST(TimeText, LongToTime)
{
    EXPECT_EQ(LongToTime(-1), QStringLiteral("--:--"));
    EXPECT_EQ(LongToTime(0), QStringLiteral("00:00"));
    EXPECT_EQ(LongToTime(59), QStringLiteral("00:59"));
    EXPECT_EQ(LongToTime(60), QStringLiteral("01:00"));
    EXPECT_EQ(LongToTime(75), QStringLiteral("01:15"));
    EXPECT_EQ(LongToTime(6000), QStringLiteral("100:00"));
}

TEST(TimeText, SecondsToTextWithEitherSeparator)
{
    EXPECT_EQ(SecondsToText(75.5, QStringLiteral(",")), QStringLiteral("1:15,500"));
    EXPECT_EQ(SecondsToText(75.5, QStringLiteral(".")), QStringLiteral("1:15.500"));
    EXPECT_EQ(SecondsToText(0, QStringLiteral(",")), QStringLiteral("0:00,000"));
    EXPECT_EQ(SecondsToText(3.0004, QStringLiteral(".")), QStringLiteral("0:03.000"));
    EXPECT_EQ(SecondsToText(754.25, QStringLiteral(".")), QStringLiteral("12:34.250"));
    // Rounding carries into the minutes instead of showing "0:60.000".
    EXPECT_EQ(SecondsToText(59.9996, QStringLiteral(".")), QStringLiteral("1:00.000"));
    EXPECT_EQ(SecondsToText(-1.5, QStringLiteral(".")), QStringLiteral("-0:01.500"));
}

TEST(TimeText, TextToSeconds)
{
    EXPECT_DOUBLE_EQ(TextToSeconds(QStringLiteral("2:03,5")), 123.5);
    EXPECT_DOUBLE_EQ(TextToSeconds(QStringLiteral("2:03.5")), 123.5);
    EXPECT_DOUBLE_EQ(TextToSeconds(QStringLiteral("7,25")), 7.25);
    EXPECT_DOUBLE_EQ(TextToSeconds(QStringLiteral("7.25")), 7.25);
    EXPECT_DOUBLE_EQ(TextToSeconds(QStringLiteral("0:00,000")), 0.0);
    EXPECT_DOUBLE_EQ(TextToSeconds(QStringLiteral("abc")), 0.0);
    EXPECT_DOUBLE_EQ(TextToSeconds(QStringLiteral(":30")), 30.0);
    EXPECT_DOUBLE_EQ(TextToSeconds(QStringLiteral("1:02:03")), 62.0);
}
