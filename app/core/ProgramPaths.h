#pragma once

#include <QString>

namespace melorit::paths {

// The folder of the running executable, without a trailing separator. Both
// programs and their data files (language files, demo song) live there.
QString programFolder();

// A file in the program folder.
QString programFile(const QString &name);

// "Melorit.ini": in the program folder when that folder can be written,
// otherwise in $XDG_CONFIG_HOME/melorit/ (~/.config/melorit/).
QString configFile();

// Overrides for tests and for tools that run outside the program folder.
// An empty text restores the default.
void setProgramFolder(const QString &folder);
void setConfigFile(const QString &path);

} // namespace melorit::paths
