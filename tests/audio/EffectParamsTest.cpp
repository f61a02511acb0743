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

TEST(EffectParams, EachParameterMovesItsSettingOneWayOverItsWholeRange)
{
    struct Case {
        MidiEvent event;
        double (*setting)(const EffectParams &);
        bool rising;
    };
    const Case cases[] = {
        {MidiEvent::ReverbTime, [](const EffectParams &p) { return p.reverb().roomSize; }, true},
        {MidiEvent::ReverbDelay, [](const EffectParams &p) { return p.reverb().width; }, true},
        {MidiEvent::ReverbLowCutoff, [](const EffectParams &p) { return p.reverb().level; }, false},
        {MidiEvent::ReverbHighCutoff, [](const EffectParams &p) { return p.reverb().damping; },
         false},
        {MidiEvent::ReverbLevel, [](const EffectParams &p) { return p.reverb().level; }, true},
        {MidiEvent::ChorusDelay, [](const EffectParams &p) { return p.chorus().depthMs; }, true},
        {MidiEvent::ChorusDepth, [](const EffectParams &p) { return p.chorus().depthMs; }, true},
        {MidiEvent::ChorusRate, [](const EffectParams &p) { return p.chorus().speedHz; }, true},
        {MidiEvent::ChorusFeedback, [](const EffectParams &p) { return double(p.chorus().voices); },
         true},
        {MidiEvent::ChorusLevel, [](const EffectParams &p) { return p.chorus().level; }, true},
        {MidiEvent::ChorusReverb, [](const EffectParams &p) { return p.reverb().level; }, true},
    };
    for (const Case &c : cases) {
        EffectParams params;
        params.set(MidiEvent::ReverbLevel, 500); // leaves the reverb level room both ways
        const std::int32_t max = EffectParams::maximum(c.event);
        double previous = 0;
        for (int step = 0; step <= 10; ++step) {
            params.set(c.event, max * step / 10);
            const double now = c.setting(params);
            if (step > 0) {
                EXPECT_TRUE(c.rising ? now >= previous : now <= previous)
                    << static_cast<int>(c.event) << " step " << step;
            }
            previous = now;
        }
        params.set(c.event, 0);
        const double low = c.setting(params);
        params.set(c.event, max);
        EXPECT_NE(low, c.setting(params)) << static_cast<int>(c.event);
    }
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
    EXPECT_EQ(params.chorus().voices, 99);
}
