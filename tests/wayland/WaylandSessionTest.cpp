// The program under a Wayland compositor, as in Debian 12's default desktop
// session: weston's headless backend, Qt's "wayland" platform, the real main
// window, a drag on it and the shutdown.
#include "app/mainwin/frmRovuRodu.h"
#include "app/program/Program.h"
#include "base/Ini.h"
#include "base/ProgramPaths.h"
#include "engine/PlayerDialogs.h"

#include "tests/support/RecordedMessages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

using namespace melorit;

namespace {

const QString kSocket = QStringLiteral("wayland-melorit-test");

// A headless weston for the whole run, and the application on it.
class WaylandSession : public ::testing::Environment {
public:
    void SetUp() override
    {
        const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
        const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                               QStringLiteral("/platforms/libqwayland-generic.so");
        if (weston.isEmpty() || !QFile::exists(plugin)) {
            GTEST_SKIP() << "needs weston and qt6-wayland";
        }
        ASSERT_TRUE(m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
        m_weston.setProgram(weston);
        m_weston.setArguments({QStringLiteral("--backend=headless-backend.so"),
                               QStringLiteral("--socket=") + kSocket,
                               QStringLiteral("--idle-time=0")});
        m_weston.setProcessChannelMode(QProcess::MergedChannels);
        m_weston.start();
        ASSERT_TRUE(m_weston.waitForStarted(5000));
        const QString socket = QDir(m_runtime.path()).filePath(kSocket);
        for (int i = 0; i < 100 && !QFile::exists(socket); ++i) {
            QThread::msleep(50);
        }
        ASSERT_TRUE(QFile::exists(socket)) << m_weston.readAll().toStdString();
        qputenv("WAYLAND_DISPLAY", kSocket.toUtf8());
        qputenv("QT_QPA_PLATFORM", "wayland");
        qputenv("SDL_AUDIODRIVER", "dummy");
        static int argc = 1;
        static char name[] = "wayland_tests";
        static char *argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void TearDown() override
    {
        m_app.reset();
        m_weston.terminate();
        m_weston.waitForFinished(5000);
    }

private:
    QTemporaryDir m_runtime;
    QProcess m_weston;
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto *const session =
    ::testing::AddGlobalTestEnvironment(new WaylandSession);

// Nobody to answer: a chooser is cancelled, messages are kept.
struct NoOneAnswers final : engine::PlayerDialogs {
    std::optional<QString> chooseFile(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void message(const UserMessage &m) override { messages.push_back(m); }
    std::vector<UserMessage> messages;
};

void sendMouse(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST(WaylandSession, TheProgramShowsItsMainWindowLeavesMovesToTheCompositorAndQuits)
{
    ASSERT_EQ(QGuiApplication::platformName(), u"wayland");
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char *name : {"fr.lng", "en.lng"}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(MELORIT_SOURCE_DIR "/resources/lang/") +
                                    QString::fromUtf8(name),
                                folder.filePath(QString::fromUtf8(name))));
    }
    paths::setProgramFolder(folder.path());
    paths::setConfigFile(folder.filePath(QStringLiteral("Melorit.ini")));
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("en"));
    WriteIni(QStringLiteral("PlayList"), QStringLiteral("Show"), QStringLiteral("1"));

    melorit::testing::RecordedMessages boxes;
    NoOneAnswers dialogs;
    program::ProgramOptions options;
    options.mainWindow = [](engine::Player &player, const skins::SkinSet &skins,
                            mainwin::MainWindowHost &host) {
        return program::mainWindowParts(
            std::make_unique<mainwin::frmRovuRodu>(player, skins, host));
    };
    options.dialogs = &dialogs;
    program::Program melorit(std::move(options));
    ASSERT_TRUE(melorit.start());
    QWidget *main = melorit.mainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(main)) << "the compositor shows the main window";

    // A drag by the window's background: the compositor moves the window;
    // the program does not pretend to, nor store a position of its own.
    const QString storedX = ReadIni(QStringLiteral("Main"), QStringLiteral("X"));
    const QPoint before = main->pos();
    sendMouse(main, QEvent::MouseButtonPress, {4, 120}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(main, QEvent::MouseMove, {64, 160}, Qt::NoButton, Qt::LeftButton);
    sendMouse(main, QEvent::MouseButtonRelease, {64, 160}, Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
    EXPECT_EQ(main->pos(), before);
    EXPECT_EQ(ReadIni(QStringLiteral("Main"), QStringLiteral("X")), storedX);

    melorit.QuitProgram();
    EXPECT_TRUE(melorit.hasQuit());
    EXPECT_EQ(melorit.exitCode(), 0);
    EXPECT_EQ(ReadIni(QStringLiteral("PlayList"), QStringLiteral("Show")), u"1")
        << "the windows' settings kept for the next start";
    paths::setProgramFolder({});
    paths::setConfigFile({});
}
