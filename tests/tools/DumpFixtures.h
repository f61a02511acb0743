#pragma once

#include "tests/support/Bytes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace melorit::testing {

inline QByteArrayView viewOf(const fixtures::Bytes &bytes)
{
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The listing of the bytes with "song.mid" as its first line.
QByteArray listingOf(const fixtures::Bytes &bytes);

// The lines of a listing without their CR LF ends.
QList<QByteArray> linesOf(const QByteArray &listing);

// An "MThd" header of format 1 with the given track count, then the chunks.
fixtures::Bytes midiWithChunks(const fixtures::Bytes &chunks, int tracks = 1);

// A chunk: the identifier, its length (the real one unless given) and the body.
fixtures::Bytes chunk(const char *id, const fixtures::Bytes &body, qint64 declaredLength = -1);

} // namespace melorit::testing
