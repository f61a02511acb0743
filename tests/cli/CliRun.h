#pragma once

#include "tests/support/MidiFileBuilder.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace melorit::testing {

struct CliRun {
    int status = -1; // -1 when the program did not end normally
    QString out;
    QString err;
};

// Runs the built melorit-cli with the arguments and waits for it, in this
// process's environment or in the one given.
CliRun runCli(const QStringList &arguments);
CliRun runCli(const QStringList &arguments, const QProcessEnvironment &environment);

struct Syl {
    std::uint32_t tick;
    std::string text; // raw bytes
};

// A format 1 song at 120 bpm (480 ticks a quarter): a tempo track, then one
// track of text events.
fixtures::MidiFileBuilder songWith(std::initializer_list<Syl> syllables);

// Songs written into a temporary folder.
class CliTest : public ::testing::Test {
protected:
    QString write(const QString &name, const fixtures::MidiFileBuilder &song);
    QString demoSong() const;

    QTemporaryDir m_dir;
};

} // namespace melorit::testing
