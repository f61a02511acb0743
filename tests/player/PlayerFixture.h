#pragma once

#include "engine/Player.h"
#include "engine/PlayerDialogs.h"
#include "engine/PlayerView.h"
#include "tests/support/Bytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace melorit::engine::test {

// Records what the player announces and answers its questions.
struct RecordingView : PlayerView {
    void captionChanged(const QString &caption) override { captions.push_back(caption); }
    void repeatModeChanged(int mode) override { repeatModes.push_back(mode); }
    void presetNamesChanged() override { ++presetRefreshes; }
    // Every song set-up shows lyric event 0 once.
    void lyricsEventShown(int) override { ++songStarts; }
    std::vector<QString> captions;
    std::vector<int> repeatModes;
    int presetRefreshes = 0;
    int songStarts = 0;
};

struct RecordingDialogs : PlayerDialogs {
    std::optional<QString> chooseFile(const QString &startFolder, const QString &filter,
                                      const QString &title) override
    {
        chooserCalls.push_back({startFolder, filter, title});
        return answer;
    }
    void message(const UserMessage &m) override { messages.push_back(m); }
    std::optional<QString> answer;
    std::vector<std::vector<QString>> chooserCalls;
    std::vector<UserMessage> messages;
};

// A player pulled by the test, with its configuration, program folder and
// songs in a fresh folder and a sine SoundFont built for it.
class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString writeFile(const QString &name, const fixtures::Bytes &bytes) const;
    // A song of one note of the given length in quarter notes on channel 0.
    QString writeShortSong(const QString &name, int quarters = 1) const;
    // A SoundFont whose presets sit at the given (bank, program) pairs.
    QString writeFont(const QString &name, const std::vector<std::pair<int, int>> &presets) const;
    std::unique_ptr<Player> makePlayer(PlayerSettings settings);
    PlayerSettings defaultSettings() const;

    // Pulls the current song until the player starts another song or stops; false when that did not
    // happen within the given seconds.
    bool pullToSongChange(Player &player, double maxSeconds = 30) const;
    // Pulls about the given seconds of audio.
    void pullSeconds(Player &player, double seconds) const;

    QTemporaryDir m_dir;
    QString m_sineFont;
    RecordingView m_view;
    RecordingDialogs m_dialogs;
};

} // namespace melorit::engine::test
