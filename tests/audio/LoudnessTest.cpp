// Loudness matching: the gain chosen from a measure, and the encoder that
// keeps a song, measures it and hands it on with that gain.

#include "audio/LoudnessEncoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <numbers>

using namespace melorit::audio;

namespace {

TEST(LoudnessGain, ReachesTheTargetUnlessThePeakWouldPassTheCeiling)
{
    const LoudnessGain up = planLoudnessGain(-30.0, -12.0, {-20.0});
    EXPECT_DOUBLE_EQ(up.gainDb, 10.0);
    EXPECT_FALSE(up.held);
    EXPECT_DOUBLE_EQ(up.resultLufs(), -20.0);

    const LoudnessGain down = planLoudnessGain(-12.0, -0.5, {-16.0});
    EXPECT_DOUBLE_EQ(down.gainDb, -4.0);
    EXPECT_FALSE(down.held);

    // 17 dB from peak to loudness: -16 LUFS would put the peak at +1 dBTP.
    const LoudnessGain held = planLoudnessGain(-30.0, -13.0, {-16.0});
    EXPECT_TRUE(held.held);
    EXPECT_LE(held.resultPeak(), -1.0);
    EXPECT_NEAR(held.resultLufs(), -18.0, 0.1);

    const LoudnessGain silence = planLoudnessGain(-HUGE_VAL, -HUGE_VAL, {-16.0});
    EXPECT_TRUE(silence.silent);
    EXPECT_EQ(silence.gainDb, 0.0);
}

// Keeps what it is fed.
class Collector final : public Encoder {
public:
    bool isActive() override { return !stopped; }
    void stop() override { stopped = true; }
    std::string errorText() const override { return {}; }
    void feed(std::span<const std::uint8_t> bytes) override
    {
        got.insert(got.end(), bytes.begin(), bytes.end());
    }
    std::vector<std::uint8_t> got;
    bool stopped = false;
};

// 5 s of a 997 Hz stereo sine of the given peak: about as loud in LUFS as
// its peak in dBFS.
std::vector<std::int16_t> sine(double peakDbfs)
{
    const double amplitude = 32767.0 * std::pow(10.0, peakDbfs / 20.0);
    std::vector<std::int16_t> samples;
    for (int i = 0; i < 5 * 44100; ++i) {
        const double v = amplitude * std::sin(2 * std::numbers::pi * 997.0 * i / 44100.0);
        samples.push_back(static_cast<std::int16_t>(std::lround(v)));
        samples.push_back(static_cast<std::int16_t>(std::lround(v)));
    }
    return samples;
}

std::vector<std::int16_t> matched(const std::vector<std::int16_t> &song, double target,
                                  LoudnessGain &gain)
{
    auto inner = std::make_shared<Collector>();
    auto match = LoudnessEncoder::create(inner, {target}, std::filesystem::temp_directory_path());
    EXPECT_TRUE(match);
    // Pieces that split frames and samples, as a stream's reads may.
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(song.data());
    const std::size_t size = song.size() * sizeof(std::int16_t);
    for (std::size_t at = 0; at < size; at += 1023) {
        match->feed({bytes + at, std::min<std::size_t>(1023, size - at)});
    }
    EXPECT_TRUE(inner->got.empty()) << "nothing goes on before the song is measured";
    while (match->replay()) {
    }
    match->stop();
    EXPECT_TRUE(inner->stopped);
    gain = match->gain().value_or(LoudnessGain{});
    std::vector<std::int16_t> out(inner->got.size() / 2);
    std::memcpy(out.data(), inner->got.data(), out.size() * 2);
    return out;
}

TEST(LoudnessEncoder, HandsOnTheSongWithOneGain)
{
    const std::vector<std::int16_t> song = sine(-20.0);
    LoudnessGain gain;
    const std::vector<std::int16_t> out = matched(song, -26.0, gain);
    ASSERT_EQ(out.size(), song.size());
    EXPECT_NEAR(gain.measuredLufs, -20.0, 0.3);
    EXPECT_NEAR(gain.gainDb, -6.0, 0.3);
    EXPECT_FALSE(gain.held);
    const double factor = std::pow(10.0, gain.gainDb / 20.0);
    for (std::size_t i = 0; i < song.size(); i += 997) {
        ASSERT_NEAR(out[i], song[i] * factor, 0.5) << i;
    }
}

TEST(LoudnessEncoder, APeakThatWouldClipHoldsTheGainAtTheCeiling)
{
    LoudnessGain gain;
    // A sine's peak is its loudness: -0.5 LUFS would put it at -0.5 dBTP.
    const std::vector<std::int16_t> out = matched(sine(-6.0), -0.5, gain);
    EXPECT_TRUE(gain.held);
    EXPECT_LE(gain.resultPeak(), -1.0);
    EXPECT_GT(gain.resultPeak(), -1.1);
    const auto [low, high] = std::minmax_element(out.begin(), out.end());
    EXPECT_LE(std::max(-*low, int{*high}), std::lround(32767 * std::pow(10.0, -1.0 / 20)));
    EXPECT_GT(int{*high}, 32767 * std::pow(10.0, -1.1 / 20));
}

TEST(LoudnessEncoder, NoScratchFileNoEncoder)
{
    auto inner = std::make_shared<Collector>();
    EXPECT_FALSE(LoudnessEncoder::create(inner, {}, "/nonexistent/folder"));
}

} // namespace
