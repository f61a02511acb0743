#include "tools/MidiDump.h"

#include "base/AtomicFile.h"
#include "base/CodePages.h"
#include "tools/CasmDump.h"
#include "tools/DumpText.h"
#include "tools/MidiBuffer.h"
#include "tools/TrackDump.h"

#include <algorithm>
#include <cstdint>

namespace melorit::tools {
namespace {

constexpr qsizetype kHeaderSize = 14; // "MThd", length 6, three 16-bit values
constexpr qsizetype kChunkHeaderSize = 8;

bool readHeader(MidiBuffer &buffer, DumpText &out)
{
    if (buffer.size() < kHeaderSize || buffer.ReadChars(4) != "MThd" || buffer.ReadBE(4) != 6) {
        return false;
    }
    const std::uint32_t format = buffer.ReadBE(2);
    const std::uint32_t tracks = buffer.ReadBE(2);
    const std::uint32_t division = buffer.ReadBE(2);
    out << "Format" << Spaced{format};
    out.endLine();
    out << Spaced{tracks} << " track(s)";
    out.endLine();
    out << Spaced{division} << " Ticks / Noire";
    out.endLine();
    return true;
}

// One chunk from its header to its end. A chunk that claims more than the
// file holds, or whose header is itself cut by the end of the file, ends at
// the end of the file.
void dumpChunk(MidiBuffer &buffer, DumpText &out, int &trackCount)
{
    const bool headerComplete = buffer.remaining() >= kChunkHeaderSize;
    const QByteArrayView id = buffer.ReadChars(4);
    const std::uint32_t length = buffer.ReadBE(4);
    out << id << " Chunk";
    out.endLine();
    qsizetype chunkEnd = buffer.size();
    if (!headerComplete || length > std::uint64_t(buffer.remaining())) {
        out << "Incorrect length : " << Plain{length};
        out.endLine();
    } else {
        chunkEnd = buffer.pos() + qsizetype(length);
    }

    if (id == "MTrk") {
        dumpTrack(buffer, out, chunkEnd, ++trackCount);
    } else if (id == "CASM") {
        dumpCasm(buffer, out, chunkEnd);
    } else {
        out << "Unknown " << id << " Chunk";
        out.endLine();
        buffer.seek(chunkEnd);
    }
    out << "==[ End of " << id << " Chunk ]==";
    out.endLine();
}

DumpStatus statusOf(LoadStatus load)
{
    switch (load) {
    case LoadStatus::Empty:
        return DumpStatus::Empty;
    case LoadStatus::TooLarge:
        return DumpStatus::TooLarge;
    default:
        return DumpStatus::NotReadable;
    }
}

} // namespace

MidiListing listMidi(QByteArrayView bytes, const QString &firstLine)
{
    MidiListing listing;
    DumpText out;
    out.DumpLine(codepages::encodeWindows1252(firstLine));
    MidiBuffer buffer(bytes);
    listing.headerFound = readHeader(buffer, out);
    if (listing.headerFound) {
        int trackCount = 0;
        while (!buffer.atEnd()) {
            dumpChunk(buffer, out, trackCount);
        }
        out.DumpLine("====[ End of file ]====");
    }
    listing.text = out.bytes();
    return listing;
}

QString listingPathOf(const QString &fileName)
{
    return fileName + QStringLiteral(".txt");
}

DumpResult DumpMidi(const QString &fileName)
{
    DumpResult result;
    if (fileName.isEmpty()) {
        return result;
    }
    const LoadedFile file = LoadMidiBuffer(fileName);
    // A file that cannot be walked still gets its first line, as every dump does.
    const MidiListing listing =
        listMidi(file.status == LoadStatus::Loaded ? QByteArrayView(file.bytes) : QByteArrayView(),
                 fileName);
    if (file.status != LoadStatus::Loaded) {
        result.status = statusOf(file.status);
    } else {
        result.status = listing.headerFound ? DumpStatus::Listed : DumpStatus::NotMidi;
    }

    const QString path = listingPathOf(fileName);
    if (writeFileAtomically(path, listing.text)) {
        result.listingPath = path;
    } else if (result.status == DumpStatus::Listed || result.status == DumpStatus::NotMidi) {
        result.status = DumpStatus::WriteFailed;
    }
    return result;
}

QString dumpStatusText(DumpStatus status)
{
    switch (status) {
    case DumpStatus::Listed:
        return {};
    case DumpStatus::NotMidi:
        return QStringLiteral("not a Standard MIDI File (no \"MThd\" header of length 6)");
    case DumpStatus::Empty:
        return QStringLiteral("the file is empty");
    case DumpStatus::NotReadable:
        return QStringLiteral("the file cannot be read");
    case DumpStatus::TooLarge:
        return QStringLiteral("the file is too large to list");
    case DumpStatus::WriteFailed:
        return QStringLiteral("the listing cannot be written");
    }
    return {};
}

} // namespace melorit::tools
