#include "audio/EffectParams.h"

#include <gtest/gtest.h>

using namespace melorit::audio;

TEST(EffectParams, DefaultsAreFluidSynthsOwnSettings)
{
    const EffectParams params;
    const ReverbSettings r = params.reverb();
    EXPECT_NEAR(r.roomSize, 0.2, 1e-9);
    EXPECT_NEAR(r.damping, 0.0, 1e-9);
    EXPECT_NEAR(r.width, 0.5, 1e-9);
    EXPECT_NEAR(r.level, 0.9, 1e-9);
    const ChorusSettings c = params.chorus();
    EXPECT_EQ(c.voices, 3);
    EXPECT_NEAR(c.level, 2.0, 1e-9);
    EXPECT_NEAR(c.speedHz, 0.3, 0.001);
    EXPECT_NEAR(c.depthMs, 8.0, 1e-9);
}

TEST(EffectParams, ValuesAreClampedToTheirRanges)
{
    EffectParams params;
    EXPECT_EQ(EffectParams::maximum(MidiEvent::ReverbTime), 10000);
    EXPECT_EQ(EffectParams::maximum(MidiEvent::ReverbLevel), 1000);
    EXPECT_EQ(EffectParams::maximum(MidiEvent::ChorusFeedback), 200);
    EXPECT_TRUE(params.set(MidiEvent::ChorusFeedback, 999));
    EXPECT_EQ(params.value(MidiEvent::ChorusFeedback), 200);
    EXPECT_TRUE(params.set(MidiEvent::ReverbLevel, -5));
    EXPECT_EQ(params.value(MidiEvent::ReverbLevel), 0);
    EXPECT_FALSE(params.set(MidiEvent::Volume, 10));
    EXPECT_EQ(params.value(MidiEvent::Volume), -1);
    params.set(MidiEvent::ReverbLevel, 1000);
    params.set(MidiEvent::ChorusReverb, 1000);
    EXPECT_LE(params.reverb().level, 1.0);
    params.set(MidiEvent::ChorusLevel, 1000);
    params.set(MidiEvent::ChorusFeedback, 200);
    EXPECT_LE(params.chorus().level, 10.0) << "FluidSynth's highest chorus level";
}
