#pragma once

// The mixer bound to the audio library: a MixTarget over the current song's
// stream and SoundFont, and the song-start watchers that call the mixer back
// from the stream. Header only: the mixer itself reaches the stream through
// MixTarget alone; whoever includes this links the audio library (the
// player, the tests).

#include "audio/MidiStream.h"
#include "audio/SoundFont.h"
#include "engine/ControllerTable.h"
#include "engine/MixTarget.h"
#include "engine/Mixer.h"

#include <array>
#include <atomic>
#include <memory>
#include <utility>

namespace melorit::engine {

class StreamMixTarget final : public MixTarget {
public:
    // The song's stream, nullptr when there is none; it takes the gain set
    // last. UI thread, while the stream is not being rendered into (before
    // it plays, after it stops).
    void setStream(audio::MidiStream *stream)
    {
        m_stream.store(stream);
        if (stream != nullptr) {
            stream->setVolume(m_volume);
        }
    }
    audio::MidiStream *stream() const { return m_stream.load(); }

    bool hasStream() const override { return m_stream.load() != nullptr; }

    // The stream applies the event at once; from a watcher at mixing time
    // that is before the audio after the song's own event is made.
    void sendEvent(int channel, MidiEvent event, std::uint32_t param) override
    {
        if (audio::MidiStream *stream = m_stream.load()) {
            stream->sendEvent(channel, event, param);
        }
    }

    std::int32_t eventValue(int channel, MidiEvent event) const override
    {
        audio::MidiStream *stream = m_stream.load();
        return stream != nullptr ? stream->eventValue(channel, event) : -1;
    }

    std::int32_t songEventValue(int channel, MidiEvent event) const override
    {
        audio::MidiStream *stream = m_stream.load();
        return stream != nullptr ? stream->songEventValue(channel, event) : -1;
    }

    // The gain is the song stream's own volume, not the SoundFont's: players
    // that share a font (melorit-cli's jobs) each keep their song's gain.
    void setFontVolume(float volume) override
    {
        m_volume = volume;
        if (audio::MidiStream *stream = m_stream.load()) {
            stream->setVolume(volume);
        }
    }

private:
    std::atomic<audio::MidiStream *> m_stream{nullptr};
    float m_volume = 1.0f;
};

// The controller watchers' user values: 1-6 for volume, pan, reverb send,
// chorus send, program and bank, 18 for drum mode, 7-17 for the global
// effects (events 32-42).
struct ControllerWatch {
    MidiEvent event;
    int user;
};

inline constexpr std::array<ControllerWatch, 18> kControllerWatches{{
    {MIDI_EVENT_VOLUME, 1},
    {MIDI_EVENT_PAN, 2},
    {MIDI_EVENT_REVERB, 3},
    {MIDI_EVENT_CHORUS, 4},
    {MIDI_EVENT_PROGRAM, 5},
    {MIDI_EVENT_BANK, 6},
    {globalEffectEvent(0), 7},
    {globalEffectEvent(1), 8},
    {globalEffectEvent(2), 9},
    {globalEffectEvent(3), 10},
    {globalEffectEvent(4), 11},
    {globalEffectEvent(5), 12},
    {globalEffectEvent(6), 13},
    {globalEffectEvent(7), 14},
    {globalEffectEvent(8), 15},
    {globalEffectEvent(9), 16},
    {globalEffectEvent(10), 17},
    {MIDI_EVENT_DRUMS, 18},
}};

// Step 8 of a song's start (without the note watcher, which feeds the
// meters): one mixing-time sync per controller event and one on the tempo,
// calling the mixer's watchers. The mixer must outlive the stream's syncs.
inline void installMixWatchers(audio::MidiStream &stream, Mixer &mixer)
{
    for (const ControllerWatch &watch : kControllerWatches) {
        const int user = watch.user;
        stream.setSync(
            audio::SyncType::MidiEvent, static_cast<std::uint64_t>(watch.event),
            [&mixer, user](std::uint32_t data) { mixer.onControllerEvent(user, data); },
            audio::SyncTiming::MixTime);
    }
    stream.setSync(
        audio::SyncType::MidiEvent, static_cast<std::uint64_t>(MIDI_EVENT_TEMPO),
        [&mixer](std::uint32_t) { mixer.onTempoEvent(); }, audio::SyncTiming::MixTime);
}

} // namespace melorit::engine
