#pragma once

#include "app/core/UserMessages.h"
#include "engine/PlayerDialogs.h"
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

// The conversion's questions while no export dialog window exists: the
// export settings and tags as stored (the dialog would open with them), and
// the overwrite question as a message box.
class StoredRenderDialogs final : public exporting::RenderDialogs {
public:
    explicit StoredRenderDialogs(std::function<QString()> languageFile)
        : m_languageFile(std::move(languageFile))
    {
    }
    std::optional<Choice> exportDialog(const QString &songSettingsFile, const QString &tagArtist,
                                       const QString &tagTitle) override;
    bool confirmOverwrite(const QString &text, const QString &title) override;

private:
    std::function<QString()> m_languageFile;
};

} // namespace melorit::program
