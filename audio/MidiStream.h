#pragma once

#include "audio/MidiEvent.h"
#include "audio/MidiFile.h"
#include "audio/OutputTap.h"
#include "audio/SoundFont.h"
#include "audio/Sync.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace melorit::audio {

enum class PosUnit : int {
    Bytes = 0, // of the 44100 Hz 16-bit stereo output
    Ticks = 2, // MIDI ticks of the song
};

enum class ActiveState : int {
    Stopped = 0,
    Playing = 1, // data remains, the decay of the last notes included
};

// A mark of the song with the byte position where the stream plays it.
struct Mark {
    int track = 0;
    std::uint32_t tick = 0;
    std::uint64_t bytePos = 0;
    std::string_view text; // raw bytes; valid while the stream lives
};

class StreamEngine;
class Playback;
class Encoder;
class SyncDispatcher;

// A MIDI song played by FluidSynth with a SoundFont: 44100 Hz, 16-bit stereo.
// A decoding stream is read with read(); its syncs and DSP routines run inside
// that call, on the reading thread. A playing stream (Options::decode false)
// is pulled by the sound device once play() is called: its mixing-time syncs
// and DSP routines run on the audio thread, its other syncs on the UI thread
// through SyncDispatcher, and its position is what is being heard.
//
// Threads: a stream belongs to the UI thread, which also reads it when it
// decodes; the stream's own sync and DSP routines run inside read() and may
// call it back (events, values, marks, positions, stop, DSP). Functions
// report failures through lastError().
class MidiStream {
public:
    struct Options {
        bool decode = true;
        // After the song's last event, go on until every note and the effects
        // have died away (the held notes are released there).
        bool decayEnd = true;
        // The font to play with; none takes defaultFont() at creation.
        std::shared_ptr<SoundFont> font;
    };

    // nullptr on failure: Error::FileOpen, Error::FileForm or Error::Mem.
    // UI thread.
    static std::unique_ptr<MidiStream> openFile(const std::string &utf8Path,
                                                const Options &options);
    // UI thread.
    static std::unique_ptr<MidiStream> open(std::shared_ptr<const MidiFile> file,
                                            const Options &options);
    // UI thread.
    ~MidiStream();
    MidiStream(const MidiStream &) = delete;
    MidiStream &operator=(const MidiStream &) = delete;

    // Any thread (the file never changes).
    const MidiFile &file() const;
    // Any thread.
    bool isDecoding() const;

    // Decodes up to bytes of audio into buffer; any byte count is allowed.
    // Returns the bytes written: fewer than asked at the end or when a sync
    // stopped the stream, 0 once it has ended, -1 for a bad argument or a
    // stream that does not decode (Error::NotAvail). UI thread (the reader).
    std::int64_t read(void *buffer, std::size_t bytes);
    // Playing while data remains (the decay included): for a playing stream,
    // while it plays and until the last rendered audio has been heard. UI
    // thread.
    ActiveState activeState() const;
    // A decoding stream ends: it reports Stopped and reads return 0. A
    // playing stream pauses (see pause()). Callable from the stream's own sync
    // and DSP routines. UI thread.
    void stop();

    // Starts or resumes a playing stream through the sound device; restart
    // (or a stream that has ended) starts from the beginning. Error::Decode
    // for a decoding stream, Error::Init without a started device. UI thread.
    bool play(bool restart);
    // Stops the output of a playing stream and keeps its position (a later
    // play(false) resumes there); it then reports Stopped. A decoding stream
    // ends as with stop(). UI thread.
    bool pause();

    // Length up to the song's last event (the decay comes after it). It
    // follows tempos sent to the stream. UI thread.
    std::uint64_t length(PosUnit unit) const;
    // Bytes produced so far (a playing stream: the bytes heard so far); ticks
    // of the song there (at most the length). UI thread.
    std::uint64_t position(PosUnit unit) const;
    // Silences the notes and rebuilds the channels' state (programs, banks,
    // controllers, pitch bend, tempo) as it is at the new position, so the
    // song resumes as if played from the start. Error::Position beyond the end.
    // UI thread.
    bool setPosition(std::uint64_t value, PosUnit unit);
    // Conversions at the output rate (no tempo involved). Any thread.
    static double bytesToSeconds(std::uint64_t bytes);
    static std::uint64_t secondsToBytes(double seconds);
    // Conversions along the stream's timing, without moving the stream.
    // UI thread.
    std::uint64_t bytesAtTick(double tick) const;
    std::uint32_t tickAtBytes(std::uint64_t bytes) const;

    // Sends an event to a channel (0-15); it takes effect at once (a playing
    // stream: at the next device block) and becomes the channel's current
    // value. Error::IllType for an event the stream does
    // not take, Error::IllParam for a bad channel or value. UI thread.
    bool sendEvent(int channel, MidiEvent event, std::uint32_t param);
    // The current value of an event on a channel, as the song or the program
    // last set it; -1 on failure. UI thread.
    std::int32_t eventValue(int channel, MidiEvent event);
    // The value as the song's own events left it, leaving out what was sent:
    // the controllers, program, bank, drum mode, pitch and pressure of a
    // channel; for the global effects 32-42, which songs do not set, the
    // synthesizer's defaults. -1 (Error::IllType) for other events. UI thread.
    std::int32_t songEventValue(int channel, MidiEvent event);

    // UI thread.
    std::size_t markCount(MarkType type) const;
    // nullopt past the last mark (Error::IllParam). UI thread.
    std::optional<Mark> mark(MarkType type, std::size_t index) const;

    // A factor on this stream's output (1 = as made), on top of its font's
    // volume; negative counts as 0. Any thread: a playing stream follows
    // within one block.
    void setVolume(float volume);

    // Replaces the font; the channels keep their state, sounding notes stop.
    // UI thread.
    bool setFont(std::shared_ptr<SoundFont> font);
    // UI thread.
    std::shared_ptr<SoundFont> font() const;

    // 0 on failure: Error::IllType, or Error::IllParam without a routine.
    // UI thread.
    SyncId setSync(SyncType type, std::uint64_t param, SyncProc proc,
                   SyncTiming timing = SyncTiming::Heard);
    // The same with a numeric type, kSyncMixTimeFlag added for mix time.
    // UI thread.
    SyncId setSync(std::uint32_t typeAndFlags, std::uint64_t param, SyncProc proc);
    // UI thread.
    bool removeSync(SyncId sync);
    // UI thread, before the stream is rendered elsewhere.
    void setSyncPoster(SyncPoster *poster);
    // Runs a posted sync (see SyncPoster); false when it was removed.
    // UI thread.
    bool runPostedSync(SyncId sync, std::uint32_t data);

    // DSP routines run in order of priority, highest first. UI thread, or a
    // sync routine of the stream (not a DSP routine).
    DspId addDsp(DspProc proc, int priority = 0);
    // UI thread (not from a DSP routine).
    bool removeDsp(DspId dsp);

    // Feeds an encoder with everything read() returns from now on; it is
    // stopped when the stream is freed. Used by EncodeStartWav and
    // EncodeStartCommand. UI thread.
    void attachEncoder(std::shared_ptr<Encoder> encoder);
    // No longer feeds it (nor stops it when freed). UI thread.
    void detachEncoder(const std::shared_ptr<Encoder> &encoder);

    // Peak levels of the last 20 ms produced. UI thread.
    Levels levels() const;
    // The most recent output: up to values.size() interleaved samples, oldest
    // first (at most 8192 frames). Returns how many were copied. UI thread.
    std::size_t recentData(std::span<std::int16_t> values) const;

private:
    friend class SyncDispatcher;
    enum class PostedSync { Due, Later, Stale };

    explicit MidiStream(std::unique_ptr<StreamEngine> engine);
    std::size_t readFrames(std::uint8_t *out, std::size_t frames);
    // No lock for a decoding stream; the playing stream's lock otherwise.
    std::unique_lock<std::recursive_mutex> lockEngine() const;
    std::int64_t heardFrame() const;
    // Whether a sync queued for the UI thread is heard yet. UI thread.
    PostedSync postedSyncState(std::uint32_t generation, std::int64_t frame) const;

    std::unique_ptr<StreamEngine> m_engine;
    // Declared after the engine: a playing stream leaves the device before
    // its engine goes.
    std::unique_ptr<Playback> m_playback;
    std::uint64_t m_id = 0;
    std::vector<std::shared_ptr<Encoder>> m_encoders;
    // The rest of a frame a read could not take, handed out by the next read.
    std::array<std::uint8_t, 4> m_carry{};
    std::size_t m_carryPos = 0;
    std::size_t m_carrySize = 0;
    std::vector<std::int16_t> m_scratch;
};

} // namespace melorit::audio
