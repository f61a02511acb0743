// melorit-cli: the program's work without its windows. Each subcommand lives
// in its own file and registers itself (see Command.h).

#include "cli/Command.h"
#include "cli/Console.h"

#include <QCoreApplication>

namespace {

using namespace melorit::cli;

void printProgramHelp()
{
    printLine(QStringLiteral("usage: melorit-cli COMMAND [ARGUMENTS]\n"
                             "       melorit-cli COMMAND --help\n\n"
                             "Commands:"));
    for (const Command &command : commands()) {
        printLine(QStringLiteral("  %1  %2")
                      .arg(QString::fromUtf8(command.name), -10)
                      .arg(QString::fromUtf8(command.summary)));
    }
}

int programUsageError(const QString &text)
{
    reportError(text);
    printError(QStringLiteral("Try \"melorit-cli --help\"."));
    return kExitUsage;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.isEmpty()) {
        return programUsageError(QStringLiteral("no command given"));
    }
    const QString name = arguments.takeFirst();
    if (name == u"--help" || name == u"-h") {
        printProgramHelp();
        return kExitOk;
    }
    const Command *command = findCommand(name);
    if (!command) {
        return programUsageError(name.startsWith(u'-')
                                     ? QStringLiteral("unknown option \"%1\"").arg(name)
                                     : QStringLiteral("unknown command \"%1\"").arg(name));
    }
    return command->run(arguments);
}
