#pragma once

#include "base/UserMessages.h"

#include <QString>

#include <optional>

namespace melorit::engine {

// What the player needs a person for. The windows answer with dialogs, the
// command line and the tests without them. UI thread.
class PlayerDialogs {
public:
    virtual ~PlayerDialogs() = default;

    // An existing file to open, chosen in a file dialog that starts in the
    // folder and shows the filter (language-file syntax, "Desc|*.sf2|...")
    // and the title; nothing when the person cancels.
    virtual std::optional<QString> chooseFile(const QString &startFolder, const QString &filter,
                                              const QString &title) = 0;

    // A message box.
    virtual void message(const UserMessage &message) = 0;
};

} // namespace melorit::engine
