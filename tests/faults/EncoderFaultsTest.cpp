// Encoders that hang, die or meet a full disk: the conversion never hangs,
// the failure is reported and the file written so far stays valid.

#include "audio/Encoder.h"
#include "audio/MidiStream.h"
#include "tests/faults/FaultHelpers.h"
#include "tests/support/MidiFileBuilder.h"

#include <gtest/gtest.h>

#include <QDir>

#include <chrono>

using namespace melorit;
using namespace melorit::audio;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// A song of about `seconds` seconds of notes.
std::unique_ptr<MidiStream> openSong(int seconds)
{
    fixtures::MidiFileBuilder song(1, 480);
    auto &track = song.addTrack();
    for (int beat = 0; beat < seconds * 2; ++beat) {
        track.note(0, 60 + beat % 12, 100, static_cast<std::uint32_t>(beat * 480), 400);
    }
    const auto bytes = song.build();
    auto read = readMidi(bytes);
    return read.file ? MidiStream::open(read.file, {}) : nullptr;
}

// The conversion loop: 1024 bytes at a time while the encoder takes them.
std::size_t convert(MidiStream &stream, Encoder &encoder)
{
    std::size_t total = 0;
    std::uint8_t buffer[1024];
    while (stream.activeState() == ActiveState::Playing && encoder.isActive()) {
        const auto got = stream.read(buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    return total;
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class HangingEncoder : public ::testing::Test {
protected:
    void SetUp() override { detail::setCommandWaitLimits(400ms, 600ms); }
    void TearDown() override { detail::setCommandWaitLimits(20s, 60s); }
};

} // namespace

TEST_F(HangingEncoder, OneThatNeverReadsIsStoppedAfterTheStallLimit)
{
    auto stream = openSong(30); // far more than the 1 MiB the encoder buffers
    ASSERT_TRUE(stream);
    auto encoder = EncodeStartCommand(*stream, {"sleep", "60"}, "");
    ASSERT_TRUE(encoder);
    const auto start = Clock::now();
    convert(*stream, *encoder);
    encoder->stop();
    EXPECT_LT(secondsSince(start), 10.0);
    EXPECT_FALSE(encoder->isActive());
    EXPECT_NE(encoder->errorText().find("stopped reading"), std::string::npos)
        << encoder->errorText();
}

TEST_F(HangingEncoder, OneThatDoesNotEndAfterItsInputIsKilledAtStop)
{
    auto stream = openSong(2);
    ASSERT_TRUE(stream);
    auto encoder = EncodeStartCommand(*stream, {"sh", "-c", "cat >/dev/null; exec sleep 60"}, "");
    ASSERT_TRUE(encoder);
    convert(*stream, *encoder);
    const auto start = Clock::now();
    encoder->stop();
    EXPECT_LT(secondsSince(start), 5.0);
    EXPECT_NE(encoder->errorText().find("did not finish in time"), std::string::npos)
        << encoder->errorText();
}

TEST_F(HangingEncoder, AChildLeftBehindByTheProgramDoesNotHoldTheStop)
{
    // The shell is killed; its background child still holds the output pipe.
    auto stream = openSong(2);
    ASSERT_TRUE(stream);
    auto encoder = EncodeStartCommand(*stream, {"sh", "-c", "sleep 60 & cat >/dev/null; wait"}, "");
    ASSERT_TRUE(encoder);
    convert(*stream, *encoder);
    const auto start = Clock::now();
    encoder->stop();
    EXPECT_LT(secondsSince(start), 5.0);
    EXPECT_NE(encoder->errorText(), "");
}

TEST(DyingEncoder, OneThatExitsMidwayEndsTheLoopAndSaysSo)
{
    auto stream = openSong(20);
    ASSERT_TRUE(stream);
    auto encoder = EncodeStartCommand(
        *stream, {"sh", "-c", "head -c 300000 >/dev/null; echo disk trouble; exit 5"}, "");
    ASSERT_TRUE(encoder);
    const std::size_t fed = convert(*stream, *encoder);
    EXPECT_EQ(stream->activeState(), ActiveState::Playing) << "the song ran to its end";
    EXPECT_GT(fed, 300000u);
    encoder->stop();
    EXPECT_NE(encoder->errorText().find("status 5"), std::string::npos) << encoder->errorText();
    EXPECT_NE(encoder->errorText().find("disk trouble"), std::string::npos);
}

TEST(FullDisk, AWavFileCutByTheDiskIsReportedAndStaysValid)
{
    const QString path = QDir(faults::freshFolder()).filePath(QStringLiteral("song.wav"));
    constexpr off_t kLimit = 200000;
    const int status = faults::runInChild(
        [&] {
            auto stream = openSong(5);
            if (!stream) {
                return 10;
            }
            auto encoder = EncodeStartWav(*stream, path.toStdString());
            if (!encoder) {
                return 11;
            }
            convert(*stream, *encoder);
            encoder->stop();
            return encoder->errorText().empty() ? 12 : 0;
        },
        kLimit);
    EXPECT_EQ(status, 0) << "10: no song, 11: no encoder, 12: the failure was not reported";
    const QByteArray wav = faults::fileBytes(path);
    ASSERT_GE(wav.size(), 44);
    EXPECT_LE(wav.size(), kLimit);
    auto le32 = [&](int at) {
        const auto *b = reinterpret_cast<const unsigned char *>(wav.constData() + at);
        return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
               std::uint32_t(b[3]) << 24;
    };
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(wav.mid(36, 4), "data");
    // The sizes describe whole frames that are really in the file.
    EXPECT_LE(le32(40), static_cast<std::uint32_t>(wav.size() - 44));
    EXPECT_EQ(le32(40) % 4, 0u);
    EXPECT_EQ(le32(4), le32(40) + 36);
}

TEST(UnwritableFolder, AWavFileThatCannotBeCreatedIsReported)
{
    const QString folder = faults::freshFolder();
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
    const std::string path = QDir(folder).filePath(QStringLiteral("song.wav")).toStdString();
    const int status = faults::runAsOtherUser([&] {
        auto stream = openSong(1);
        if (!stream) {
            return 10;
        }
        if (EncodeStartWav(*stream, path)) {
            return 11;
        }
        return lastError() == Error::Create ? 0 : 12;
    });
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
}
