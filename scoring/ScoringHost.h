#pragma once

#include "scoring/MelodyTarget.h"

#include <QString>

#include <functional>
#include <optional>

namespace melorit::scoring {

// What the live scoring reads from the program around it. UI thread.
struct ScoringHost {
    // The melody of the song now playing, as it plays (tempo,
    // transposition); nothing without a song.
    std::function<std::optional<MelodyTarget>()> target;
    // The tick heard now; nothing once the song has stopped.
    std::function<std::optional<double>()> heardTick;
    // The transposition the song plays at now.
    std::function<int()> transpose;
    // The song's settings file (the best score is kept there).
    std::function<QString()> songSettingsFile;
    // Milliseconds between a sound leaving the program and being heard.
    std::function<int()> outputLatencyMs;
    // The configuration file ("" is "Melorit.ini") and the language file.
    QString configFile;
    std::function<QString()> languageFile;
    // Tells the user something that needs attention (a message box).
    std::function<void(const QString &text)> warn;
};

} // namespace melorit::scoring
