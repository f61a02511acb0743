#include "cli/Command.h"

#include <algorithm>
#include <cstring>

namespace melorit::cli {
namespace {

// Filled during static initialisation, before main() reads it.
std::vector<Command> &registry()
{
    static std::vector<Command> list;
    return list;
}

} // namespace

CommandRegistration::CommandRegistration(const Command &command)
{
    registry().push_back(command);
}

std::vector<Command> commands()
{
    std::vector<Command> sorted = registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command &a, const Command &b) { return std::strcmp(a.name, b.name) < 0; });
    return sorted;
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : registry()) {
        if (name == QLatin1StringView(command.name)) {
            return &command;
        }
    }
    return nullptr;
}

} // namespace melorit::cli
