#pragma once

#include "app/mainwin/frmRovuRodu.h"
#include "app/program/Program.h"
#include "engine/PlayerDialogs.h"
#include "tests/support/RecordedMessages.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace melorit::newuser::test {

// Answers the player's questions without a person: the chooser is cancelled.
struct QuietDialogs final : engine::PlayerDialogs {
    std::optional<QString> chooseFile(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void message(const UserMessage &m) override { messages.push_back(m); }
    std::vector<UserMessage> messages;
};

// What a new user meets: the program as it ships (the real main window, the
// four secondary windows, the real player on SDL's dummy driver, TimGM6mb as
// the system's SoundFont), in a program folder of its own with the shipped
// language files and the demo song, with no settings at all, on a virtual X
// server whose screen size the test's CMake target chooses.
class NewUserTest : public ::testing::Test {
public:
    // Lets the windows be shown, moved and painted.
    static void settle(int milliseconds = 50);

protected:
    void SetUp() override;
    void TearDown() override;

    QString file(const QString &name) const { return m_dir.filePath(name); }
    QString demoSong() const { return file(QStringLiteral("au-clair-de-la-lune.kar")); }
    // Starts the program with the songs of the command line; the result of
    // the start-up.
    bool startProgram(const QStringList &songs = {});
    mainwin::frmRovuRodu *mainWindow() const;
    engine::Player &player() const { return *m_program->player(); }

    QTemporaryDir m_dir;
    // An English desktop.
    QString m_locale = QStringLiteral("en_US");
    melorit::testing::RecordedMessages m_messages;
    QuietDialogs m_dialogs;
    std::unique_ptr<program::Program> m_program;
};

} // namespace melorit::newuser::test
