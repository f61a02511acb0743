#pragma once

#include "tools/SystemReport.h"

#include <QString>
#include <QStringList>

// The about box's texts: those of the language file, section "About", and
// the program's own credits lines.
namespace melorit::tools {

// The application title shown in the caption and the title label.
inline constexpr QStringView kApplicationTitle = u"Melorit";

struct AboutTexts {
    QString caption;      // "Caption", "%1" = the application title
    QString version;      // "Version", "%1.%2.%3" = the program's version
    QString title;        // the application title
    QString description;  // "Description"
    QString copyright;    // "Copyright": caption of the credits button
    QString ok;           // "cmdOK"
    QString sysInfo;      // "SysInfo"
    QString disclaimer;   // "Disclaimer" and "Disclaimer1" to "Disclaimer4", joined
    QString creditsInfo;  // "CopyrightInfo", "%1" to "%4" = the credits lines
    QString creditsTitle; // "CopyrightTitle"
};

// Reads the texts; "|" becomes a line break in the description, the
// disclaimers and the credits text.
AboutTexts loadAboutTexts(const QString &languageFile, const ProgramVersion &version);

// The four credits lines: the program; FluidSynth and SDL, the audio
// components (on two lines of text); the MP3 encoder; the Ogg Vorbis encoder.
QStringList creditsLines(const ProgramVersion &version, const ComponentVersions &libraries);

// The credits text with its "%1" to "%4" replaced by the lines, when it
// holds "%1"; otherwise as it is.
QString creditsText(const QString &creditsInfo, const QStringList &lines);

} // namespace melorit::tools
