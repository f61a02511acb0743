#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <optional>

namespace melorit::tools {

// The SoundFont the program has loaded: its file, the name the bank gives
// itself ("INAM") and the number of presets the synthesizer found in it.
struct LoadedFont {
    QString path;
    QString name;
    int presetCount = 0;
};

enum class SoundFontInfoStatus { Read, NotOpened, NoBank, NoList, NoIfil, NoIsng };

// The identity of a SoundFont 2 file, read from its INFO list.
struct SoundFontInfo {
    SoundFontInfoStatus status = SoundFontInfoStatus::NotOpened;
    QString engineName; // "isng" up to its first zero byte
    unsigned major = 0; // "ifil", first word
    unsigned minor = 0; // "ifil", second word
};

// Reads the version and the engine name: the RIFF "sfbk" chunk, its first
// "LIST" chunk, then "ifil" and "isng" searched forward inside the "sfbk"
// chunk. The device must be open for reading; it is read from its start and
// never beyond its size, whatever the chunk sizes say.
SoundFontInfo readSoundFontInfo(QIODevice &device);
SoundFontInfo readSoundFontInfo(QByteArrayView bytes);
// NotOpened when the file cannot be opened for reading.
SoundFontInfo readSoundFontInfo(const QString &path);

// "No soundfont bank found!" and the three others; "" for Read and NotOpened.
QString soundFontFailureText(SoundFontInfoStatus status);

// The path, the engine name and the version line, on three lines joined by
// CR LF. The version line is the template with "%1" replaced by
// major + "." + minor.
QString soundFontIdentityText(const QString &path, const SoundFontInfo &info,
                              const QString &versionTemplate);

// The version template of the language file: "Options"/"SfVersion".
QString soundFontVersionTemplate(const QString &languageFile);

// What the SoundFont information command shows, one fact a line joined by
// CR LF, with the texts of the language file's "Options" section: "SfName"
// (the bank's name, else the file's), "SfVersion" (the format version from
// the file's "ifil"; left out when it cannot be read), "SfFile", "SfSize"
// (bytes) and "SfPresets". Each text has "%1" for its value.
// An empty language file gives the English texts.
QStringList loadedFontLines(const LoadedFont &font, const QString &languageFile);
QString loadedFontText(const LoadedFont &font, const QString &languageFile);

// The SoundFont information command: one message with what the loaded
// SoundFont is, or the language's "no SoundFont" text ("Main"/"SF2NoneInfo").
void ShowSoundFontInfo(const std::optional<LoadedFont> &font, const QString &languageFile);

} // namespace melorit::tools
