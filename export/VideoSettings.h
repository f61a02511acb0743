#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The settings of the karaoke video (MP4), as stored in section "Video" of
// the configuration file, and the rules for reading them.
namespace melorit::exporting {

struct VideoSize {
    int width = 1280;
    int height = 720;
};

struct VideoSettings {
    QString Size = QStringLiteral("1280x720");  // as stored
    QString Colour = QStringLiteral("#102040"); // "#RRGGBB", as stored
    QString Image;                              // background image; "" = the colour
};

// Reads "Video"/"Size", "Colour" and "Image" (configFile "" is
// "Melorit.ini"); missing keys keep their defaults.
VideoSettings ReadVideoSettings(const QString &configFile = {});

// "WIDTHxHEIGHT" with even numbers from 64 to 4096 (H.264 in 4:2:0 takes
// even sizes only); nothing otherwise.
std::optional<VideoSize> parseVideoSize(QStringView text);
// The stored size when it is valid, else 1280x720.
VideoSize effectiveVideoSize(const QString &storedSize);

// "#RRGGBB", hexadecimal digits in either case.
bool isVideoColour(QStringView text);
// The stored colour when it is valid, else the default, as ffmpeg writes
// colours: "0xRRGGBB".
QString ffmpegColour(const QString &storedColour);

} // namespace melorit::exporting
