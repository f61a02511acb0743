#pragma once

#include "app/program/Program.h"
#include "base/UserMessages.h"
#include "engine/PlayerDialogs.h"
#include "tests/support/PlainMainWindow.h"

#include "tests/support/RecordedMessages.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace melorit::program::test {

inline std::string u8(const QString &text)
{
    return text.toStdString();
}

// Answers the player's questions without a person: the chooser is cancelled.
struct RecordingDialogs final : engine::PlayerDialogs {
    std::optional<QString> chooseFile(const QString &, const QString &, const QString &) override
    {
        ++chooserCalls;
        return std::nullopt;
    }
    void message(const UserMessage &m) override { messages.push_back(m); }
    int chooserCalls = 0;
    std::vector<UserMessage> messages;
};

using melorit::testing::RecordedMessages;

// A program folder of its own with the shipped language files ("fr.lng",
// "en.lng" and the French "melorit.dll") and its configuration file; the
// program runs the real windows, the real player on SDL's dummy driver and
// TimGM6mb as the system's SoundFont.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString file(const QString &name) const { return m_dir.filePath(name); }
    QString config() const { return file(QStringLiteral("Melorit.ini")); }
    // A short song of the given length in quarter notes.
    QString writeSong(const QString &name, int quarters = 8) const;

    // Builds the program (not started) with the songs of the command line.
    Program &makeProgram(const QStringList &songs = {});
    // Builds and starts it; the result of the start-up.
    bool startProgram(const QStringList &songs = {});
    PlainMainWindow *mainWindow() const;
    bool messageSaid(const QString &part) const;

    QTemporaryDir m_dir;
    RecordedMessages m_messages;
    RecordingDialogs m_dialogs;
    // Who answers the export dialog and the playlist's file choosers; the
    // program's own windows when null.
    exporting::RenderDialogs *m_renderDialogs = nullptr;
    playlist::FileChooser *m_chooser = nullptr;
    std::unique_ptr<Program> m_program;
};

} // namespace melorit::program::test
