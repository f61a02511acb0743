#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// What ffprobe says of a media file, and frames taken out of a video by
// ffmpeg, for the tests of the video conversion.
namespace melorit::testing {

struct MediaInfo {
    QStringList codecs;           // one per stream, in order ("h264", "aac")
    double duration = -1;         // the container's, in seconds
    QHash<QString, QString> tags; // the container's ("title", "artist", ...)
};

// Nothing (no codecs) when ffprobe fails.
MediaInfo probeMedia(const QString &path);

// The frame shown at `seconds`, width x height pixels of 3 bytes (R, G, B);
// empty when ffmpeg fails.
QByteArray grabFrame(const QString &path, double seconds);

// Pixels of rows [top, bottom) of a frame `width` wide that pass `test`.
template <typename Test>
int countPixels(const QByteArray &rgb, int width, int top, int bottom, Test test)
{
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < width; ++x) {
            const qsizetype at = (static_cast<qsizetype>(y) * width + x) * 3;
            if (at + 2 < rgb.size() &&
                test(static_cast<unsigned char>(rgb[at]), static_cast<unsigned char>(rgb[at + 1]),
                     static_cast<unsigned char>(rgb[at + 2]))) {
                ++count;
            }
        }
    }
    return count;
}

} // namespace melorit::testing
