#pragma once

#include "app/program/Program.h"
#include "engine/PlayerDialogs.h"
#include "lyrics/OGLWin.h"
#include "party/PartyControl.h"
#include "tests/support/RecordedMessages.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace melorit::party::test {

// Answers the player's questions without a person.
struct QuietDialogs final : engine::PlayerDialogs {
    std::optional<QString> chooseFile(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void message(const UserMessage &m) override { messages.push_back(m); }
    std::vector<UserMessage> messages;
};

// The program as it ships, in English, in a program folder of its own with
// the shipped language files and the demo song, on a virtual X server whose
// screens the test's CMake target chooses.
class PartyTest : public ::testing::Test {
public:
    static void settle(int milliseconds = 100);

protected:
    void SetUp() override;
    void TearDown() override;

    QString file(const QString &name) const { return m_dir.filePath(name); }
    QString demoSong() const { return file(QStringLiteral("au-clair-de-la-lune.kar")); }
    void setting(const char *key, const QString &value);
    QString setting(const char *key) const;
    bool startProgram(const QStringList &songs = {}, bool lyricsFullScreen = false);

    lyrics::OGLWin *lyricsWindow() const;
    PartyControl &party() const { return *m_program->partyControl(); }
    engine::Player &player() const { return *m_program->player(); }
    // The lyrics as drawn now.
    QImage frame() const;

    QTemporaryDir m_dir;
    melorit::testing::RecordedMessages m_messages;
    QuietDialogs m_dialogs;
    std::unique_ptr<program::Program> m_program;
};

} // namespace melorit::party::test
