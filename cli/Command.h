#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace melorit::cli {

// Exit statuses of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // a file could not be read or written
inline constexpr int kExitUsage = 2;   // unknown command or option, missing argument

// One subcommand: "melorit-cli <name> <arguments>". run() gets the arguments
// after the name and returns the exit status.
struct Command {
    const char *name;
    const char *summary; // one line in the program's help
    const char *usage;   // the command's own help, printed by "<name> --help"
    int (*run)(const QStringList &arguments);
};

// Each command file registers itself with a static CommandRegistration, so a
// new command is a new file and nothing else changes.
class CommandRegistration {
public:
    explicit CommandRegistration(const Command &command);
};

// The registered commands, sorted by name.
std::vector<Command> commands();
const Command *findCommand(const QString &name);

} // namespace melorit::cli
