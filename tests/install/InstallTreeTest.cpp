// Installs this build folder into a temporary prefix, as `cmake --install`
// does for a user, and runs the installed programs from there.

#include "app/instance/SingleInstance.h"
#include "base/Language.h"
#include "base/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using namespace melorit;

namespace {

struct ProcessRun {
    int status = -1;
    QString out;
    QString err;
};

ProcessRun runProgram(const QString &program, const QStringList &arguments,
                      const QProcessEnvironment &environment, int timeoutMs = 120000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProcessRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("timed out: ") + program;
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// What a symbolic link holds, as written (QFileInfo resolves it).
QString rawLinkTarget(const QString &path)
{
    char target[4096];
    const ssize_t size = ::readlink(QFile::encodeName(path).constData(), target, sizeof(target));
    return size < 0 ? QString() : QFile::decodeName(QByteArray(target, size));
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class InstallTree : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_prefix = new QTemporaryDir();
        ASSERT_TRUE(s_prefix->isValid());
        const ProcessRun install =
            runProgram(QStringLiteral(MELORIT_CMAKE_COMMAND),
                       {QStringLiteral("--install"), QStringLiteral(MELORIT_BINARY_DIR),
                        QStringLiteral("--prefix"), s_prefix->path()},
                       QProcessEnvironment::systemEnvironment());
        s_installed = install.status == 0;
        s_installLog = install.out + install.err;
    }
    static void TearDownTestSuite()
    {
        delete s_prefix;
        s_prefix = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_installed) << s_installLog.toStdString();
        ASSERT_TRUE(m_home.isValid());
    }
    void TearDown() override
    {
        paths::setProgramFolder({});
        paths::setConfigFile({});
    }

    static QString prefixFile(const QString &relative) { return s_prefix->filePath(relative); }
    static QString programFolder() { return prefixFile(QStringLiteral("lib/melorit")); }

    // A user whose home and configuration folders are empty, without a display.
    QProcessEnvironment userEnvironment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           m_home.filePath(QStringLiteral(".config")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        return environment;
    }

    static QTemporaryDir *s_prefix;
    static bool s_installed;
    static QString s_installLog;
    QTemporaryDir m_home;
};

QTemporaryDir *InstallTree::s_prefix = nullptr;
bool InstallTree::s_installed = false;
QString InstallTree::s_installLog;

} // namespace

TEST_F(InstallTree, ProgramFolderHoldsTheProgramsBesideTheirData)
{
    for (const char *name : {"melorit", "melorit-cli", "libtrackel.so.0", "fr.lng", "en.lng",
                             "melorit.dll", "au-clair-de-la-lune.kar", ".melorit-installed"}) {
        EXPECT_TRUE(QFileInfo::exists(programFolder() + u'/' + QLatin1StringView(name))) << name;
    }
    EXPECT_TRUE(QFileInfo(programFolder() + QStringLiteral("/melorit")).isExecutable());
    // The links in bin/ are relative, so the tree can move as a whole.
    for (const char *name : {"melorit", "melorit-cli"}) {
        const QFileInfo link(prefixFile(QStringLiteral("bin/")) + QLatin1StringView(name));
        ASSERT_TRUE(link.isSymLink()) << name;
        EXPECT_EQ(rawLinkTarget(link.filePath()),
                  QStringLiteral("../lib/melorit/") + QLatin1StringView(name));
        EXPECT_EQ(link.canonicalFilePath(),
                  QFileInfo(programFolder() + u'/' + QLatin1StringView(name)).canonicalFilePath());
    }
}

TEST_F(InstallTree, InstalledProgramsReadTheirFolderAndKeepTheConfigurationWithTheUser)
{
    paths::setProgramFolder(programFolder());
    EXPECT_TRUE(paths::isInstalledProgram());
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("cfg")).toUtf8());
    // The temporary prefix can be written, yet the configuration goes to the user.
    EXPECT_EQ(paths::configFile(), m_home.filePath(QStringLiteral("cfg/melorit/Melorit.ini")));
    qputenv("XDG_CONFIG_HOME", saved);

    // The language files are found beside the program: the first run takes
    // "melorit.dll", a configured language its own file.
    const LanguageChoice firstRun = chooseLanguageFile(QString());
    EXPECT_TRUE(firstRun.found);
    EXPECT_TRUE(firstRun.firstRun);
    EXPECT_EQ(firstRun.file, programFolder() + QStringLiteral("/melorit.dll"));
    const LanguageChoice english = chooseLanguageFile(QStringLiteral("en"));
    EXPECT_TRUE(english.found);
    EXPECT_EQ(english.file, programFolder() + QStringLiteral("/en.lng"));
}

TEST_F(InstallTree, BuildFolderKeepsItsConfigurationBesideThePrograms)
{
    paths::setProgramFolder(m_home.path());
    EXPECT_FALSE(paths::isInstalledProgram());
    EXPECT_EQ(paths::configFile(), m_home.filePath(QStringLiteral("Melorit.ini")));
}

TEST_F(InstallTree, ConvertRunsFromTheInstalledLink)
{
    const QString song = m_home.filePath(QStringLiteral("Au clair de la lune.kar"));
    ASSERT_TRUE(QFile::copy(programFolder() + QStringLiteral("/au-clair-de-la-lune.kar"), song));
    const QString out = m_home.filePath(QStringLiteral("out"));
    const ProcessRun run = runProgram(prefixFile(QStringLiteral("bin/melorit-cli")),
                                      {QStringLiteral("convert"), QStringLiteral("--format"),
                                       QStringLiteral("wav"), QStringLiteral("--soundfont"),
                                       QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"),
                                       QStringLiteral("--out-dir"), out, song},
                                      userEnvironment());
    ASSERT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    const QFileInfoList written = QDir(out).entryInfoList(QDir::Files, QDir::Name);
    ASSERT_EQ(written.size(), 2) << run.out.toStdString();
    EXPECT_EQ(written[0].suffix(), QStringLiteral("kok"));
    EXPECT_EQ(written[1].suffix(), QStringLiteral("wav"));
    // Several seconds of 44100 Hz stereo 16-bit sound.
    EXPECT_GT(written[1].size(), 44100 * 4 * 5);
    // Nothing was written into the installed program folder.
    EXPECT_FALSE(QFileInfo::exists(programFolder() + QStringLiteral("/Melorit.ini")));
}

TEST_F(InstallTree, EveryCommandOfTheInstalledCliHasItsManualEntry)
{
    const ProcessRun cliHelp = runProgram(prefixFile(QStringLiteral("bin/melorit-cli")),
                                          {QStringLiteral("--help")}, userEnvironment(), 20000);
    EXPECT_EQ(cliHelp.status, 0);
    // Every command the program lists has its entry in the manual page.
    const QString manual = readText(QStringLiteral(MELORIT_SOURCE_DIR "/docs/melorit-cli.1"));
    const QStringList lines = cliHelp.out.split(u'\n');
    const qsizetype commandsAt = lines.indexOf(QStringLiteral("Commands:"));
    ASSERT_GE(commandsAt, 0);
    for (qsizetype i = commandsAt + 1; i < lines.size(); ++i) {
        const QString command = lines[i].trimmed().section(u' ', 0, 0);
        if (command.isEmpty()) {
            continue;
        }
        QString escaped = command;
        escaped.replace(u'-', QStringLiteral("\\-"));
        EXPECT_TRUE(manual.contains(QStringLiteral(".BI \"") + escaped + u' ') ||
                    manual.contains(QStringLiteral(".BI \"") + escaped + QStringLiteral("\" ")))
            << command.toStdString();
    }
}

TEST_F(InstallTree, DesktopEntryIconsAndMimeTypeAreInstalled)
{
    const QString entry =
        readText(prefixFile(QStringLiteral("share/applications/melorit.desktop")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=melorit %F\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nIcon=melorit\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nCategories=AudioVideo;Audio;Midi;Player;\n")));
    EXPECT_TRUE(
        entry.contains(QStringLiteral("\nMimeType=audio/midi;audio/x-midi;audio/x-karaoke;\n")));

    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage icon(
            prefixFile(QStringLiteral("share/icons/hicolor/%1x%1/apps/melorit.png").arg(size)));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
    }
    EXPECT_TRUE(QFileInfo::exists(
        prefixFile(QStringLiteral("share/icons/hicolor/scalable/apps/melorit.svg"))));
    EXPECT_TRUE(QFileInfo::exists(prefixFile(QStringLiteral("share/man/man1/melorit-cli.1.gz"))));
    EXPECT_TRUE(QFileInfo::exists(prefixFile(QStringLiteral("share/man/man1/melorit.1.gz"))));

    // The desktop entry as Debian 12's tools read it.
    if (!QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty()) {
        const ProcessRun validate =
            runProgram(QStringLiteral("desktop-file-validate"),
                       {prefixFile(QStringLiteral("share/applications/melorit.desktop"))},
                       QProcessEnvironment::systemEnvironment());
        EXPECT_EQ(validate.status, 0) << validate.out.toStdString();
        EXPECT_TRUE(validate.out.isEmpty()) << validate.out.toStdString();
    }

    // The MIME database built from the installed file gives ".kar" its own
    // type, ahead of the generic MIDI glob.
    const QString mime = prefixFile(QStringLiteral("share/mime"));
    ASSERT_TRUE(QFileInfo::exists(mime + QStringLiteral("/packages/melorit.xml")));
    const ProcessRun update = runProgram(QStringLiteral("update-mime-database"), {mime},
                                         QProcessEnvironment::systemEnvironment());
    ASSERT_EQ(update.status, 0) << update.err.toStdString();
    const QString globs = readText(mime + QStringLiteral("/globs2"));
    EXPECT_TRUE(globs.contains(QStringLiteral("60:audio/x-karaoke:*.kar"))) << globs.toStdString();
    EXPECT_TRUE(readText(mime + QStringLiteral("/subclasses"))
                    .contains(QStringLiteral("audio/x-karaoke audio/midi")));
}

TEST_F(InstallTree, ProgramPrintsHelpAndVersionWithoutADisplay)
{
    const QString melorit = prefixFile(QStringLiteral("bin/melorit"));
    const ProcessRun version =
        runProgram(melorit, {QStringLiteral("--version")}, userEnvironment(), 20000);
    EXPECT_EQ(version.status, 0) << version.err.toStdString();
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("Melorit " MELORIT_TEST_VERSION " (Qt ")))
        << version.out.toStdString();
    const ProcessRun help = runProgram(melorit, {QStringLiteral("song.kar"), QStringLiteral("-h")},
                                       userEnvironment(), 20000);
    EXPECT_EQ(help.status, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("usage: melorit "))) << help.out.toStdString();
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
}

TEST_F(InstallTree, SecondInstalledProgramHandsItsSongToTheRunningOne)
{
    // This test plays the running program: it listens on the key the
    // installed program derives from its configuration file.
    int argc = 1;
    char name[] = "install_tests";
    char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", m_home.path().toUtf8());
    const QString config = m_home.filePath(QStringLiteral(".config/melorit/Melorit.ini"));
    instance::SingleInstance running(config);
    QStringList received;
    ASSERT_TRUE(running.listen([&](const QStringList &paths) { received = paths; }));

    // A program started from a desktop has a display; here Qt draws offscreen.
    QProcessEnvironment environment = userEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess second;
    second.setProcessEnvironment(environment);
    second.setWorkingDirectory(m_home.path());
    second.start(prefixFile(QStringLiteral("bin/melorit")),
                 {QStringLiteral("Au clair de la lune.kar")});
    QElapsedTimer timer;
    timer.start();
    while (second.state() != QProcess::NotRunning && timer.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents();
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    if (second.state() != QProcess::NotRunning) {
        second.kill();
        second.waitForFinished();
        FAIL() << "the second program did not end";
    }
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_EQ(received, QStringList{m_home.filePath(QStringLiteral("Au clair de la lune.kar"))});
}

TEST_F(InstallTree, TheProgramEndsInOrderWhenKillOrTheSessionAsksItEvenWhileStarting)
{
    int argc = 1;
    char name[] = "install_tests";
    char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QProcessEnvironment environment = userEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    const QString config = m_home.filePath(QStringLiteral(".config/melorit/Melorit.ini"));
    const QString song = programFolder() + QStringLiteral("/au-clair-de-la-lune.kar");
    // Without OpenGL (Qt offscreen) the start-up waits in the lyrics window's
    // message; the signal comes as soon as the program answers a second start.
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(prefixFile(QStringLiteral("bin/melorit")), {song});
        ASSERT_TRUE(program.waitForStarted());
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", m_home.path().toUtf8());
        instance::SingleInstance second(config);
        QElapsedTimer timer;
        timer.start();
        while (!second.handOff({}, 200) && timer.elapsed() < 20000) {
            program.waitForFinished(10);
        }
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        ASSERT_EQ(program.state(), QProcess::Running)
            << program.readAllStandardError().toStdString();
        ::kill(static_cast<pid_t>(program.processId()), signal);
        const bool ended = program.waitForFinished(10000);
        if (!ended) {
            program.kill();
            program.waitForFinished();
        }
        ASSERT_TRUE(ended) << "still running after signal " << signal;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    }
}
