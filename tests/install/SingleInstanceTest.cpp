#include "app/instance/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <future>

using namespace melorit::instance;

namespace {

// Each test gets its own runtime folder, so its sockets meet no others.
class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override
    {
        int argc = 1;
        static char name[] = "install_tests";
        static char *argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) {
            m_app = std::make_unique<QCoreApplication>(argc, argv);
        }
        ASSERT_TRUE(m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
        m_config = m_runtime.filePath(QStringLiteral("config/Melorit.ini"));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_savedRuntime); }

    // Runs the hand-off on another thread, as a second program would, while
    // this thread's event loop lets the listening side answer.
    bool handOffFromAnotherThread(const QStringList &songs, const QString &config = {})
    {
        const QString key = config.isEmpty() ? m_config : config;
        auto result = std::async(std::launch::async, [key, songs] {
            SingleInstance second(key);
            return second.handOff(songs, 2000);
        });
        while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
            QCoreApplication::processEvents();
        }
        return result.get();
    }

    // Lets the event loop run until something was received or time is up.
    void waitFor(const std::function<bool()> &done)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 3000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }

    std::unique_ptr<QCoreApplication> m_app;
    QTemporaryDir m_runtime;
    QByteArray m_savedRuntime;
    QString m_config;
};

} // namespace

TEST_F(SingleInstanceTest, SecondProgramHandsItsSongsToTheFirst)
{
    SingleInstance first(m_config);
    std::vector<QStringList> received;
    ASSERT_TRUE(first.listen([&](const QStringList &paths) { received.push_back(paths); }));
    EXPECT_TRUE(first.isListening());

    const QString here = QDir::currentPath();
    const QStringList songs{QStringLiteral("chanson d'été.kar"), QStringLiteral("/music/b.mid"),
                            QStringLiteral("file:///music/c%20d.kar")};
    ASSERT_TRUE(handOffFromAnotherThread(songs));
    waitFor([&] { return !received.empty(); });
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0],
              (QStringList{here + QStringLiteral("/chanson d'été.kar"),
                           QStringLiteral("/music/b.mid"), QStringLiteral("/music/c d.kar")}));

    // A third program later: the first still answers.
    ASSERT_TRUE(handOffFromAnotherThread({QStringLiteral("/x.kar")}));
    waitFor([&] { return received.size() == 2; });
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1], QStringList{QStringLiteral("/x.kar")});
}

TEST_F(SingleInstanceTest, WithoutSongsTheRunningProgramIsOnlyCalledForward)
{
    SingleInstance first(m_config);
    int calls = 0;
    QStringList last{QStringLiteral("unchanged")};
    ASSERT_TRUE(first.listen([&](const QStringList &paths) {
        ++calls;
        last = paths;
    }));
    ASSERT_TRUE(handOffFromAnotherThread({}));
    waitFor([&] { return calls > 0; });
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(last.isEmpty());
}

TEST_F(SingleInstanceTest, NobodyListeningMeansTheProgramStartsItself)
{
    SingleInstance alone(m_config);
    EXPECT_FALSE(alone.handOff({QStringLiteral("/a.kar")}, 500));
    EXPECT_FALSE(alone.isListening());
}

TEST_F(SingleInstanceTest, KeyedByConfigurationFile)
{
    EXPECT_EQ(SingleInstance::serverNameFor(m_config), SingleInstance(m_config).serverName());
    const QString other = m_runtime.filePath(QStringLiteral("other/Melorit.ini"));
    EXPECT_NE(SingleInstance::serverNameFor(m_config), SingleInstance::serverNameFor(other));
    EXPECT_TRUE(SingleInstance::serverNameFor(m_config).startsWith(m_runtime.path() + u'/'));

    SingleInstance first(m_config);
    bool called = false;
    ASSERT_TRUE(first.listen([&](const QStringList &) { called = true; }));
    // A program with another configuration folder is not answered by this one.
    EXPECT_FALSE(handOffFromAnotherThread({QStringLiteral("/a.kar")}, other));
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
}

TEST_F(SingleInstanceTest, OnlyOneProgramListensOnAKey)
{
    SingleInstance first(m_config);
    ASSERT_TRUE(first.listen([](const QStringList &) {}));
    SingleInstance second(m_config);
    EXPECT_FALSE(second.listen([](const QStringList &) {}));
    EXPECT_FALSE(second.isListening());
    // Only the user may connect.
    const QFileInfo socket(first.serverName());
    EXPECT_FALSE(socket.permissions() &
                 (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup));
}

TEST_F(SingleInstanceTest, SocketLeftByACrashedProgramIsReplaced)
{
    // A socket file bound and never cleaned up, as a killed program leaves it.
    const QByteArray path = SingleInstance::serverNameFor(m_config).toLocal8Bit();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(QString::fromLocal8Bit(path)));

    SingleInstance first(m_config);
    QStringList received;
    ASSERT_TRUE(first.listen([&](const QStringList &paths) { received = paths; }));
    ASSERT_TRUE(handOffFromAnotherThread({QStringLiteral("/after-crash.kar")}));
    waitFor([&] { return !received.isEmpty(); });
    EXPECT_EQ(received, QStringList{QStringLiteral("/after-crash.kar")});
}

TEST_F(SingleInstanceTest, GarbageIsDroppedAndTheProgramStillAnswers)
{
    SingleInstance first(m_config);
    int calls = 0;
    QStringList received;
    ASSERT_TRUE(first.listen([&](const QStringList &paths) {
        ++calls;
        received = paths;
    }));
    const QString name = first.serverName();
    auto garbage = std::async(std::launch::async, [name] {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(2000)) {
            return false;
        }
        socket.write("GET / HTTP/1.1\r\n\r\n");
        socket.waitForBytesWritten(2000);
        // The program hangs up without an answer.
        socket.waitForDisconnected(2000);
        return socket.state() == QLocalSocket::UnconnectedState && socket.bytesAvailable() == 0;
    });
    while (garbage.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(garbage.get());
    EXPECT_EQ(calls, 0);

    ASSERT_TRUE(handOffFromAnotherThread({QStringLiteral("/good.kar")}));
    waitFor([&] { return calls > 0; });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(received, QStringList{QStringLiteral("/good.kar")});
}

TEST(AbsoluteSongPaths, RelativePathsAndFileAddressesBecomeAbsolute)
{
    const QString here = QDir::currentPath();
    EXPECT_EQ(
        absoluteSongPaths({QStringLiteral("a.kar"), QStringLiteral("./sub/../b.mid"),
                           QStringLiteral("/abs/c.kar"), QStringLiteral("file:///d/%C3%A9.kar"),
                           QStringLiteral("file://otherhost/e.kar"), QString()}),
        (QStringList{here + QStringLiteral("/a.kar"), here + QStringLiteral("/b.mid"),
                     QStringLiteral("/abs/c.kar"), QStringLiteral("/d/é.kar")}));
}
