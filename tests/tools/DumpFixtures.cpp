#include "tests/tools/DumpFixtures.h"

#include "tools/MidiDump.h"

namespace melorit::testing {

using fixtures::Bytes;

QByteArray listingOf(const Bytes &bytes)
{
    return tools::listMidi(viewOf(bytes), QStringLiteral("song.mid")).text;
}

QList<QByteArray> linesOf(const QByteArray &listing)
{
    QList<QByteArray> lines = listing.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QByteArray &line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    return lines;
}

Bytes midiWithChunks(const Bytes &chunks, int tracks)
{
    Bytes out = fixtures::bytesOf("MThd");
    fixtures::appendBigEndian(out, 6, 4);
    fixtures::appendBigEndian(out, 1, 2);
    fixtures::appendBigEndian(out, static_cast<std::uint32_t>(tracks), 2);
    fixtures::appendBigEndian(out, 96, 2);
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

Bytes chunk(const char *id, const Bytes &body, qint64 declaredLength)
{
    Bytes out = fixtures::bytesOf(id);
    fixtures::appendBigEndian(
        out, static_cast<std::uint32_t>(declaredLength < 0 ? qint64(body.size()) : declaredLength),
        4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

} // namespace melorit::testing
