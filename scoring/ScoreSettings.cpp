#include "scoring/ScoreSettings.h"

#include "base/Ini.h"
#include "base/TextUtil.h"
#include "scoring/ScoreKeys.h"

#include <algorithm>

namespace melorit::scoring {
namespace {

int readNumber(QLatin1StringView key, int fallback, int low, int high, const QString &file)
{
    const QString value = ReadIni(keys::kSection, key, file).trimmed();
    if (value.isEmpty()) {
        return fallback;
    }
    return std::clamp(text::toInt(text::Val(value)), low, high);
}

} // namespace

ScoreSettings ScoreSettings::read(const QString &configFile)
{
    ScoreSettings s;
    s.enabled = ReadIni(keys::kSection, keys::kEnabledKey, configFile) == u"1";
    s.device = ReadIni(keys::kSection, keys::kDeviceKey, configFile);
    s.toleranceCents = readNumber(keys::kToleranceKey, keys::kToleranceDefault, keys::kToleranceMin,
                                  keys::kToleranceMax, configFile);
    s.offsetMs = readNumber(keys::kOffsetKey, keys::kOffsetDefault, keys::kOffsetMin,
                            keys::kOffsetMax, configFile);
    return s;
}

void ScoreSettings::write(const QString &configFile) const
{
    WriteIni(keys::kSection, keys::kEnabledKey, enabled ? QStringLiteral("1") : QStringLiteral("0"),
             configFile);
    WriteIni(keys::kSection, keys::kDeviceKey, device, configFile);
    WriteIni(keys::kSection, keys::kToleranceKey, QString::number(toleranceCents), configFile);
    WriteIni(keys::kSection, keys::kOffsetKey, QString::number(offsetMs), configFile);
}

std::optional<int> readBestScore(const QString &songSettingsFile)
{
    if (songSettingsFile.isEmpty()) {
        return std::nullopt;
    }
    const QString value = ReadIni(keys::kSection, keys::kBestKey, songSettingsFile).trimmed();
    if (value.isEmpty()) {
        return std::nullopt;
    }
    return std::clamp(text::toInt(text::Val(value)), 0, 100);
}

int keepBestScore(const QString &songSettingsFile, int score)
{
    const std::optional<int> best = readBestScore(songSettingsFile);
    if (songSettingsFile.isEmpty() || (best && *best >= score)) {
        return best ? std::max(*best, score) : score;
    }
    WriteIni(keys::kSection, keys::kBestKey, QString::number(score), songSettingsFile);
    return score;
}

} // namespace melorit::scoring
