#include "base/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace melorit::paths {
namespace {

QString g_programFolder;
QString g_configFile;
QString g_songSettingsFolder;

QString executableFolder()
{
    if (QCoreApplication::instance()) {
        return QCoreApplication::applicationDirPath();
    }
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return self.canonicalFilePath().isEmpty() ? QDir::currentPath()
                                              : QFileInfo(self.canonicalFilePath()).absolutePath();
}

bool canWriteIn(const QString &folder, const QString &file)
{
    const QFileInfo existing(file);
    if (existing.exists()) {
        return existing.isFile() && existing.isWritable();
    }
    return QFileInfo(folder).isWritable();
}

} // namespace

QString programFolder()
{
    if (!g_programFolder.isEmpty()) {
        return g_programFolder;
    }
    return executableFolder();
}

QString programFile(const QString &name)
{
    return programFolder() + QDir::separator() + name;
}

bool isInstalledProgram()
{
    return QFileInfo::exists(programFile(QString::fromLatin1(kInstalledMarkerFile)));
}

QString configFile()
{
    if (!g_configFile.isEmpty()) {
        return g_configFile;
    }
    const QString beside = programFile(QStringLiteral("Melorit.ini"));
    if (!isInstalledProgram() && canWriteIn(programFolder(), beside)) {
        return beside;
    }
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) {
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    const QString folder = base + QStringLiteral("/melorit");
    QDir().mkpath(folder);
    return folder + QStringLiteral("/Melorit.ini");
}

bool canWriteFile(const QString &file)
{
    const QFileInfo info(file);
    // A file is replaced through a new one beside it: its folder must take
    // it (the folder of the file a link names).
    const QFileInfo target(info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath());
    if (target.exists() && !(target.isFile() && target.isWritable())) {
        return false;
    }
    return QFileInfo(target.absolutePath()).isWritable();
}

QString songSettingsFolder()
{
    if (!g_songSettingsFolder.isEmpty()) {
        return g_songSettingsFolder;
    }
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) {
        base = QDir::homePath() + QStringLiteral("/.local/share");
    }
    return base + QStringLiteral("/melorit/songs");
}

void setSongSettingsFolder(const QString &folder)
{
    g_songSettingsFolder = folder;
}

void setProgramFolder(const QString &folder)
{
    g_programFolder = folder;
}

void setConfigFile(const QString &path)
{
    g_configFile = path;
}

} // namespace melorit::paths
