// Encoders fed by a decoding stream's read(): WAV files checked byte for
// byte, lame and oggenc read back by their own decoders, and programs that
// fail, stop reading or flood their output.

#include "audio/Encoder.h"
#include "audio/MidiStream.h"

#include "tests/audio/AudioFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

using namespace melorit::audio;
using namespace melorit::audio::testing;
using melorit::fixtures::MidiFileBuilder;
namespace fs = std::filesystem;

namespace {

MidiFileBuilder shortSong()
{
    MidiFileBuilder song(1, 480);
    song.addTrack().note(0, 69, 100, 0, 960).note(0, 81, 90, 960, 960).at(2400).endOfTrack();
    return song;
}

// Longer than what a command encoder and its pipe hold (2 MiB, 12 s): the
// song cannot all be handed over before the program is seen to fail.
MidiFileBuilder songLongerThanTheBuffers()
{
    MidiFileBuilder song(1, 480);
    song.addTrack().note(0, 69, 100, 0, 960).at(960 * 20).endOfTrack();
    return song;
}

std::vector<std::uint8_t> readBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le32(const std::vector<std::uint8_t> &b, std::size_t at)
{
    return std::uint32_t(b.at(at)) | std::uint32_t(b.at(at + 1)) << 8 |
           std::uint32_t(b.at(at + 2)) << 16 | std::uint32_t(b.at(at + 3)) << 24;
}

// Reads the stream 1024 bytes at a time, as a conversion does, while the
// encoder is active; returns what read() gave.
std::vector<std::uint8_t> convert(MidiStream &stream, Encoder &encoder,
                                  std::size_t maxBytes = SIZE_MAX)
{
    std::vector<std::uint8_t> all;
    std::uint8_t buffer[1024];
    while (stream.activeState() == ActiveState::Playing && encoder.isActive() &&
           all.size() < maxBytes) {
        const auto got = stream.read(buffer, sizeof buffer);
        all.insert(all.end(), buffer, buffer + got);
    }
    return all;
}

void expectWavHeader(const std::vector<std::uint8_t> &file, std::uint32_t dataBytes)
{
    ASSERT_GE(file.size(), 44u);
    EXPECT_EQ(std::memcmp(file.data(), "RIFF", 4), 0);
    EXPECT_EQ(le32(file, 4), dataBytes + 36);
    EXPECT_EQ(std::memcmp(file.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(le32(file, 16), 16u);
    EXPECT_EQ(le32(file, 20), 1u | 2u << 16);  // PCM, 2 channels
    EXPECT_EQ(le32(file, 24), 44100u);         // frames a second
    EXPECT_EQ(le32(file, 28), 176400u);        // bytes a second
    EXPECT_EQ(le32(file, 32), 4u | 16u << 16); // block align, bits
    EXPECT_EQ(std::memcmp(file.data() + 36, "data", 4), 0);
    EXPECT_EQ(le32(file, 40), dataBytes);
    EXPECT_EQ(file.size(), 44u + dataBytes);
}

bool haveProgram(const char *name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null").c_str()) == 0;
}

// Frames of a WAV file, from its data chunk size.
std::uint32_t wavFrames(const fs::path &path)
{
    const auto bytes = readBytes(path);
    return bytes.size() < 44 ? 0 : le32(bytes, 40) / 4;
}

} // namespace

TEST(WavEncoder, WritesEverythingReadWithExactSizes)
{
    auto stream = openSong(shortSong());
    const fs::path path = scratchDir() / "é song.wav";
    auto encoder = EncodeStartWav(*stream, path.string());
    ASSERT_TRUE(encoder) << int(lastError());
    EXPECT_TRUE(encoder->isActive());
    const auto produced = convert(*stream, *encoder);
    encoder->stop();
    EXPECT_FALSE(encoder->isActive());
    EXPECT_EQ(encoder->errorText(), "");
    const auto file = readBytes(path);
    expectWavHeader(file, static_cast<std::uint32_t>(produced.size()));
    ASSERT_EQ(file.size(), produced.size() + 44);
    EXPECT_TRUE(std::equal(produced.begin(), produced.end(), file.begin() + 44));
    // The same stream decoded again gives the same samples.
    auto again = openSong(shortSong());
    const Samples decoded = decodeAll(*again);
    ASSERT_EQ(decoded.size() * 2, produced.size());
    EXPECT_EQ(std::memcmp(decoded.data(), file.data() + 44, produced.size()), 0);
    encoder->stop(); // a second stop does nothing
}

TEST(WavEncoder, StartsAtTheMomentItIsStarted)
{
    auto stream = openSong(shortSong());
    decodeFrames(*stream, 10000);
    const auto path = scratchDir() / "late.wav";
    auto encoder = EncodeStartWav(*stream, path.string());
    ASSERT_TRUE(encoder);
    const auto produced = convert(*stream, *encoder);
    encoder->stop();
    auto whole = openSong(shortSong());
    const Samples all = decodeAll(*whole);
    const auto file = readBytes(path);
    ASSERT_EQ(file.size(), 44 + all.size() * 2 - 40000);
    EXPECT_EQ(std::memcmp(all.data() + 20000, file.data() + 44, file.size() - 44), 0);
}

TEST(WavEncoder, ACancelledConversionLeavesAValidShorterFile)
{
    auto stream = openSong(shortSong());
    const auto path = scratchDir() / "cancelled.wav";
    auto encoder = EncodeStartWav(*stream, path.string());
    ASSERT_TRUE(encoder);
    const auto produced = convert(*stream, *encoder, 50 * 1024 + 2);
    stream.reset(); // freeing the stream ends the file
    EXPECT_FALSE(encoder->isActive());
    encoder->stop();
    const auto file = readBytes(path);
    // The odd two bytes of a half frame are not counted.
    const auto whole = static_cast<std::uint32_t>(produced.size() - produced.size() % 4);
    ASSERT_EQ(file.size(), produced.size() + 44);
    EXPECT_EQ(le32(file, 40), whole);
    EXPECT_EQ(le32(file, 4), whole + 36);
}

TEST(WavEncoder, ReportsAPathThatCannotBeCreated)
{
    auto stream = openSong(shortSong());
    EXPECT_FALSE(EncodeStartWav(*stream, (scratchDir() / "no such folder" / "x.wav").string()));
    EXPECT_EQ(lastError(), Error::Create);
    MidiStream::Options options;
    options.decode = false;
    options.font = sineFont();
    auto playing = MidiStream::open(parseSong(shortSong()), options);
    EXPECT_FALSE(EncodeStartWav(*playing, (scratchDir() / "playing.wav").string()));
    EXPECT_EQ(lastError(), Error::NotAvail);
}

TEST(CommandEncoder, LameAndOggencFilesDecodeToTheSongsLength)
{
    if (!haveProgram("lame") || !haveProgram("oggenc")) {
        GTEST_SKIP() << "lame or oggenc missing";
    }
    const fs::path dir = scratchDir();
    struct Case {
        std::vector<std::string> argv;
        fs::path out;
        std::string decode;
    };
    const fs::path mp3 = dir / "it's \"a\" song.mp3";
    const fs::path ogg = dir / "ogg song.ogg";
    const std::vector<Case> cases = {
        {{"lame", "-h", "-b128", "--ignore-tag-errors", "--tt", "Tïtle; rm -rf", "-", mp3},
         mp3,
         "lame --quiet --decode"},
        {{"oggenc", "-b", "128", "-o", ogg, "-"}, ogg, "oggdec -Q -o"},
    };
    for (const Case &c : cases) {
        auto stream = openSong(shortSong());
        auto encoder = EncodeStartCommand(*stream, c.argv, "/nonexistent");
        ASSERT_TRUE(encoder) << c.argv[0];
        const auto produced = convert(*stream, *encoder);
        EXPECT_TRUE(encoder->isActive()) << encoder->errorText();
        encoder->stop();
        EXPECT_EQ(encoder->errorText(), "") << c.argv[0];
        const fs::path back = dir / (c.argv[0] + "-back.wav");
        // The MP3 name holds quotes: decode a copy with a plain name.
        const fs::path plain = dir / ("plain" + c.out.extension().string());
        fs::copy_file(c.out, plain, fs::copy_options::overwrite_existing);
        const std::string decode = c.decode + " '" +
                                   (c.argv[0] == "lame" ? plain.string() + "' '" + back.string()
                                                        : back.string() + "' '" + plain.string()) +
                                   "'";
        ASSERT_EQ(std::system(decode.c_str()), 0) << decode;
        const double frames = double(produced.size()) / 4;
        EXPECT_NEAR(double(wavFrames(back)), frames, 1152) << c.argv[0];
    }
}

TEST(CommandEncoder, LooksInTheProgramFolderFirstAndPassesArgumentsAsTheyAre)
{
    const fs::path dir = scratchDir() / "program folder";
    fs::create_directories(dir);
    const fs::path script = dir / "cat";
    {
        std::ofstream out(script);
        out << "#!/bin/sh\nprintf '%s\\n' \"$1\" > \"$2\"\n/bin/cat > \"$3\"\n";
    }
    fs::permissions(script, fs::perms::owner_all);
    const fs::path args = dir / "args.txt";
    const fs::path data = dir / "data.wav";
    auto stream = openSong(shortSong());
    auto encoder = EncodeStartCommand(
        *stream, {"cat", "$HOME \"x\" 'y' `z`", args.string(), data.string()}, dir.string());
    ASSERT_TRUE(encoder);
    const auto produced = convert(*stream, *encoder);
    encoder->stop();
    EXPECT_EQ(encoder->errorText(), "");
    const auto argText = readBytes(args);
    EXPECT_EQ(std::string(argText.begin(), argText.end()), "$HOME \"x\" 'y' `z`\n");
    const auto bytes = readBytes(data);
    ASSERT_EQ(bytes.size(), produced.size() + 44);
    EXPECT_EQ(le32(bytes, 40), 0xFFFFFFFFu); // a stream of unknown length
    EXPECT_TRUE(std::equal(produced.begin(), produced.end(), bytes.begin() + 44));
}

TEST(CommandEncoder, AProgramThatFloodsItsOutputDoesNotBlock)
{
    // cat copies the whole WAV stream to its output, which we drain.
    auto stream = openSong(shortSong());
    auto encoder = EncodeStartCommand(*stream, {"cat"}, "");
    ASSERT_TRUE(encoder);
    const auto produced = convert(*stream, *encoder);
    EXPECT_GT(produced.size(), 400000u);
    encoder->stop();
    EXPECT_EQ(encoder->errorText(), "");
}

TEST(CommandEncoder, MissingOrFailingProgramsAreReported)
{
    auto stream = openSong(shortSong());
    EXPECT_FALSE(EncodeStartCommand(*stream, {"melorit-no-such-encoder"}, scratchDir().string()));
    EXPECT_EQ(lastError(), Error::FileOpen);
    EXPECT_FALSE(EncodeStartCommand(*stream, {"/nonexistent/lame"}, ""));
    EXPECT_EQ(lastError(), Error::FileOpen);
    EXPECT_FALSE(EncodeStartCommand(*stream, {}, ""));
    EXPECT_EQ(lastError(), Error::IllParam);

    // Exits at once with an error, reading nothing.
    stream = openSong(songLongerThanTheBuffers());
    auto failing = EncodeStartCommand(*stream, {"sh", "-c", "echo bad input >&2; exit 3"}, "");
    ASSERT_TRUE(failing);
    convert(*stream, *failing);
    EXPECT_FALSE(failing->isActive());
    EXPECT_EQ(stream->activeState(), ActiveState::Playing) << "the loop ended on the encoder";
    failing->stop();
    EXPECT_NE(failing->errorText().find("exited with status 3"), std::string::npos)
        << failing->errorText();
    EXPECT_NE(failing->errorText().find("bad input"), std::string::npos);
}

TEST(CommandEncoder, AProgramThatStopsReadingEndsTheEncoderNotUs)
{
    // head takes 1000 bytes and leaves: later writes meet a closed pipe.
    auto stream = openSong(songLongerThanTheBuffers());
    auto encoder = EncodeStartCommand(*stream, {"head", "-c", "1000"}, "");
    ASSERT_TRUE(encoder);
    const auto produced = convert(*stream, *encoder);
    EXPECT_FALSE(encoder->isActive());
    encoder->stop();
    EXPECT_NE(encoder->errorText(), "");
    // Still here: no SIGPIPE ended the test program. The stream goes on.
    EXPECT_EQ(stream->activeState(), ActiveState::Playing);
    EXPECT_GT(stream->read(nullptr, 0), -1);

    // A song that fits in the pipe whole: the program leaving with most of
    // it unread is still not a complete encoding.
    auto shortStream = openSong(shortSong());
    auto early = EncodeStartCommand(*shortStream, {"head", "-c", "1000"}, "");
    ASSERT_TRUE(early);
    convert(*shortStream, *early);
    early->stop();
    EXPECT_NE(early->errorText(), "");
}
