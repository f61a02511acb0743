#pragma once

#include <QByteArray>
#include <QStringList>

// The message a second instance sends to the running program: the songs it
// was given, as absolute paths. Layout: the four bytes "MLR1", the number of
// paths (32-bit, big-endian), then each path as its UTF-8 length (32-bit,
// big-endian) and its UTF-8 bytes. The program answers with the byte 'K'
// once it has taken the songs.
namespace melorit::instance {

inline constexpr char kHandOffAck = 'K';
// Limits of what the program accepts, so a broken or hostile client cannot
// make it hold an unbounded buffer.
inline constexpr qsizetype kMaxHandOffBytes = 1024 * 1024;
inline constexpr quint32 kMaxHandOffPaths = 10000;

QByteArray encodeHandOff(const QStringList &paths);

enum class HandOffStatus { Incomplete, Complete, Malformed };

struct HandOffDecoded {
    HandOffStatus status = HandOffStatus::Incomplete;
    // The absolute paths received (Complete only); relative paths, empty
    // paths and paths holding a NUL character are left out.
    QStringList paths;
};

// Reads the bytes received so far. Incomplete while more bytes are needed;
// Malformed for a wrong header, a size over the limits or bytes after the
// message.
HandOffDecoded decodeHandOff(const QByteArray &bytes);

} // namespace melorit::instance
