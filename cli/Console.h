#pragma once

#include <QString>
#include <QStringList>

#include <QHash>

#include <optional>

namespace melorit::cli {

// Output of the command line: UTF-8 text, one line per call.
void printLine(const QString &text);
void printError(const QString &text);

// "melorit-cli: " + text on standard error.
void reportError(const QString &text);

// Reports an option or argument error with a hint to the command's help and
// returns the usage status.
int usageError(const char *command, const QString &text);

// The arguments of a command: "--help" or "-h" anywhere asks for its help;
// the options named in valueOptions take a value ("--name value" or
// "--name=value"); everything after "--" is a plain argument.
struct Arguments {
    QStringList values;
    QHash<QString, QString> options;
    bool help = false;
    QString error; // a usage error: unknown option, option without value
};
Arguments parseArguments(const QStringList &arguments, const QStringList &valueOptions = {});

// How many plain arguments a command takes.
enum class Values { AtLeastOne, ExactlyOne, ExactlyTwo };

// The opening of every command: its arguments parsed, then "--help" prints
// its usage and ends it (exit 0); an option error, or plain arguments not in
// `count` (reported as `countError`), end it with a usage error (exit 2).
// `exit` holds the status when the command ends there.
struct CommandStart {
    Arguments args;
    std::optional<int> exit;
};
CommandStart startCommand(const char *name, const char *usage, const QStringList &arguments,
                          Values count, const QString &countError,
                          const QStringList &valueOptions = {});

// Takes every occurrence of a switch (an option without a value) out of the
// arguments before "--"; true when there was one.
bool takeSwitch(QStringList &arguments, const QString &name);

} // namespace melorit::cli
