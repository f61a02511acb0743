// The MIDI listing of any bytes: no crash, no read outside the input, and a
// listing that starts with its first line and, once a header was found, ends
// with the end-of-file line.

#include "tools/MidiDump.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace melorit::tools;
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const MidiListing listing = listMidi(bytes, QStringLiteral("fuzz.mid"));
    if (!listing.text.startsWith("fuzz.mid\r\n")) {
        __builtin_trap();
    }
    if (listing.headerFound && !listing.text.endsWith("\r\n====[ End of file ]====\r\n")) {
        __builtin_trap();
    }
    if (!listing.headerFound && listing.text != "fuzz.mid\r\n") {
        __builtin_trap();
    }
    return 0;
}
