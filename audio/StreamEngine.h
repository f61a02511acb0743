#pragma once

#include "audio/EffectParams.h"
#include "audio/Error.h"
#include "audio/MidiEvent.h"
#include "audio/MidiFile.h"
#include "audio/MidiState.h"
#include "audio/OutputTap.h"
#include "audio/SoundFont.h"
#include "audio/SyncList.h"
#include "audio/Synth.h"
#include "audio/Timeline.h"

#include <array>
#include <atomic>
#include <memory>
#include <vector>

namespace melorit::audio {

// The heart of a MIDI stream: the sequencer that plays the song's events at
// their sample frames, the synthesizer, the channel state, syncs, DSP and the
// output tap. render() is the only way audio is made, for decoding and for
// playing alike. Everything here runs on the thread that renders the stream,
// or on any thread while it is not being rendered. Internal to the library.
class StreamEngine {
public:
    StreamEngine(std::shared_ptr<const MidiFile> file, std::shared_ptr<SoundFont> font,
                 std::unique_ptr<Synth> synth, bool decode, bool decayEnd);

    const MidiFile &file() const { return *m_file; }
    bool isDecoding() const { return m_decode; }

    // Renders up to frames frames of interleaved 16-bit stereo; fewer when the
    // stream ends or is stopped on the way.
    std::size_t render(std::int16_t *out, std::size_t frames);
    bool finished() const { return m_finished; }
    void stop();

    std::int64_t frame() const { return m_frame; }
    std::int64_t lengthFrames() const;
    std::uint32_t lengthTicks() const { return m_file->lengthTicks(); }
    double tickAtFrame(double frame) const { return m_timeline.tickAt(frame); }
    double frameAtTick(double tick) const { return m_timeline.frameAt(tick); }
    std::uint32_t currentTick() const;
    // Moves to a frame or a tick within the song (Error::Position beyond it).
    bool seekFrame(std::int64_t frame);
    bool seekTick(double tick);

    bool sendEvent(int channel, MidiEvent event, std::uint32_t param);
    // What sendEvent would report for these arguments. Any thread.
    static Error checkEvent(int channel, MidiEvent event, std::uint32_t param);
    std::int32_t eventValue(int channel, MidiEvent event);
    std::int32_t songEventValue(int channel, MidiEvent event);

    bool setFont(std::shared_ptr<SoundFont> font);
    const std::shared_ptr<SoundFont> &font() const { return m_font; }
    // The stream's own volume factor, on top of its font's. Any thread.
    void setVolume(float volume) { m_volume.store(volume, std::memory_order_relaxed); }

    SyncList &syncs() { return m_syncs; }
    DspId addDsp(DspProc proc, int priority);
    bool removeDsp(DspId id);
    const OutputTap &tap() const { return m_tap; }

private:
    struct Dsp {
        DspId id;
        int priority;
        DspProc proc;
    };

    // Sequencing (StreamEngine.cpp).
    void processDue();
    std::int64_t eventFrame(const SongEvent &event) const;
    std::size_t framesUntilNextMoment() const;
    void renderBlock(std::int16_t *out, std::size_t frames);
    void checkDecayEnd(const std::int16_t *out, std::size_t frames);
    void finishEnded();
    void doSeek(std::int64_t frame, double tick);
    void ensureChased();

    // Events (StreamEvents.cpp).
    void applySongEvent(const SongEvent &event);
    void applySongChannelMessage(const SongEvent &event);
    void applySysex(const SysexMessage &message);
    void noteOn(int channel, int key, int velocity);
    void noteOff(int channel, int key);
    void controller(int channel, int number, int value);
    void forgetHeldNotes(int channel);
    void applyChannelEvent(int channel, MidiEvent event, int value);
    double presentTick() const;

    // Mix (StreamMix.cpp).
    void applyMix();
    void applyAttenuation(int channel);
    void applyEverything();
    void followFontVolume();

    std::shared_ptr<const MidiFile> m_file;
    std::shared_ptr<SoundFont> m_font;
    std::unique_ptr<Synth> m_synth;
    const bool m_decode;
    const bool m_decayEnd;

    Timeline m_timeline;
    MidiState m_state;
    MidiState m_songState; // the same, from the song's own events only
    EffectParams m_effects;
    std::array<int, kMidiChannels> m_mixLevel{};
    std::array<int, kMidiChannels> m_transpose{};
    std::array<std::array<std::int16_t, 128>, kMidiChannels> m_heldKey{}; // song key -> key played
    int m_maxMixLevel = 100;
    float m_appliedVolume = 1.0f; // font volume x stream volume, as applied
    std::atomic<float> m_volume{1.0f};

    std::size_t m_cursor = 0; // next song event
    std::int64_t m_frame = 0; // frames rendered since the start of the song
    std::int64_t m_lastPositionByte = -1;
    bool m_chasePending = false;
    bool m_songEnded = false;
    bool m_decaying = false;
    bool m_finished = false;
    std::int64_t m_decayStart = 0;
    int m_decayPeak = 0;
    int m_silentUnits = 0;

    SyncList m_syncs;
    std::vector<Dsp> m_dsps; // by priority, highest first
    DspId m_nextDspId = 1;
    OutputTap m_tap;
    std::vector<float> m_left;
    std::vector<float> m_right;
};

} // namespace melorit::audio
