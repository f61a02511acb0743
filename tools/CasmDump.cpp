#include "tools/CasmDump.h"

#include "tools/DumpText.h"
#include "tools/MidiBuffer.h"

#include <algorithm>
#include <cstdint>

namespace melorit::tools {
namespace {

struct Section {
    QByteArrayView id;
    std::uint32_t length = 0;
    qsizetype end = 0; // clamped to the end of the buffer
};

Section readSection(MidiBuffer &buffer)
{
    Section section;
    section.id = buffer.ReadChars(4);
    section.length = buffer.ReadBE(4);
    section.end = static_cast<qsizetype>(
        std::min<std::uint64_t>(std::uint64_t(buffer.pos()) + section.length, buffer.size()));
    return section;
}

void unknownSection(MidiBuffer &buffer, DumpText &out, const Section &section)
{
    out << "Unknown " << section.id << " section (" << Plain{section.length} << ')';
    out.endLine();
    out.HexDump(buffer, buffer.pos(), section.end - 1);
}

void ctabSubsection(MidiBuffer &buffer, DumpText &out, const Section &sub)
{
    const std::uint32_t channel = buffer.ReadBE(1);
    const QByteArrayView name = buffer.ReadChars(8);
    const std::uint32_t destination = buffer.ReadBE(1);
    out << sub.id << "\tChannel=" << Plain{channel}
        << "\tDestination Channel=" << Plain{destination} << "\t\"" << name << '"';
    out.endLine();
    out.HexDump(buffer, buffer.pos(), sub.end - 1);
}

void segmentSection(MidiBuffer &buffer, DumpText &out, const Section &section)
{
    while (buffer.pos() < section.end) {
        const Section sub = readSection(buffer);
        out << "CASM " << sub.id << " Section";
        out.endLine();
        if (sub.id == "Sdec") {
            out << sub.id << "\t\"" << buffer.ReadChars(sub.length) << '"';
            out.endLine();
        } else if (sub.id == "Ctab") {
            ctabSubsection(buffer, out, sub);
        } else {
            unknownSection(buffer, out, sub);
        }
        buffer.seek(sub.end);
    }
}

} // namespace

void dumpCasm(MidiBuffer &buffer, DumpText &out, qsizetype chunkEnd)
{
    while (buffer.pos() < chunkEnd) {
        const Section section = readSection(buffer);
        out << section.id << " CASM Section";
        out.endLine();
        if (section.id == "CSEG") {
            segmentSection(buffer, out, section);
        } else {
            unknownSection(buffer, out, section);
        }
        buffer.seek(section.end);
    }
}

} // namespace melorit::tools
