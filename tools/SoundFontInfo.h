#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <cstdint>
#include <span>

namespace melorit::tools {

// One SoundFont assignment of a song stream: which loaded font serves which
// preset and bank (-1 for all).
struct FontAssignment {
    std::uint32_t font = 0;
    int preset = -1;
    int bank = -1;
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

// "font_=" + count, then one line per assignment: index, " font=", the font,
// the bank and the preset with three digits. Every line ends in CR LF.
QString fontAssignmentsText(std::span<const FontAssignment> assignments);

// The version template of the language file: "Options"/"SfVersion".
QString soundFontVersionTemplate(const QString &languageFile);

// The SoundFont information command: the assignment list, then the identity
// of the font file or the reason it cannot be given, as user messages. A file
// that cannot be opened ends the command after the first message.
void ShowSoundFontInfo(const QString &fontPath, std::span<const FontAssignment> assignments,
                       const QString &languageFile);

} // namespace melorit::tools
