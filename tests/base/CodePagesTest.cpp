#include "base/CodePages.h"

#include <gtest/gtest.h>

using namespace melorit::codepages;

TEST(CodePages, Windows1252HighHalf)
{
    EXPECT_EQ(charOf(CodePage::Windows1252, 0xE9), QChar(u'é'));
    EXPECT_EQ(charOf(CodePage::Windows1252, 0x80), QChar(u'€'));
    EXPECT_EQ(charOf(CodePage::Windows1252, 0x9C), QChar(u'œ'));
    EXPECT_EQ(charOf(CodePage::Windows1252, 0x81), QChar(char16_t(0x81))); // unassigned
    EXPECT_EQ(charOf(CodePage::Windows1252, 'A'), QChar(u'A'));
}

TEST(CodePages, DosTableKeepsAccentsAndReplacesBoxDrawing)
{
    EXPECT_EQ(charOf(CodePage::Dos850, 130), QChar(u'é'));
    EXPECT_EQ(charOf(CodePage::Dos850, 133), QChar(u'à'));
    EXPECT_EQ(charOf(CodePage::Dos850, 135), QChar(u'ç'));
    EXPECT_EQ(charOf(CodePage::Dos850, 176), QChar(u'¦'));
    EXPECT_EQ(charOf(CodePage::Dos850, 201), QChar(u'+'));
    EXPECT_EQ(charOf(CodePage::Dos850, 205), QChar(u'-'));
    EXPECT_EQ(charOf(CodePage::Dos850, 213), QChar(u'i'));
    EXPECT_EQ(charOf(CodePage::Dos850, 220), QChar(u'_'));
    EXPECT_EQ(charOf(CodePage::Dos850, 223), QChar(u'¯'));
    EXPECT_EQ(charOf(CodePage::Dos850, 242), QChar(u'='));
}

TEST(CodePages, MacTableKeepsAccentsAndReplacesTheRest)
{
    EXPECT_EQ(charOf(CodePage::MacRoman, 142), QChar(u'é'));
    EXPECT_EQ(charOf(CodePage::MacRoman, 136), QChar(u'à'));
    EXPECT_EQ(charOf(CodePage::MacRoman, 173), QChar(u'?'));
    EXPECT_EQ(charOf(CodePage::MacRoman, 176), QChar(u'8'));
    EXPECT_EQ(charOf(CodePage::MacRoman, 185), QChar(u'p'));
    EXPECT_EQ(charOf(CodePage::MacRoman, 197), QChar(char16_t(0x02DC)));
    EXPECT_EQ(charOf(CodePage::MacRoman, 202), QChar(u' '));
    EXPECT_EQ(charOf(CodePage::MacRoman, 240), QChar(u' '));
    EXPECT_EQ(charOf(CodePage::MacRoman, 251), QChar(u'°'));
}

TEST(CodePages, EveryTableCharacterExistsInWindows1252)
{
    for (const CodePage page : {CodePage::Dos850, CodePage::MacRoman}) {
        for (int b = 128; b < 256; ++b) {
            const QString c(charOf(page, static_cast<unsigned char>(b)));
            EXPECT_EQ(decodeWindows1252(encodeWindows1252(c)), c) << "byte " << b;
        }
    }
}

TEST(CodePages, Windows1252RoundTrip)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    EXPECT_EQ(encodeWindows1252(decodeWindows1252(all)), all);
    EXPECT_EQ(encodeWindows1252(QStringLiteral("日本")), QByteArray("??"));
}

TEST(CodePages, Utf8Validation)
{
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("caf\xC3\xA9"));
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x8E\xA4"));
    EXPECT_FALSE(isValidUtf8("caf\xE9"));          // Windows-1252 é
    EXPECT_FALSE(isValidUtf8("\xC3"));             // truncated
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_EQ(decodeUtf8OrWindows1252("Fr\xE8re"), QStringLiteral("Frère"));
    EXPECT_EQ(decodeUtf8OrWindows1252("Fr\xC3\xA8re"), QStringLiteral("Frère"));
}
