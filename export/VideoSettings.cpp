#include "export/VideoSettings.h"

#include "base/Ini.h"
#include "export/ExportKeys.h"

namespace melorit::exporting {

namespace {

constexpr int kSmallestSide = 64;
constexpr int kLargestSide = 4096;

QString readVideo(QLatin1StringView key, QLatin1StringView fallback, const QString &file)
{
    const QString value = ReadIni(QString(config::kVideoSection), QString(key), file).trimmed();
    return value.isEmpty() ? QString(fallback) : value;
}

std::optional<int> side(QStringView text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < kSmallestSide || value > kLargestSide || value % 2 != 0) {
        return std::nullopt;
    }
    return value;
}

} // namespace

VideoSettings ReadVideoSettings(const QString &configFile)
{
    VideoSettings settings;
    settings.Size = readVideo(config::kVideoSizeKey, config::kVideoSizeDefault, configFile);
    settings.Colour = readVideo(config::kVideoColourKey, config::kVideoColourDefault, configFile);
    settings.Image = readVideo(config::kVideoImageKey, {}, configFile);
    return settings;
}

std::optional<VideoSize> parseVideoSize(QStringView text)
{
    const qsizetype x = text.indexOf(u'x', 0, Qt::CaseInsensitive);
    if (x < 0) {
        return std::nullopt;
    }
    const std::optional<int> width = side(text.left(x).trimmed());
    const std::optional<int> height = side(text.mid(x + 1).trimmed());
    if (!width || !height) {
        return std::nullopt;
    }
    return VideoSize{*width, *height};
}

VideoSize effectiveVideoSize(const QString &storedSize)
{
    return parseVideoSize(storedSize).value_or(VideoSize{});
}

bool isVideoColour(QStringView text)
{
    if (text.size() != 7 || text.front() != u'#') {
        return false;
    }
    for (const QChar c : text.mid(1)) {
        const QChar l = c.toLower();
        if (!(l >= u'0' && l <= u'9') && !(l >= u'a' && l <= u'f')) {
            return false;
        }
    }
    return true;
}

QString ffmpegColour(const QString &storedColour)
{
    const QString colour =
        isVideoColour(storedColour) ? storedColour : QString(config::kVideoColourDefault);
    return QStringLiteral("0x") + colour.mid(1).toUpper();
}

} // namespace melorit::exporting
