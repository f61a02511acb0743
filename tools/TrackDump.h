#pragma once

#include <QtGlobal>

namespace melorit::tools {

class DumpText;
class MidiBuffer;

// Lists the events of one "MTrk" chunk whose data runs from the cursor to
// chunkEnd (never past the end of the buffer): the track line, then one line
// per event with its absolute tick. A malformed event, or one cut by the end
// of the file, ends the track with "Goto TrackEnd".
void dumpTrack(MidiBuffer &buffer, DumpText &out, qsizetype chunkEnd, int trackNumber);

} // namespace melorit::tools
