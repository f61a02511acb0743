#pragma once

#include "engine/PlayerDialogs.h"
#include "export/SongRenderer.h"

#include <cstdio>

namespace melorit::bench {

// The dialogs of a conversion answered without a person: the export dialog
// with `settings` and `tags`, every overwrite allowed, messages on stderr.
class Answers final : public engine::PlayerDialogs, public exporting::RenderDialogs {
public:
    exporting::ExportSettings settings;
    exporting::SongTags tags;

    std::optional<QString> chooseFile(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void message(const UserMessage &m) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(m.text));
    }
    std::optional<Choice> exportDialog(const QString &, const QString &, const QString &) override
    {
        return Choice{settings, tags, false};
    }
    bool confirmOverwrite(const QString &, const QString &) override { return true; }
};

} // namespace melorit::bench
