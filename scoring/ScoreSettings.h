#pragma once

#include <QString>

#include <optional>

namespace melorit::scoring {

// What the options dialog sets for singing, read alike by the program and by
// melorit-cli. Values out of range are brought into it.
struct ScoreSettings {
    bool enabled = false;
    QString device; // "" = the sound system's default input
    int toleranceCents = 50;
    int offsetMs = 0;

    // From the configuration file ("" is "Melorit.ini").
    static ScoreSettings read(const QString &configFile = {});
    // Writes every value at once.
    void write(const QString &configFile = {}) const;
};

// The best whole-song score kept in a song's settings file; nothing when
// the song was never scored to its end (or without a settings file).
std::optional<int> readBestScore(const QString &songSettingsFile);
// Keeps score when it beats the stored best; returns the best after it.
int keepBestScore(const QString &songSettingsFile, int score);

} // namespace melorit::scoring
