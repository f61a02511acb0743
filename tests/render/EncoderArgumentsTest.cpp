#include "export/EncoderArguments.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>

namespace melorit::exporting {
namespace {

SongTags allTags()
{
    SongTags tags;
    tags.Artist = QStringLiteral("The \"Band\"");
    tags.Title = QStringLiteral("Two words");
    tags.Album = QStringLiteral("Album");
    tags.Year = QStringLiteral("1999");
    tags.Track = QStringLiteral("7");
    tags.Genre = QStringLiteral("Drum & Bass");
    tags.Comment = QStringLiteral("It's 'fine'");
    return tags;
}

TEST(LameArguments, OnlyTheTitleGivesTheDocumentedLine)
{
    SongTags tags;
    tags.Title = QStringLiteral("Yesterday");
    const QStringList expected{QStringLiteral("-h"),
                               QStringLiteral("-b128"),
                               QStringLiteral("--ignore-tag-errors"),
                               QStringLiteral("--tt"),
                               QStringLiteral("Yesterday"),
                               QStringLiteral("-"),
                               QStringLiteral("/o/out.mp3")};
    EXPECT_EQ(lameArguments(QStringLiteral("128"), tags, QStringLiteral("/o/out.mp3")), expected);
}

TEST(LameArguments, AllTagsInOrderEachOneArgument)
{
    const QStringList expected{QStringLiteral("-h"),
                               QStringLiteral("-b320"),
                               QStringLiteral("--ignore-tag-errors"),
                               QStringLiteral("--ta"),
                               QStringLiteral("The \"Band\""),
                               QStringLiteral("--tt"),
                               QStringLiteral("Two words"),
                               QStringLiteral("--tl"),
                               QStringLiteral("Album"),
                               QStringLiteral("--ty"),
                               QStringLiteral("1999"),
                               QStringLiteral("--tn"),
                               QStringLiteral("7"),
                               QStringLiteral("--tg"),
                               QStringLiteral("Drum & Bass"),
                               QStringLiteral("--tc"),
                               QStringLiteral("It's 'fine'"),
                               QStringLiteral("-"),
                               QStringLiteral("/o/a b.mp3")};
    EXPECT_EQ(lameArguments(QStringLiteral("320"), allTags(), QStringLiteral("/o/a b.mp3")),
              expected);
}

TEST(LameArguments, EmptyYearGivesNoYearArgument)
{
    SongTags tags = allTags();
    tags.Year.clear();
    const QStringList args = lameArguments(QStringLiteral("128"), tags, QStringLiteral("o.mp3"));
    EXPECT_FALSE(args.contains(QStringLiteral("--ty")));
    EXPECT_TRUE(args.contains(QStringLiteral("--tn")));
    EXPECT_EQ(args.size(), 3 + 6 * 2 + 2);
}

TEST(OggencArguments, AllTagsAttachedAndCommentLast)
{
    const QStringList expected{QStringLiteral("-b96"),
                               QStringLiteral("-aThe \"Band\""),
                               QStringLiteral("-tTwo words"),
                               QStringLiteral("-lAlbum"),
                               QStringLiteral("-d1999"),
                               QStringLiteral("-N7"),
                               QStringLiteral("-GDrum & Bass"),
                               QStringLiteral("-ccomment=It's 'fine'"),
                               QStringLiteral("-o"),
                               QStringLiteral("/o/x.ogg"),
                               QStringLiteral("-")};
    EXPECT_EQ(oggencArguments(QStringLiteral("96"), allTags(), QStringLiteral("/o/x.ogg")),
              expected);
}

TEST(OggencArguments, NoTagsGiveOnlyRateAndFiles)
{
    const QStringList expected{QStringLiteral("-b128"), QStringLiteral("-o"),
                               QStringLiteral("x.ogg"), QStringLiteral("-")};
    EXPECT_EQ(oggencArguments(QStringLiteral("128"), SongTags{}, QStringLiteral("x.ogg")),
              expected);
    SongTags noYear = allTags();
    noYear.Year.clear();
    for (const QString &arg :
         oggencArguments(QStringLiteral("128"), noYear, QStringLiteral("x.ogg"))) {
        EXPECT_FALSE(arg.startsWith(QStringLiteral("-d"))) << arg.toStdString();
    }
}

TEST(EncoderProgram, NamesByEncoding)
{
    EXPECT_EQ(encoderProgramName(0), QString());
    EXPECT_EQ(encoderProgramName(1), QStringLiteral("lame"));
    EXPECT_EQ(encoderProgramName(2), QStringLiteral("oggenc"));
    EXPECT_EQ(encoderProgramName(3), QStringLiteral("ffmpeg"));
    EXPECT_EQ(encoderProgramName(4), QString());
    EXPECT_EQ(findEncoderProgram(0), QString());
}

// A tenth of a second of a quiet 440 Hz-ish square wave, 44100 Hz 16-bit stereo.
QByteArray shortWav()
{
    const std::uint32_t frames = 4410;
    const std::uint32_t dataSize = frames * 4;
    QByteArray wav;
    auto put32 = [&wav](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            wav.append(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    auto put16 = [&wav](std::uint16_t v) {
        wav.append(static_cast<char>(v & 0xFF));
        wav.append(static_cast<char>(v >> 8));
    };
    wav.append("RIFF");
    put32(36 + dataSize);
    wav.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(2);
    put32(44100);
    put32(44100 * 4);
    put16(4);
    put16(16);
    wav.append("data");
    put32(dataSize);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const std::uint16_t v = (i / 50) % 2 ? 3000 : static_cast<std::uint16_t>(-3000);
        put16(v);
        put16(v);
    }
    return wav;
}

// Runs the encoder with the WAV on its standard input; the file's bytes.
QByteArray encode(const QString &program, const QStringList &args, const QString &output)
{
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForStarted());
    process.write(shortWav());
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QFile file(output);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(EncoderArgumentsRun, LameWritesTagsWithQuotesAndSpacesIntact)
{
    const QString lame = QStandardPaths::findExecutable(QStringLiteral("lame"));
    if (lame.isEmpty()) {
        GTEST_SKIP() << "lame is not installed";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString output = dir.filePath(QStringLiteral("out \"1\".mp3"));
    const QByteArray bytes =
        encode(lame, lameArguments(QStringLiteral("128"), allTags(), output), output);
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(bytes.contains("The \"Band\""));
    EXPECT_TRUE(bytes.contains("Two words"));
    EXPECT_TRUE(bytes.contains("Drum & Bass"));
}

TEST(EncoderArgumentsRun, OggencWritesTagsAndComment)
{
    const QString oggenc = QStandardPaths::findExecutable(QStringLiteral("oggenc"));
    if (oggenc.isEmpty()) {
        GTEST_SKIP() << "oggenc is not installed";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString output = dir.filePath(QStringLiteral("out it's.ogg"));
    const QByteArray bytes =
        encode(oggenc, oggencArguments(QStringLiteral("128"), allTags(), output), output);
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(bytes.contains("artist=The \"Band\""));
    EXPECT_TRUE(bytes.contains("title=Two words"));
    EXPECT_TRUE(bytes.contains("date=1999"));
    EXPECT_TRUE(bytes.contains("comment=It's 'fine'"));
}

} // namespace
} // namespace melorit::exporting
