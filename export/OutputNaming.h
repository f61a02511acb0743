#pragma once

#include "export/ExportSettings.h"

#include <QString>

// Where a rendered song goes: the output folder from "SaveFolder", the name
// from "SaveScheme" and the tags, the extension from the encoding.
namespace melorit::exporting {

struct OutputPaths {
    QString Full;           // folder and name, without extension
    QString OutputPath;     // Full and the extension of the encoding
    QString LyricsFilePath; // Full followed by ".kok"
};

// The extension of an encoding, with its dot: ".wav", ".mp3", ".ogg",
// ".mp4"; "" for any other value (no encoder exists for it).
QString extensionFor(int encoding);

// Builds the paths for a song. The folder is "SaveFolder" when set, else the
// song's folder, and always ends with a separator. The name is the song's
// file name without extension, or "SaveScheme" with "%A"/"%a" replaced by the
// artist and "%T"/"%t" by the title, trimmed of spaces after each
// replacement; with both tags empty the scheme keeps only its folder part,
// placeholders emptied, followed by the song's name. A doubled separator is
// reduced to one.
OutputPaths BuildOutputPaths(const QString &songPath, const ExportSettings &settings,
                             const SongTags &tags);

// Creates the folder of the path with its missing parents; false when it
// does not exist afterwards. Callers may ignore the result: the writer then
// fails and says so.
bool CreateOutputFolder(const QString &fullPath);

} // namespace melorit::exporting
