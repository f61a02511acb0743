#include "skins/ButtonFrames.h"

#include <gtest/gtest.h>

using namespace melorit::skins;

namespace {

QRect mainCell(int index, int state)
{
    const auto frame = mainButtonFrame(index, state);
    EXPECT_TRUE(frame.has_value()) << index;
    EXPECT_EQ(frame->sheet, Sheet::Buttons);
    return frame->source;
}

QRect playlistCell(int index, int state)
{
    const auto frame = playlistButtonFrame(index, state);
    EXPECT_TRUE(frame.has_value()) << index;
    return frame->source;
}

} // namespace

TEST(MainButtonFrame, SoloAndMuteButtonsHaveFourStates)
{
    EXPECT_EQ(mainCell(0, 0), QRect(0, 0, 24, 12));
    EXPECT_EQ(mainCell(15, 3), QRect(0, 36, 24, 12));
    EXPECT_EQ(mainCell(16, 1), QRect(24, 12, 24, 12));
    EXPECT_EQ(mainCell(31, 2), QRect(24, 24, 24, 12));
    EXPECT_EQ(mainCell(3, 9), mainCell(3, 3));
    EXPECT_EQ(mainCell(20, -4), mainCell(20, 0));
}

TEST(MainButtonFrame, LargeAndSmallCommandButtons)
{
    EXPECT_EQ(mainCell(32, 0), QRect(0, 48, 32, 32));
    EXPECT_EQ(mainCell(37, 1), QRect(160, 80, 32, 32));
    EXPECT_EQ(mainCell(38, 0), QRect(0, 160, 24, 24));
    EXPECT_EQ(mainCell(50, 1), QRect(288, 184, 24, 24));
    EXPECT_EQ(mainCell(42, 0), QRect(96, 160, 24, 24));
    EXPECT_EQ(mainCell(42, 1), QRect(96, 184, 24, 24));
}

TEST(MainButtonFrame, RepeatButtonUsesItsOwnCellsForModesTwoAndThree)
{
    EXPECT_EQ(mainCell(42, 2), QRect(72, 24, 24, 24));
    EXPECT_EQ(mainCell(42, 3), QRect(96, 24, 24, 24));
    EXPECT_EQ(mainCell(42, 7), mainCell(42, 3));
    EXPECT_EQ(mainCell(42, -1), mainCell(42, 0));
}

TEST(MainButtonFrame, CommandStatesBeyondTheSheetRowsDrawAsOn)
{
    // Rows for states 2 and 3 would be other buttons' pictures (32-37) or lie
    // below the sheet (38-50).
    for (int index = 32; index <= 50; ++index) {
        if (index == 42) {
            continue;
        }
        if (index != kPlayButton) {
            EXPECT_EQ(mainCell(index, 2), mainCell(index, 1)) << index;
        }
        EXPECT_EQ(mainCell(index, 3), mainCell(index, 1)) << index;
        EXPECT_LE(mainCell(index, 3).bottom(), 207) << index;
    }
}

TEST(MainButtonFrame, ThePausedPlayButtonHasACellOfItsOwn)
{
    const QRect paused = mainCell(kPlayButton, kPausedState);
    EXPECT_EQ(paused.size(), QSize(32, 32));
    EXPECT_TRUE(QRect(0, 0, 312, 208).contains(paused));
    // Off every other cell of the sheet.
    for (int index = 0; index <= 50; ++index) {
        for (int state = 0; state <= 3; ++state) {
            if (index != kPlayButton || state != kPausedState) {
                EXPECT_FALSE(mainCell(index, state).intersects(paused)) << index << " " << state;
            }
        }
    }
    for (int index = 48; index <= 54; ++index) {
        for (int state = 0; state <= 3; ++state) {
            EXPECT_FALSE(playlistButtonFrame(index, state)->source.intersects(paused)) << index;
        }
    }
}

TEST(MainButtonFrame, NothingOutsideTheButtonArray)
{
    EXPECT_FALSE(mainButtonFrame(-1, 0).has_value());
    EXPECT_FALSE(mainButtonFrame(51, 0).has_value());
}

TEST(PlaylistButtonFrame, CellsBelowTheLargeButtons)
{
    EXPECT_EQ(playlistCell(48, 0), QRect(0, 112, 24, 24));
    EXPECT_EQ(playlistCell(53, 1), QRect(120, 136, 24, 24));
    EXPECT_EQ(playlistCell(50, -2), playlistCell(50, 0));
    EXPECT_EQ(playlistCell(50, 3), playlistCell(50, 1));
    EXPECT_FALSE(playlistButtonFrame(47, 0).has_value());
    EXPECT_FALSE(playlistButtonFrame(55, 0).has_value());
}

TEST(PlaylistButtonFrame, RepeatButtonCells)
{
    EXPECT_EQ(playlistCell(54, 0), QRect(72, 0, 24, 24));
    EXPECT_EQ(playlistCell(54, 1), QRect(96, 24, 24, 24));
    EXPECT_EQ(playlistCell(54, 3), QRect(96, 24, 24, 24));
    EXPECT_EQ(playlistCell(54, 2), QRect(72, 24, 24, 24));
    EXPECT_EQ(playlistCell(54, -1), playlistCell(54, 0));
    // Both windows show the same picture for each repeat mode but "off".
    EXPECT_EQ(playlistCell(54, 2), mainCell(42, 2));
    EXPECT_EQ(playlistCell(54, 3), mainCell(42, 3));
}
