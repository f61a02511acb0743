#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The options that print something and end the program before any window
// opens: --help and --version.
namespace melorit::instance {

enum class InfoRequest { None, Help, Version };

// What the program's arguments (without the program name) ask for. Only the
// arguments before a "--" count; any other argument is a song or an option
// of Qt's (-platform, -style...) and is left for the program.
InfoRequest parseInfoOptions(const QStringList &arguments);

// "melorit --help": usage, the hand-off to a running program, the options.
QString helpText();
// "melorit --version": the program's name and version, Qt's version.
QString versionText();

// When the arguments ask for help or the version, prints it on standard
// output and returns the exit status (0); otherwise returns nothing and
// prints nothing. Call it first in main(), before the application object,
// so it works without a display.
std::optional<int> handleInfoOptions(const QStringList &arguments);
std::optional<int> handleInfoOptions(int argc, char **argv);

} // namespace melorit::instance
