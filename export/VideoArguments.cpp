#include "export/VideoArguments.h"

#include <QFileInfo>

namespace melorit::exporting {

namespace {

QString escaped(const QString &text, QStringView special)
{
    QString out;
    out.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (special.contains(c) || c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
            out += u'\\';
        }
        out += c;
    }
    return out;
}

// ffmpeg takes "name:" before a path as a protocol; "file:" says it is a file.
QString fileUrl(const QString &path)
{
    return QStringLiteral("file:") + QFileInfo(path).absoluteFilePath();
}

QString sizeText(VideoSize size)
{
    return QStringLiteral("%1x%2").arg(size.width).arg(size.height);
}

// The background as the second input.
QStringList backgroundInput(const VideoSettings &video, VideoSize size)
{
    if (!video.Image.isEmpty()) {
        // One picture, read once and known by its content: no "%d" sequence
        // is looked for in its name, and its extension may lie.
        return {QStringLiteral("-f"), QStringLiteral("image2pipe"), QStringLiteral("-i"),
                fileUrl(video.Image)};
    }
    return {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
            QStringLiteral("color=c=%1:s=%2:r=%3")
                .arg(ffmpegColour(video.Colour), sizeText(size))
                .arg(kVideoFrameRate)};
}

// The picture fills the frame (cut at the sides or at the top and bottom)
// and is repeated at the frame rate.
QString backgroundChain(const VideoSettings &video, VideoSize size)
{
    if (video.Image.isEmpty()) {
        return QStringLiteral("[1:v]null[bg];");
    }
    return QStringLiteral("[1:v]scale=%1:%2:force_original_aspect_ratio=increase,crop=%1:%2,"
                          "setsar=1,loop=loop=-1:size=1,fps=%3[bg];")
        .arg(size.width)
        .arg(size.height)
        .arg(kVideoFrameRate);
}

// The video ends with the audio: a tiny picture made from the audio is laid
// outside the frame and ends the overlay when the audio ends ("-shortest"
// leaves up to a second of extra video).
QString filterGraph(const VideoJob &job)
{
    const VideoSize size = effectiveVideoSize(job.video.Size);
    return backgroundChain(job.video, size) +
           QStringLiteral("[0:a]asplit[a][clock];[clock]showwaves=s=16x16:r=%1[tick];"
                          "[bg][tick]overlay=x=W:y=H:shortest=1,subtitles=filename=%2,"
                          "format=yuv420p[v]")
               .arg(QString::number(kVideoFrameRate),
                    filterGraphValue(QFileInfo(job.lyricsPath).absoluteFilePath()));
}

void addTag(QStringList &args, const char *key, const QString &value)
{
    if (!value.isEmpty()) {
        args << QStringLiteral("-metadata") << QLatin1StringView(key) + u'=' + value;
    }
}

} // namespace

QString filterGraphValue(const QString &value)
{
    return escaped(escaped(value, u"\\':"), u"\\'[],;");
}

QStringList ffmpegArguments(const VideoJob &job)
{
    const VideoSize size = effectiveVideoSize(job.video.Size);
    QStringList args{
        QStringLiteral("-hide_banner"), QStringLiteral("-nostdin"), QStringLiteral("-nostats"),
        QStringLiteral("-loglevel"),    QStringLiteral("error"),    QStringLiteral("-f"),
        QStringLiteral("wav"),          QStringLiteral("-i"),       QStringLiteral("pipe:0")};
    args << backgroundInput(job.video, size);
    args << QStringLiteral("-filter_complex") << filterGraph(job) << QStringLiteral("-map")
         << QStringLiteral("[v]") << QStringLiteral("-map") << QStringLiteral("[a]");
    args << QStringLiteral("-c:v") << QStringLiteral("libx264") << QStringLiteral("-preset")
         << QStringLiteral("veryfast") << QStringLiteral("-crf") << QStringLiteral("23");
    args << QStringLiteral("-c:a") << QStringLiteral("aac") << QStringLiteral("-b:a")
         << job.rate + u'k';
    addTag(args, "title", job.tags.Title);
    addTag(args, "artist", job.tags.Artist);
    addTag(args, "album", job.tags.Album);
    addTag(args, "date", job.tags.Year);
    addTag(args, "track", job.tags.Track);
    addTag(args, "genre", job.tags.Genre);
    addTag(args, "comment", job.tags.Comment);
    // The index at the front, so a player can start before the whole file is
    // there; the format is named, whatever the output's extension.
    args << QStringLiteral("-movflags") << QStringLiteral("+faststart") << QStringLiteral("-f")
         << QStringLiteral("mp4") << QStringLiteral("-y") << fileUrl(job.outputPath);
    return args;
}

} // namespace melorit::exporting
