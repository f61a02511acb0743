#pragma once

#include <QString>

namespace melorit::paths {

// The folder of the running executable, without a trailing separator. Both
// programs and their data files (language files, demo song) live there.
QString programFolder();

// A file in the program folder.
QString programFile(const QString &name);

// The file that an install puts in the program folder. An installed program
// keeps its configuration in the user's folder, even when its own folder can
// be written (a root account, an install in the home folder); a build folder
// keeps it beside the program.
inline constexpr const char *kInstalledMarkerFile = ".melorit-installed";

// True when the program folder holds kInstalledMarkerFile.
bool isInstalledProgram();

// "Melorit.ini": in the program folder when that folder can be written and
// the program is not installed, otherwise in $XDG_CONFIG_HOME/melorit/
// (~/.config/melorit/).
QString configFile();

// True when the file can be written (replaced): an existing file that may
// be written, or a new one in a folder that may be written.
bool canWriteFile(const QString &file);

// Where the settings of songs in folders the user cannot write are kept:
// $XDG_DATA_HOME/melorit/songs (~/.local/share/melorit/songs), under each
// song's own absolute path.
QString songSettingsFolder();

// Overrides for tests and for tools that run outside the program folder.
// An empty text restores the default.
void setProgramFolder(const QString &folder);
void setConfigFile(const QString &path);
void setSongSettingsFolder(const QString &folder);

} // namespace melorit::paths
