#include "export/EncoderArguments.h"

#include "base/ProgramPaths.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace melorit::exporting {

namespace {

// lame takes the value as the next argument.
void addSeparate(QStringList &args, const QString &option, const QString &value)
{
    if (!value.isEmpty()) {
        args << option << value;
    }
}

// oggenc takes the value attached to its option letter.
void addAttached(QStringList &args, const QString &option, const QString &value)
{
    if (!value.isEmpty()) {
        args << option + value;
    }
}

} // namespace

QStringList lameArguments(const QString &rate, const SongTags &tags, const QString &outputPath)
{
    QStringList args{QStringLiteral("-h"), QStringLiteral("-b") + rate,
                     QStringLiteral("--ignore-tag-errors")};
    addSeparate(args, QStringLiteral("--ta"), tags.Artist);
    addSeparate(args, QStringLiteral("--tt"), tags.Title);
    addSeparate(args, QStringLiteral("--tl"), tags.Album);
    addSeparate(args, QStringLiteral("--ty"), tags.Year);
    addSeparate(args, QStringLiteral("--tn"), tags.Track);
    addSeparate(args, QStringLiteral("--tg"), tags.Genre);
    addSeparate(args, QStringLiteral("--tc"), tags.Comment);
    args << QStringLiteral("-") << outputPath;
    return args;
}

QStringList oggencArguments(const QString &rate, const SongTags &tags, const QString &outputPath)
{
    QStringList args{QStringLiteral("-b") + rate};
    addAttached(args, QStringLiteral("-a"), tags.Artist);
    addAttached(args, QStringLiteral("-t"), tags.Title);
    addAttached(args, QStringLiteral("-l"), tags.Album);
    addAttached(args, QStringLiteral("-d"), tags.Year);
    addAttached(args, QStringLiteral("-N"), tags.Track);
    addAttached(args, QStringLiteral("-G"), tags.Genre);
    if (!tags.Comment.isEmpty()) {
        args << QStringLiteral("-ccomment=") + tags.Comment;
    }
    args << QStringLiteral("-o") << outputPath << QStringLiteral("-");
    return args;
}

QString encoderProgramName(int encoding)
{
    switch (encoding) {
    case 1:
        return QStringLiteral("lame");
    case 2:
        return QStringLiteral("oggenc");
    case 3:
        return QStringLiteral("ffmpeg");
    default:
        return {};
    }
}

QString encoderPackageName(int encoding)
{
    return encoding == 2 ? QStringLiteral("vorbis-tools") : encoderProgramName(encoding);
}

std::vector<std::string> encoderCommand(int encoding, const QStringList &arguments)
{
    std::vector<std::string> argv{encoderProgramName(encoding).toStdString()};
    for (const QString &argument : arguments) {
        argv.push_back(argument.toStdString());
    }
    return argv;
}

QString findEncoderProgram(int encoding)
{
    const QString name = encoderProgramName(encoding);
    if (name.isEmpty()) {
        return {};
    }
    const QFileInfo beside(paths::programFile(name));
    if (beside.isFile() && beside.isExecutable()) {
        return beside.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(name);
}

} // namespace melorit::exporting
