#pragma once

#include "export/ExportSettings.h"

#include <QString>
#include <QStringList>

// The command line of ffmpeg for the karaoke video, as an argument vector:
// the backing track arrives as WAV on its standard input and becomes AAC;
// the background (a colour, or an image scaled to cover the frame) with the
// lyrics drawn by libass from an ASS file becomes H.264 in an MP4 file.
namespace melorit::exporting {

// Frames per second of the video.
inline constexpr int kVideoFrameRate = 25;

struct VideoJob {
    QString rate; // kbit/s of the AAC track
    SongTags tags;
    VideoSettings video;
    QString lyricsPath; // the ASS file drawn on the frames
    QString outputPath;
};

QStringList ffmpegArguments(const VideoJob &job);

// A value inside an ffmpeg filter graph, escaped for both levels the graph
// is read with: first as an option value (where ":" ends it), then as part
// of the graph (where "[", "]", "," and ";" are special); a backslash, a
// quote and white space are escaped at both, so any text reaches the filter
// as it is.
QString filterGraphValue(const QString &value);

} // namespace melorit::exporting
