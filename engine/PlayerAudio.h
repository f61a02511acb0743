#pragma once

// Every call the player makes into the audio library to open, start, stop
// and follow a song stream goes through this adapter, so that the way songs
// are heard is decided in one place.

#include "audio/MidiStream.h"
#include "audio/SoundFont.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace melorit::engine {

// How a listened song reaches the ears.
enum class PlayerOutput {
    // Through the sound device once it is initialised: the stream plays by
    // itself and its heard syncs are delivered on the user-interface thread
    // by Player::pumpSyncs. Without an initialised device (the command line,
    // tests) listening streams decode and are read through Player::pull.
    Device,
    // Pulled by the owner of the player with Player::pull: the stream
    // decodes, and its syncs run inside that call. Headless tests and tools.
    Pull,
};

class PlayerAudio {
public:
    explicit PlayerAudio(PlayerOutput output) : m_output(output) {}

    PlayerOutput output() const { return m_output; }

    // Whether listening streams play through the sound device now: Device
    // output with an initialised device. UI thread.
    bool playsThroughDevice() const;

    // OpenSongStream: a stream of the song file with the font, decoding for
    // rendering and for listening when nothing plays through the device;
    // nullptr on failure, the reason in audio::lastError(). UI thread.
    std::unique_ptr<audio::MidiStream> openSongStream(const QString &path, bool decode,
                                                      std::shared_ptr<audio::SoundFont> font) const;

    // Starts a listening stream from where it is (restart false). A decoding
    // stream is read by the caller, so there is nothing to start. UI thread.
    bool play(audio::MidiStream &stream) const;

    // Holds a stream playing through the device where it is; play() goes on
    // from there. A decoding stream is not read while its player is paused,
    // so there is nothing to hold. UI thread.
    void pause(audio::MidiStream &stream) const;

    // Stops the stream: a decoding stream reads as ended from then on, a
    // playing one pauses and leaves the device. Callable from the stream's
    // own syncs. UI thread.
    void stop(audio::MidiStream &stream) const;

    // The position being heard, in seconds of output and in song ticks.
    // UI thread.
    double positionSeconds(const audio::MidiStream &stream) const;
    std::uint64_t positionTicks(const audio::MidiStream &stream) const;

    // Seeks in song ticks. UI thread.
    bool seekTicks(audio::MidiStream &stream, std::uint64_t tick) const;

    // Gives the stream another font; the channels keep their state.
    // UI thread.
    bool setFont(audio::MidiStream &stream, std::shared_ptr<audio::SoundFont> font) const;

    // Decodes up to bytes of a decoding stream (syncs run inside); the bytes
    // read, 0 once it has ended or when the stream plays by itself. UI thread.
    std::int64_t pull(audio::MidiStream &stream, void *buffer, std::size_t bytes) const;

private:
    PlayerOutput m_output;
};

} // namespace melorit::engine
