#include "app/instance/SingleInstance.h"

#include "app/instance/HandOffMessage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace melorit::instance {
namespace {

// How long a connected client may take to send its message.
constexpr int kReadTimeoutMs = 5000;
constexpr const char *kBufferProperty = "meloritHandOff";

} // namespace

QStringList absoluteSongPaths(const QStringList &songs)
{
    QStringList paths;
    for (const QString &song : songs) {
        if (song.startsWith(u"file:", Qt::CaseInsensitive)) {
            // A file manager's address: only files of this machine.
            const QUrl url(song);
            const bool here = url.host().isEmpty() || url.host() == u"localhost";
            if (url.isLocalFile() && here) {
                paths << QDir::cleanPath(url.path(QUrl::FullyDecoded));
            }
            continue;
        }
        if (!song.isEmpty()) {
            paths << QDir::cleanPath(QFileInfo(song).absoluteFilePath());
        }
    }
    return paths;
}

QString SingleInstance::serverNameFor(const QString &configFile)
{
    // The runtime folder belongs to the user (mode 0700); Qt makes one in
    // the temporary folder when the session has none.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    const QByteArray key = QFileInfo(configFile).absoluteFilePath().toUtf8();
    const QByteArray digest = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
    return folder + QStringLiteral("/melorit-") + QString::fromLatin1(digest.left(16)) +
           QStringLiteral(".sock");
}

SingleInstance::SingleInstance(const QString &configFile) : m_serverName(serverNameFor(configFile))
{
}

SingleInstance::~SingleInstance()
{
    if (m_server) {
        m_server->close();
    }
}

bool SingleInstance::handOff(const QStringList &songs, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(encodeHandOff(absoluteSongPaths(songs)));
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    // The answer comes once the running program has taken the songs.
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            return false;
        }
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == kHandOffAck;
}

bool SingleInstance::listen(std::function<void(const QStringList &)> onSongs)
{
    if (isListening()) {
        return true;
    }
    // Somebody answers there: a program that started at the same time.
    // (Listening would take the name from it: Qt replaces the socket file.)
    QLocalSocket probe;
    probe.connectToServer(m_serverName);
    if (probe.waitForConnected(kHandOffTimeoutMs)) {
        return false;
    }
    // Nobody: at most the socket file of a program that ended without
    // closing it.
    QLocalServer::removeServer(m_serverName);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_serverName)) {
        return false;
    }
    m_onSongs = std::move(onSongs);
    m_server = std::move(server);
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(),
                     [this] { acceptConnections(); });
    return true;
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [this, socket] { readFrom(socket); });
        QTimer::singleShot(kReadTimeoutMs, socket, [socket] { socket->abort(); });
        readFrom(socket);
    }
}

void SingleInstance::readFrom(QLocalSocket *socket)
{
    QByteArray buffer = socket->property(kBufferProperty).toByteArray();
    buffer += socket->read(kMaxHandOffBytes + 1 - buffer.size());
    const HandOffDecoded decoded = decodeHandOff(buffer);
    switch (decoded.status) {
    case HandOffStatus::Incomplete:
        socket->setProperty(kBufferProperty, buffer);
        return;
    case HandOffStatus::Malformed:
        socket->abort();
        return;
    case HandOffStatus::Complete:
        socket->setProperty(kBufferProperty, QByteArray());
        socket->putChar(kHandOffAck);
        socket->flush();
        socket->disconnectFromServer();
        if (m_onSongs) {
            m_onSongs(decoded.paths);
        }
        return;
    }
}

} // namespace melorit::instance
