#include "tests/support/MediaProbe.h"

#include <QProcess>

namespace melorit::testing {

namespace {

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return {};
    }
    return process.readAllStandardOutput();
}

} // namespace

MediaInfo probeMedia(const QString &path)
{
    const QByteArray out =
        run(QStringLiteral("ffprobe"),
            {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
             QStringLiteral("stream=codec_name:format=duration:format_tags"), QStringLiteral("-of"),
             QStringLiteral("default=nw=1"), path});
    MediaInfo info;
    for (const QString &line : QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype equals = line.indexOf(u'=');
        const QString key = line.left(equals);
        const QString value = line.mid(equals + 1);
        if (key == u"codec_name") {
            info.codecs << value;
        } else if (key == u"duration") {
            info.duration = value.toDouble();
        } else if (key.startsWith(u"TAG:")) {
            info.tags.insert(key.mid(4), value);
        }
    }
    return info;
}

QByteArray grabFrame(const QString &path, double seconds)
{
    return run(QStringLiteral("ffmpeg"),
               {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-ss"),
                QString::number(seconds, 'f', 3), QStringLiteral("-i"), path,
                QStringLiteral("-frames:v"), QStringLiteral("1"), QStringLiteral("-f"),
                QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"), QStringLiteral("rgb24"),
                QStringLiteral("pipe:1")});
}

} // namespace melorit::testing
