#include "audio/Error.h"
#include "audio/MidiFile.h"

#include <gtest/gtest.h>

#include <thread>

using namespace melorit::audio;

TEST(Error, CodesKeepTheirNumbersAndSymbolicNames)
{
    EXPECT_EQ(static_cast<int>(Error::FileOpen), 2);
    EXPECT_EQ(static_cast<int>(Error::FileForm), 41);
    EXPECT_EQ(static_cast<int>(Error::Codec), 44);
    EXPECT_EQ(errorName(0), "BASS_OK");
    EXPECT_EQ(errorName(2), "BASS_ERROR_FILEOPEN");
    EXPECT_EQ(errorName(20), "BASS_ERROR_ILLPARAM");
    EXPECT_EQ(errorName(41), "BASS_ERROR_FILEFORM");
    EXPECT_EQ(errorName(44), "BASS_ERROR_CODEC");
    EXPECT_EQ(errorName(-1), "BASS_ERROR_UNKNOWN");
    // Numbers that are not codes have no name; the caller words them itself.
    EXPECT_EQ(errorName(45), "");
    EXPECT_EQ(errorName(10), "");
    EXPECT_EQ(errorName(26), "");
}

TEST(Error, TheLastErrorBelongsToTheCallingThread)
{
    readMidi(std::vector<std::uint8_t>{1, 2, 3});
    EXPECT_EQ(lastError(), Error::FileForm);
    Error other = Error::Unknown;
    std::thread([&] { other = lastError(); }).join();
    EXPECT_EQ(other, Error::Ok);
    EXPECT_EQ(lastError(), Error::FileForm);
}
