#include "app/instance/HandOffMessage.h"

#include <gtest/gtest.h>

using namespace melorit::instance;

namespace {

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 3; i >= 0; --i) {
        bytes[i] = static_cast<char>(value & 0xFF);
        value >>= 8;
    }
    return bytes;
}

} // namespace

TEST(HandOffMessage, OnePathHasTheDocumentedBytes)
{
    // The length counts UTF-8 bytes: "é" is two of them.
    const QByteArray actual = encodeHandOff({QStringLiteral("/a/é.kar")});
    EXPECT_EQ(actual.size(), 4 + 4 + 4 + 9);
    EXPECT_EQ(actual.left(8), QByteArray("MLR1") + bigEndian(1));
    EXPECT_EQ(actual.mid(8, 4), bigEndian(9));
    EXPECT_EQ(actual.mid(12), QStringLiteral("/a/é.kar").toUtf8());
}

TEST(HandOffMessage, PathsComeBackInOrderWithAccentsSpacesAndNewlines)
{
    const QStringList paths{QStringLiteral("/home/ana/Chansons/À la claire fontaine.kar"),
                            QStringLiteral("/tmp/two\nlines.mid"),
                            QStringLiteral("/songs/日本.kar")};
    const HandOffDecoded decoded = decodeHandOff(encodeHandOff(paths));
    EXPECT_EQ(decoded.status, HandOffStatus::Complete);
    EXPECT_EQ(decoded.paths, paths);
}

TEST(HandOffMessage, NoPathsIsACompleteMessage)
{
    const HandOffDecoded decoded = decodeHandOff(encodeHandOff({}));
    EXPECT_EQ(decoded.status, HandOffStatus::Complete);
    EXPECT_TRUE(decoded.paths.isEmpty());
}

TEST(HandOffMessage, EveryShorterPrefixIsIncomplete)
{
    const QByteArray whole = encodeHandOff({QStringLiteral("/a.kar"), QStringLiteral("/b.mid")});
    for (qsizetype size = 0; size < whole.size(); ++size) {
        const HandOffDecoded decoded = decodeHandOff(whole.left(size));
        EXPECT_EQ(decoded.status, HandOffStatus::Incomplete) << size;
        EXPECT_TRUE(decoded.paths.isEmpty()) << size;
    }
}

TEST(HandOffMessage, BrokenMessagesAreMalformed)
{
    // A wrong first byte is told at once, before the header is complete.
    EXPECT_EQ(decodeHandOff(QByteArray("X")).status, HandOffStatus::Malformed);
    EXPECT_EQ(decodeHandOff(QByteArray("GET / HTTP/1.1\r\n")).status, HandOffStatus::Malformed);
    // Bytes after the last path.
    EXPECT_EQ(decodeHandOff(encodeHandOff({QStringLiteral("/a.kar")}) + "x").status,
              HandOffStatus::Malformed);
    // More paths than the program takes.
    EXPECT_EQ(decodeHandOff(QByteArray("MLR1") + bigEndian(kMaxHandOffPaths + 1)).status,
              HandOffStatus::Malformed);
    // A path longer than the whole message may be.
    EXPECT_EQ(decodeHandOff(QByteArray("MLR1") + bigEndian(1) + bigEndian(0xFFFFFFFFu)).status,
              HandOffStatus::Malformed);
    // A message over the size limit.
    const QByteArray huge = encodeHandOff({QString(kMaxHandOffBytes, u'a').prepend(u'/')});
    EXPECT_EQ(decodeHandOff(huge).status, HandOffStatus::Malformed);
}

TEST(HandOffMessage, RelativeEmptyAndNulPathsAreLeftOut)
{
    const QStringList sent{QStringLiteral("song.kar"), QString(), QStringLiteral("/ok.kar"),
                           QStringLiteral("/a") + QChar(u'\0') + QStringLiteral("b.kar"),
                           QStringLiteral("../up.mid")};
    const HandOffDecoded decoded = decodeHandOff(encodeHandOff(sent));
    EXPECT_EQ(decoded.status, HandOffStatus::Complete);
    EXPECT_EQ(decoded.paths, QStringList{QStringLiteral("/ok.kar")});
}
