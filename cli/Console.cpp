#include "cli/Console.h"

#include "cli/Command.h"

#include <cstdio>

namespace melorit::cli {

void printLine(const QString &text)
{
    std::fputs((text + u'\n').toUtf8().constData(), stdout);
}

void printError(const QString &text)
{
    std::fputs((text + u'\n').toUtf8().constData(), stderr);
}

void reportError(const QString &text)
{
    printError(QStringLiteral("melorit-cli: ") + text);
}

int usageError(const char *command, const QString &text)
{
    reportError(text);
    printError(QStringLiteral("Try \"melorit-cli %1 --help\".").arg(QLatin1StringView(command)));
    return 2;
}

namespace {

bool isHelpOption(const QString &argument)
{
    return argument == u"--help" || argument == u"-h";
}

bool countFits(Values count, qsizetype values)
{
    switch (count) {
    case Values::ExactlyOne:
        return values == 1;
    case Values::ExactlyTwo:
        return values == 2;
    case Values::AtLeastOne:
        break;
    }
    return values >= 1;
}

} // namespace

Arguments parseArguments(const QStringList &arguments, const QStringList &valueOptions)
{
    Arguments result;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument.size() == 1) {
            result.values << argument;
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
        } else if (isHelpOption(argument)) {
            result.help = true;
        } else {
            const qsizetype equals = argument.indexOf(u'=');
            const QString name = equals < 0 ? argument : argument.first(equals);
            if (!valueOptions.contains(name)) {
                if (result.error.isEmpty()) {
                    result.error = QStringLiteral("unknown option \"%1\"").arg(argument);
                }
            } else if (equals >= 0) {
                result.options.insert(name, argument.mid(equals + 1));
            } else if (i + 1 < arguments.size()) {
                result.options.insert(name, arguments[++i]);
            } else if (result.error.isEmpty()) {
                result.error = QStringLiteral("option \"%1\" needs a value").arg(name);
            }
        }
    }
    return result;
}

CommandStart startCommand(const char *name, const char *usage, const QStringList &arguments,
                          Values count, const QString &countError, const QStringList &valueOptions)
{
    CommandStart start{parseArguments(arguments, valueOptions), std::nullopt};
    const Arguments &args = start.args;
    if (args.help) {
        printLine(QString::fromUtf8(usage));
        start.exit = kExitOk;
    } else if (!args.error.isEmpty()) {
        start.exit = usageError(name, args.error);
    } else if (!countFits(count, args.values.size())) {
        start.exit = usageError(name, countError);
    }
    return start;
}

bool takeSwitch(QStringList &arguments, const QString &name)
{
    const qsizetype end = arguments.indexOf(QStringLiteral("--"));
    const qsizetype at = arguments.indexOf(name);
    if (at < 0 || (end >= 0 && at > end)) {
        return false;
    }
    arguments.removeAt(at);
    takeSwitch(arguments, name);
    return true;
}

} // namespace melorit::cli
