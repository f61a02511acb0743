#include "engine/ControllerTable.h"

#include <gtest/gtest.h>

using namespace melorit::engine;

TEST(ControllerTable, IndicesMapToRowsEventsAndChannels)
{
    EXPECT_EQ(kCtrlCount, 123);
    struct Case {
        int index, row;
        MidiEvent event;
        int channel;
    };
    const Case cases[] = {
        {0, kRowVolume, MIDI_EVENT_VOLUME, 0},
        {15, kRowVolume, MIDI_EVENT_VOLUME, 15},
        {16, kRowPan, MIDI_EVENT_PAN, 0},
        {41, kRowReverb, MIDI_EVENT_REVERB, 9},
        {63, kRowChorus, MIDI_EVENT_CHORUS, 15},
        {64, kRowProgram, MIDI_EVENT_PROGRAM, 0},
        {83, kRowBank, MIDI_EVENT_BANK, 3},
        {105, kRowDrums, MIDI_EVENT_DRUMS, 9},
        {112, kRowGlobal, MIDI_EVENT_REVERB_TIME, 0},
        {122, kRowGlobal, MIDI_EVENT_CHORUS_REVERB, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(rowBaseOf(c.index), c.row);
        EXPECT_EQ(eventOfIndex(c.index), c.event);
        EXPECT_EQ(channelOfIndex(c.index), c.channel);
    }
    EXPECT_EQ(eventOfIndex(117), MIDI_EVENT_CHORUS_DELAY);
    EXPECT_EQ(rowBaseOf(123), -1);
    EXPECT_EQ(rowBaseOf(-1), -1);
}

TEST(ControllerTable, ResetGivesEverythingBackToTheSongDefaults)
{
    ControllerTable table;
    table.setOverride(3, 90);
    table.setDefault(16, 10);
    table.setOverride(120, 500);
    table.reset();
    for (int i = 0; i < kCtrlCount; ++i) {
        EXPECT_EQ(table.CtrlOverride(i), kNoOverride) << i;
        EXPECT_FALSE(table.hasOverride(i)) << i;
    }
    EXPECT_EQ(table.CtrlDefault(0), 100);
    EXPECT_EQ(table.CtrlDefault(16 + 5), 64);
    EXPECT_EQ(table.CtrlDefault(kRowDrums + 9), 1);
    EXPECT_EQ(table.CtrlDefault(kRowDrums + 8), 0);
    EXPECT_EQ(table.CtrlDefault(kRowProgram + 9), 0);
    // The effects start at the synthesizer's own settings (reverb level 0.9).
    EXPECT_EQ(table.CtrlDefault(kRowGlobal + 4), 900);
}

TEST(ControllerTable, OverrideTakesPrecedenceUntilRemoved)
{
    ControllerTable table;
    table.setDefault(20, 30);
    EXPECT_EQ(table.effective(20), 30);
    table.setOverride(20, 0); // 0 is a user value, not "none"
    EXPECT_TRUE(table.hasOverride(20));
    EXPECT_EQ(table.effective(20), 0);
    table.setOverride(20, kNoOverride);
    EXPECT_EQ(table.effective(20), 30);
}

TEST(ControllerTable, OutOfRangeIndicesAreIgnored)
{
    ControllerTable table;
    table.setOverride(123, 5);
    table.setDefault(-1, 5);
    EXPECT_EQ(table.CtrlOverride(123), kNoOverride);
    EXPECT_EQ(table.CtrlDefault(-1), -1);
}
