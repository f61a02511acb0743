#include "app/instance/HandOffMessage.h"

#include <QDir>
#include <QtEndian>

namespace melorit::instance {
namespace {

constexpr char kMagic[4] = {'M', 'L', 'R', '1'};
constexpr qsizetype kHeaderSize = 8;

void appendNumber(QByteArray &bytes, quint32 value)
{
    char raw[4];
    qToBigEndian(value, raw);
    bytes.append(raw, 4);
}

quint32 numberAt(const QByteArray &bytes, qsizetype offset)
{
    return qFromBigEndian<quint32>(bytes.constData() + offset);
}

bool acceptable(const QString &path)
{
    return !path.isEmpty() && !path.contains(QChar(u'\0')) && QDir::isAbsolutePath(path);
}

} // namespace

QByteArray encodeHandOff(const QStringList &paths)
{
    QByteArray bytes(kMagic, 4);
    appendNumber(bytes, static_cast<quint32>(paths.size()));
    for (const QString &path : paths) {
        const QByteArray utf8 = path.toUtf8();
        appendNumber(bytes, static_cast<quint32>(utf8.size()));
        bytes.append(utf8);
    }
    return bytes;
}

HandOffDecoded decodeHandOff(const QByteArray &bytes)
{
    HandOffDecoded result;
    if (bytes.size() > kMaxHandOffBytes) {
        result.status = HandOffStatus::Malformed;
        return result;
    }
    // A wrong header is told as soon as its first bytes are in.
    if (!QByteArrayView(kMagic, 4).startsWith(bytes.left(4))) {
        result.status = HandOffStatus::Malformed;
        return result;
    }
    if (bytes.size() < kHeaderSize) {
        return result;
    }
    const quint32 count = numberAt(bytes, 4);
    if (count > kMaxHandOffPaths) {
        result.status = HandOffStatus::Malformed;
        return result;
    }
    qsizetype offset = kHeaderSize;
    QStringList paths;
    for (quint32 i = 0; i < count; ++i) {
        if (bytes.size() - offset < 4) {
            return result;
        }
        const quint32 length = numberAt(bytes, offset);
        offset += 4;
        if (length > static_cast<quint32>(kMaxHandOffBytes)) {
            result.status = HandOffStatus::Malformed;
            return result;
        }
        if (bytes.size() - offset < static_cast<qsizetype>(length)) {
            return result;
        }
        const QString path = QString::fromUtf8(bytes.constData() + offset, length);
        offset += length;
        if (acceptable(path)) {
            paths << path;
        }
    }
    result.status = offset == bytes.size() ? HandOffStatus::Complete : HandOffStatus::Malformed;
    if (result.status == HandOffStatus::Complete) {
        result.paths = std::move(paths);
    }
    return result;
}

} // namespace melorit::instance
