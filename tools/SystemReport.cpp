#include "tools/SystemReport.h"

#include "audio/Diagnostics.h"
#include "base/ProgramPaths.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

namespace melorit::tools {
namespace {

constexpr int kVersionTimeoutMs = 3000;
// /proc/cpuinfo repeats itself per thread; the first lines are enough.
constexpr qint64 kCpuInfoBytes = 16 * 1024;

const QStringList kEncoderNames{QStringLiteral("lame"), QStringLiteral("oggenc"),
                                QStringLiteral("ffmpeg")};

QString firstLine(const QByteArray &output)
{
    return QString::fromLocal8Bit(output).trimmed().section(u'\n', 0, 0).trimmed();
}

// The encoder's own account of its version.
QString encoderVersion(const QString &path)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, {QStringLiteral("--version")}, QIODevice::ReadOnly);
    if (!process.waitForFinished(kVersionTimeoutMs)) {
        process.kill();
        process.waitForFinished(kVersionTimeoutMs);
        return {};
    }
    return firstLine(process.readAll());
}

QString readCpuModel()
{
    QFile file(QStringLiteral("/proc/cpuinfo"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return cpuModelName(file.read(kCpuInfoBytes));
}

QStringList audioDrivers()
{
    QStringList drivers;
    for (const std::string &driver : audio::outputDrivers()) {
        drivers.append(QString::fromStdString(driver));
    }
    return drivers;
}

QString line(const QString &label, const QString &value)
{
    return QStringLiteral("  ") + label + QStringLiteral(": ") +
           (value.isEmpty() ? QStringLiteral("unknown") : value) + u'\n';
}

QString encoderLine(const EncoderFacts &encoder)
{
    if (encoder.path.isEmpty()) {
        return line(encoder.name, QStringLiteral("not found (program folder, PATH)"));
    }
    QString value = encoder.path;
    if (!encoder.version.isEmpty()) {
        value += QStringLiteral(" (") + encoder.version + u')';
    }
    return line(encoder.name, value);
}

} // namespace

ProgramVersion programVersion()
{
    return {MELORIT_VERSION_MAJOR, MELORIT_VERSION_MINOR, MELORIT_VERSION_PATCH};
}

ComponentVersions componentVersions()
{
    return {QString::fromLatin1(qVersion()), QString::fromStdString(audio::synthesizerVersion()),
            QString::fromStdString(audio::outputLibraryVersion())};
}

QString cpuModelName(QByteArrayView cpuinfo)
{
    QString fallback;
    for (const QByteArray &row : cpuinfo.toByteArray().split('\n')) {
        const qsizetype colon = row.indexOf(':');
        if (colon < 0) {
            continue;
        }
        const QByteArray key = row.left(colon).trimmed();
        const QString value = QString::fromUtf8(row.mid(colon + 1).trimmed());
        if (value.isEmpty()) {
            continue;
        }
        if (key == "model name") {
            return value;
        }
        if (fallback.isEmpty() && (key == "Hardware" || key == "Processor" || key == "cpu model")) {
            fallback = value;
        }
    }
    return fallback;
}

QString findEncoder(const QString &name)
{
    const QString beside = QStandardPaths::findExecutable(name, {paths::programFolder()});
    return beside.isEmpty() ? QStandardPaths::findExecutable(name) : beside;
}

SystemFacts collectSystemFacts()
{
    SystemFacts facts;
    const ProgramVersion version = programVersion();
    facts.program = QStringLiteral("Melorit %1.%2.%3")
                        .arg(version.major)
                        .arg(version.minor)
                        .arg(version.revision);
    facts.os = QSysInfo::prettyProductName();
    facts.kernel = QSysInfo::kernelType() + u' ' + QSysInfo::kernelVersion();
    facts.architecture = QSysInfo::currentCpuArchitecture();
    facts.cpu = readCpuModel();
    facts.cpuThreads = QThread::idealThreadCount();
    facts.display = QGuiApplication::platformName();
    facts.libraries = componentVersions();
    // The driver in use once the program has started its audio.
    facts.audioDriver = QString::fromStdString(audio::currentOutputDriver());
    facts.audioDrivers = audioDrivers();
    for (const QString &name : kEncoderNames) {
        EncoderFacts encoder{name, findEncoder(name), {}};
        if (!encoder.path.isEmpty()) {
            encoder.version = encoderVersion(encoder.path);
        }
        facts.encoders.append(encoder);
    }
    return facts;
}

QString systemReportText(const SystemFacts &facts)
{
    QString text = facts.program + QStringLiteral("\n\nSystem\n");
    text += line(QStringLiteral("Operating system"), facts.os);
    text += line(QStringLiteral("Kernel"), facts.kernel);
    text += line(QStringLiteral("Architecture"), facts.architecture);
    QString cpu = facts.cpu;
    if (facts.cpuThreads > 0) {
        cpu += QStringLiteral(" (%1 threads)").arg(facts.cpuThreads);
    }
    text += line(QStringLiteral("Processor"), cpu.trimmed());
    text += line(QStringLiteral("Display"), facts.display);
    text += QStringLiteral("\nAudio\n");
    text += line(QStringLiteral("Audio driver"),
                 facts.audioDriver.isEmpty() ? QStringLiteral("not started") : facts.audioDriver);
    text +=
        line(QStringLiteral("Available drivers"), facts.audioDrivers.join(QStringLiteral(", ")));
    text += line(QStringLiteral("Synthesizer"),
                 QStringLiteral("FluidSynth ") + facts.libraries.fluidsynth);
    text += line(QStringLiteral("Audio output"), QStringLiteral("SDL ") + facts.libraries.sdl);
    text += line(QStringLiteral("Interface"), QStringLiteral("Qt ") + facts.libraries.qt);
    text += QStringLiteral("\nSoundFont\n");
    if (facts.soundFont) {
        for (const QString &fact : loadedFontLines(*facts.soundFont, QString())) {
            text += QStringLiteral("  ") + fact + u'\n';
        }
    } else {
        text += QStringLiteral("  none loaded\n");
    }
    text += QStringLiteral("\nEncoders\n");
    for (const EncoderFacts &encoder : facts.encoders) {
        text += encoderLine(encoder);
    }
    return text;
}

} // namespace melorit::tools
