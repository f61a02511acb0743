#pragma once

// Where the windows open for a new user with all four secondary windows
// shown: on the screen, and apart from one another, or on a screen too small
// for that, at least off the main window.

#include "NewUserFixture.h"

#include <QGuiApplication>
#include <QScreen>

namespace melorit::newuser::test {

inline void showAllWindowsAndCheckPlaces(program::Program &program, QSize screenSize, bool allApart)
{
    program.Action_Reglage();
    program.Action_Reverb();
    program.Action_Lyrics();
    program.Action_Playlist();
    NewUserTest::settle(200);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(screen.size(), screenSize);
    std::vector<QRect> frames{program.mainWindow()->frameGeometry()};
    for (int i = 0; i < program::kSecondaryWindowCount; ++i) {
        const QWidget *window = program.secondaryWindow(static_cast<program::SecondaryWindow>(i));
        ASSERT_NE(window, nullptr) << i;
        ASSERT_TRUE(window->isVisible()) << i;
        frames.push_back(window->frameGeometry());
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_TRUE(screen.contains(frames[i])) << i;
        for (std::size_t j = i + 1; j < frames.size(); ++j) {
            if (allApart || i == 0) {
                EXPECT_FALSE(frames[i].intersects(frames[j])) << i << " " << j;
            }
        }
    }
}

} // namespace melorit::newuser::test
