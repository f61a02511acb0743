#pragma once

#include "export/ExportSettings.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// The command lines of the outside encoders, as argument vectors: each tag
// is one argument whatever quotes or spaces it holds, since the encoder is
// started without a shell.
namespace melorit::exporting {

// "lame": -h -b<rate> --ignore-tag-errors, then for each tag that is not
// empty --ta, --tt, --tl, --ty, --tn, --tg, --tc with the value, then "-"
// (standard input) and the output path.
QStringList lameArguments(const QString &rate, const SongTags &tags, const QString &outputPath);

// "oggenc": -b<rate>, then for each tag that is not empty -a, -t, -l, -d,
// -N, -G followed directly by the value, and -ccomment=<comment>; then -o,
// the output path and "-" (standard input).
QStringList oggencArguments(const QString &rate, const SongTags &tags, const QString &outputPath);

// The program of an encoding: "lame" for 1, "oggenc" for 2, "ffmpeg" for 3
// (video), "" for WAV and any other value. It is looked for in the program
// folder first, then on PATH; "" when it is found in neither.
QString encoderProgramName(int encoding);
QString findEncoderProgram(int encoding);
// The Debian package that installs it: "lame", "vorbis-tools", "ffmpeg".
QString encoderPackageName(int encoding);

// The argument vector of an encoding's program: its name, then the
// arguments, in UTF-8.
std::vector<std::string> encoderCommand(int encoding, const QStringList &arguments);

} // namespace melorit::exporting
