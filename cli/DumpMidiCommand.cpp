// melorit-cli dump-midi FILE...: the MIDI text listing of each file.

#include "cli/Command.h"
#include "cli/Console.h"
#include "tools/MidiDump.h"

namespace melorit::cli {
namespace {

constexpr const char *kName = "dump-midi";

constexpr const char *kUsage =
    "usage: melorit-cli dump-midi FILE...\n"
    "\n"
    "Writes a readable listing of each MIDI file (header, chunks, every event\n"
    "of every track) to the file's path followed by \".txt\", replacing it, and\n"
    "prints the path written. The listing is Windows-1252 text with CR LF line\n"
    "ends.\n"
    "\n"
    "Exit status: 0 when every listing was written, 1 when a file could not be\n"
    "read or its listing could not be written, 2 for a usage error.";

bool isFailure(tools::DumpStatus status)
{
    return status == tools::DumpStatus::NotReadable || status == tools::DumpStatus::TooLarge ||
           status == tools::DumpStatus::WriteFailed;
}

int runDumpMidi(const QStringList &arguments)
{
    const CommandStart start = startCommand(kName, kUsage, arguments, Values::AtLeastOne,
                                            QStringLiteral("no MIDI file given"));
    if (start.exit) {
        return *start.exit;
    }
    const Arguments &args = start.args;

    int status = kExitOk;
    for (const QString &file : args.values) {
        const tools::DumpResult result = tools::DumpMidi(file);
        if (!result.listingPath.isEmpty()) {
            printLine(result.listingPath);
        }
        if (result.status != tools::DumpStatus::Listed) {
            reportError(file + QStringLiteral(": ") + tools::dumpStatusText(result.status));
        }
        if (isFailure(result.status) || result.listingPath.isEmpty()) {
            status = kExitFailure;
        }
    }
    return status;
}

const CommandRegistration kRegistration({kName, "write the text listing of MIDI files", kUsage,
                                         runDumpMidi});

} // namespace
} // namespace melorit::cli
