#pragma once

#include <QString>

namespace melorit::engine {

// What "Melorit.ini" says about the sound of every song, heard or
// converted. The player reads it itself when it is made, so the program and
// melorit-cli, which both convert through a player, hear the same; the
// export settings (format, folder, naming, lyrics files) are the export
// dialog's model, `ExportForm`.
struct SoundSettings {
    // "Melorit"/"AutoMute": the melody channel is silenced unless "0".
    bool AutoMute = true;
    // "SF2"/"Base": the SoundFont to start with; "" when none is configured.
    QString SoundFont;
};

// configFile "" is "Melorit.ini". Any thread.
SoundSettings ReadSoundSettings(const QString &configFile);

} // namespace melorit::engine
