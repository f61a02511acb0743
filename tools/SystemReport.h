#pragma once

#include "tools/SoundFontInfo.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The about box's system report: what a bug report needs to know about the
// machine, the sound set-up and the components the program runs with.
namespace melorit::tools {

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The version of this build.
ProgramVersion programVersion();

// The versions of the libraries the program runs with, as loaded.
struct ComponentVersions {
    QString qt;
    QString fluidsynth;
    QString sdl;
};
ComponentVersions componentVersions();

// An external encoder as the program would start it.
struct EncoderFacts {
    QString name;    // "lame"
    QString path;    // "" when it is nowhere to be found
    QString version; // first line of its version output, "" when it gave none
};

struct SystemFacts {
    QString program; // "Melorit 0.1.0"
    QString os;
    QString kernel;
    QString architecture;
    QString cpu;
    int cpuThreads = 0;
    QString display; // the Qt platform plug-in
    ComponentVersions libraries;
    QString audioDriver;      // the audio driver in use; "" when audio is not started
    QStringList audioDrivers; // the drivers the audio output can use
    QList<EncoderFacts> encoders;
    std::optional<LoadedFont> soundFont; // the SoundFont loaded, if any
};

// Looks at the machine now. Starts each encoder found to ask its version
// (at most a few seconds each).
SystemFacts collectSystemFacts();

// The report as text, one fact per line under a few headings.
QString systemReportText(const SystemFacts &facts);

// The processor's name from the text of /proc/cpuinfo ("model name", or
// "Hardware"/"Processor" on some ARM boards); "" when none is given.
QString cpuModelName(QByteArrayView cpuinfo);

// Where an encoder is started from: the program folder first, then PATH;
// "" when it is in neither.
QString findEncoder(const QString &name);

} // namespace melorit::tools
