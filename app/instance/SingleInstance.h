#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

// One running program per user and configuration file. A program started
// while another runs hands its songs over a local socket and ends; the
// running program adds them to its playlist. UI thread.
//
// In main():
//     SingleInstance instance(paths::configFile());
//     if (instance.handOff(songs))
//         return 0;
//     ... start the program ...
//     instance.listen([&](const QStringList &paths) { /* append to the playlist */ });
namespace melorit::instance {

inline constexpr int kHandOffTimeoutMs = 3000;

class SingleInstance {
public:
    // The key is the user (the socket lives in the user's runtime folder,
    // $XDG_RUNTIME_DIR, and only the user may connect) and the absolute path
    // of the configuration file, so two configuration folders run two
    // programs.
    explicit SingleInstance(const QString &configFile);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // The socket's path for a configuration file.
    static QString serverNameFor(const QString &configFile);
    QString serverName() const { return m_serverName; }

    // Sends the songs to the running program, relative paths and file://
    // addresses made absolute first. True once the running program has
    // taken them (the caller then ends with status 0); false when no program
    // answers within the time-out. With no songs the running program is only
    // asked to come forward.
    bool handOff(const QStringList &songs, int timeoutMs = kHandOffTimeoutMs);

    // Starts answering later programs. onSongs runs on this thread, from
    // the event loop, with the absolute paths each one hands over (an empty
    // list: come forward). A socket left by a program that crashed is
    // replaced. False when another program already answers on this key (it
    // started at the same moment; hand the songs to it) or the socket
    // cannot be made.
    bool listen(std::function<void(const QStringList &)> onSongs);
    bool isListening() const;

private:
    void acceptConnections();
    void readFrom(QLocalSocket *socket);

    QString m_serverName;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void(const QStringList &)> m_onSongs;
};

// The absolute paths of songs given on a command line: relative paths are
// taken from the current folder, file:// addresses become paths.
QStringList absoluteSongPaths(const QStringList &songs);

} // namespace melorit::instance
