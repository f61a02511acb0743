#pragma once

#include "base/UserMessages.h"
#include "engine/Player.h"
#include "engine/PlayerDialogs.h"
#include "export/ExportDialogs.h"
#include "export/SongRenderer.h"

#include <functional>

// What the program asks a person, answered with the desktop's dialogs.
namespace melorit::program {

// Messages meant for the user as message boxes over the active window.
class MessageBoxSink final : public MessageSink {
public:
    void show(const UserMessage &message) override;
};

// The player's questions: the file chooser of the desktop and message boxes.
class DesktopDialogs final : public engine::PlayerDialogs {
public:
    std::optional<QString> chooseFile(const QString &startFolder, const QString &filter,
                                      const QString &title) override;
    void message(const UserMessage &message) override;
};

// The conversion's questions, answered by the export dialog window, which
// validates itself while the player converts a batch.
class PlayerExportDialogs final : public exporting::RenderDialogs {
public:
    PlayerExportDialogs(const engine::Player &player, std::function<QString()> languageFile,
                        QWidget *parent)
        : m_player(player), m_dialogs(std::move(languageFile), parent)
    {
    }
    std::optional<Choice> exportDialog(const QString &songSettingsFile, const QString &tagArtist,
                                       const QString &tagTitle) override;
    bool confirmOverwrite(const QString &text, const QString &title) override;

private:
    const engine::Player &m_player;
    exporting::ExportDialogs m_dialogs;
};

} // namespace melorit::program
