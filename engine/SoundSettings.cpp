#include "engine/SoundSettings.h"

#include "base/Ini.h"
#include "engine/SettingsKeys.h"

namespace melorit::engine {

SoundSettings ReadSoundSettings(const QString &configFile)
{
    SoundSettings settings;
    settings.AutoMute =
        ReadIni(config::kMeloritSection, config::kAutoMuteKey, configFile) != config::kAutoMuteOff;
    settings.SoundFont = ReadIni(config::kFontSection, config::kFontFileKey, configFile);
    return settings;
}

} // namespace melorit::engine
