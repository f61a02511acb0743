#pragma once

#include "engine/MidiEvents.h"

#include <cstdint>

namespace melorit::engine {

// What the mixer needs from the song's stream. The player binds it to the
// audio library (MidiStream::sendEvent, eventValue and setVolume); tests
// record the calls.
//
// The controller and tempo watchers call sendEvent and eventValue on the
// rendering thread, at mixing time, from inside the stream's rendering: there
// an implementation must apply the event to the stream directly (it must
// reach the synthesizer before the block that follows the song's own event
// is produced) and must neither block nor allocate.
class MixTarget {
public:
    virtual ~MixTarget() = default;

    // True while a song stream exists.
    virtual bool hasStream() const = 0;

    // Sends an event to one channel of the stream; it takes effect at once.
    // Results are not checked. Any thread (see above).
    virtual void sendEvent(int channel, MidiEvent event, std::uint32_t param) = 0;

    // The stream's current value of an event on a channel (the tempo in
    // microseconds per quarter note on channel 0), -1 on failure or without
    // a stream. Called by the tempo watcher at the song's own tempo event,
    // where it must report the song's new tempo. Any thread (see above).
    virtual std::int32_t eventValue(int channel, MidiEvent event) const = 0;

    // The song's own value of a controller row or global effect, leaving out
    // what was sent: once an override is sent, eventValue reports the
    // override, not the song's value a right-click gives back. A target
    // that does not keep the two apart reports eventValue. UI thread.
    virtual std::int32_t songEventValue(int channel, MidiEvent event) const
    {
        return eventValue(channel, event);
    }

    // Sets the output volume factor of the song (1 = unity), the master
    // gain; it holds for the songs opened later too. User-interface thread.
    virtual void setFontVolume(float volume) = 0;
};

} // namespace melorit::engine
