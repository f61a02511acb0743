#pragma once

#include <QString>

namespace melorit {

// Longest value a read returns, in characters; longer values are cut.
inline constexpr qsizetype kIniValueLimit = 127;

// Reads one value of an INI-format file. File "" is the configuration file
// "Melorit.ini"; any other text is the path of the file. Section and key
// names are matched without regard to case; one pair of outer double quotes
// is removed; the result is cut to 127 characters. A missing file, section
// or key, and a file that cannot be read as text, give "".
QString ReadIni(const QString &section, const QString &key, const QString &file = {});

// Writes one value at once, creating the file and the section when needed,
// and returns the value, or "" when the write failed. The file is replaced
// atomically, so a failed write leaves the previous content in place. Line
// breaks in the value are turned into spaces: a value is one line.
QString WriteIni(const QString &section, const QString &key, const QString &value,
                 const QString &file = {});

} // namespace melorit
