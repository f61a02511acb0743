#pragma once

#include "scoring/MelodyTarget.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace melorit::scoring::test {

inline constexpr const char *kGeneralMidiFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// The song's melody channel alone, as the player plays it with the song's
// ".mst" (tempo, transposition): our own renderer, mono, 44100 Hz.
std::vector<float> renderMelodyTake(const QString &song, const QString &configFile);

// A sine wave along the target's notes (silence between them), each note
// `cents` off its key, alternately sharp and flat.
std::vector<float> sineTake(const MelodyTarget &target, double cents);

// The target of a song as melorit-cli score builds it (the ".mst" applies).
MelodyTarget targetOf(const QString &song);

// Writes a mono take as a WAV file at a rate and channel count (16-bit).
bool writeTake(const QString &path, const std::vector<float> &take44100, int rate, int channels);

// A copy of the demo song and a configuration file in a fresh folder.
class ScoringTest : public ::testing::Test {
protected:
    void SetUp() override;
    QString path(const QString &name) const { return m_dir.filePath(name); }
    void setMst(const QString &section, const QString &value) const;

    QTemporaryDir m_dir;
    QString m_song;
    QString m_config;
};

} // namespace melorit::scoring::test
