#include "engine/SongSettings.h"

#include "base/Ini.h"
#include "base/ProgramPaths.h"
#include "base/TextUtil.h"
#include "engine/ControllerTable.h"
#include "engine/MixLimits.h"
#include "engine/SettingsKeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace melorit::engine::mst {
namespace {

QString channelKey(int channel)
{
    return kChannelKeyPrefix + QString::number(channel);
}

QString ccKey(int index)
{
    return kCcKeyPrefix + QString::number(index);
}

// The integer of a stored number, or nothing when the key is missing or empty.
std::optional<int> readInt(const QString &file, QLatin1StringView section, const QString &key)
{
    if (file.isEmpty()) {
        return std::nullopt;
    }
    const QString text = ReadIni(section, key, file);
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return text::toInt(text::Val(text));
}

int readClamped(const QString &file, QLatin1StringView section, const QString &key,
                const Range &range, int fallback)
{
    return range.clamp(readInt(file, section, key).value_or(fallback));
}

bool write(const QString &file, QLatin1StringView section, const QString &key, const QString &value)
{
    if (file.isEmpty()) {
        return false;
    }
    // The store returns what it wrote and "" on failure, so the failure of
    // an empty write cannot be told from its success.
    return WriteIni(section, key, value, file) == value;
}

} // namespace

QString SongSettingsFile(const QString &songPath)
{
    if (songPath.isEmpty()) {
        return {};
    }
    const QString beside = text::StripExtension(songPath) + kExtension;
    const QString kept = paths::songSettingsFolder() + QFileInfo(beside).absoluteFilePath();
    if (QFileInfo::exists(kept)) {
        return kept;
    }
    // A folder that is not there (a song not found) changes nothing.
    if (paths::canWriteFile(beside) || !QFileInfo(beside).dir().exists()) {
        return beside;
    }
    // A shared or read-only folder: the settings go on in the user's data
    // folder, starting from those that came with the song.
    QDir().mkpath(QFileInfo(kept).absolutePath());
    if (QFileInfo::exists(beside)) {
        QFile::copy(beside, kept);
    }
    return kept;
}

int readGain(const QString &file)
{
    return readClamped(file, kGainSection, kGainKey, kGainRange, kGainDefault);
}

bool writeGain(const QString &file, int gain)
{
    return write(file, kGainSection, kGainKey, text::formatNumber(gain, u"##0"));
}

int readTempo(const QString &file)
{
    if (file.isEmpty()) {
        return kTempoDefault;
    }
    const QString stored = ReadIni(kTempoSection, kTempoKey, file);
    if (stored.isEmpty()) {
        return kTempoDefault;
    }
    return kTempoRange.clamp(text::toInt(text::ValDecimal(stored) * 10.0));
}

bool writeTempo(const QString &file, int tempoShift)
{
    return write(file, kTempoSection, kTempoKey,
                 text::formatNumber(tempoShift / 10.0, u"#####0.0"));
}

double tempoRatio(int tempoShift)
{
    return 1.0 - tempoShift / 1000.0;
}

int readTranspose(const QString &file)
{
    return readClamped(file, kTransposeSection, kTransposeKey, kTransposeRange, kTransposeDefault);
}

bool writeTranspose(const QString &file, int semitones)
{
    return write(file, kTransposeSection, kTransposeKey, text::formatNumber(semitones, u"##0"));
}

ChannelVolume readVolume(const QString &file, int channel)
{
    const int stored =
        readClamped(file, kVolumeSection, channelKey(channel), kVolumeRange, kVolumeDefault);
    if (stored == 0) {
        return {kVolumeDefault, true};
    }
    return {stored, false};
}

bool writeVolume(const QString &file, int channel, int volume)
{
    return write(file, kVolumeSection, channelKey(channel), QString::number(volume));
}

bool readMute(const QString &file, int channel)
{
    return readInt(file, kMuteSection, channelKey(channel)).value_or(kMuteDefault ? 1 : 0) == 1;
}

bool writeMute(const QString &file, int channel, bool muted)
{
    return write(file, kMuteSection, channelKey(channel),
                 muted ? QStringLiteral("1") : QStringLiteral("0"));
}

std::optional<int> readCC(const QString &file, int index)
{
    return readInt(file, kCcSection, ccKey(index));
}

bool writeCC(const QString &file, int index, int override)
{
    return write(file, kCcSection, ccKey(index),
                 override >= 0 ? QString::number(override) : QString());
}

int readLyricsZoom(const QString &file)
{
    return readClamped(file, kLyricsSection, kLyricsZoomKey, kLyricsZoomRange, kLyricsZoomDefault);
}

bool writeLyricsZoom(const QString &file, int zoom)
{
    return write(file, kLyricsSection, kLyricsZoomKey, QString::number(zoom));
}

} // namespace melorit::engine::mst
