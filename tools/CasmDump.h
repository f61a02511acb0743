#pragma once

#include <QtGlobal>

namespace melorit::tools {

class DumpText;
class MidiBuffer;

// Lists the sections of a "CASM" chunk (karaoke arrangement data) running
// from the cursor to chunkEnd: "CSEG" sections with their "Sdec" and "Ctab"
// subsections, any other section as a hex dump. Each section and subsection
// is left at its stated end; one that claims more than the file holds runs
// to the end of the file.
void dumpCasm(MidiBuffer &buffer, DumpText &out, qsizetype chunkEnd);

} // namespace melorit::tools
