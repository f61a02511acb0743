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
    // Through the sound device: the stream plays by itself and its heard
    // syncs are delivered on the user-interface thread.
    Device,
    // Pulled by the owner of the player with Player::pull: the stream
    // decodes, and its syncs run inside that call. Headless tests and tools.
    Pull,
};

class PlayerAudio {
public:
    explicit PlayerAudio(PlayerOutput output) : m_output(output) {}

    PlayerOutput output() const { return m_output; }

    // OpenSongStream: a stream of the song file, decoding for rendering (and
    // for listening through Pull), with the font; nullptr on failure, the
    // reason in audio::lastError(). UI thread.
    std::unique_ptr<audio::MidiStream> openSongStream(const QString &path, bool decode,
                                                      std::shared_ptr<audio::SoundFont> font) const;

    // Starts a listening stream from where it is (restart false). With Pull
    // the caller reads it, so there is nothing to start. UI thread.
    bool play(audio::MidiStream &stream) const;

    // Stops the stream; it reads as ended from then on. UI thread.
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

    // Pull: decodes up to bytes of the stream (syncs run inside); the bytes
    // read, 0 once it has ended. UI thread.
    std::int64_t pull(audio::MidiStream &stream, std::size_t bytes) const;

private:
    PlayerOutput m_output;
};

} // namespace melorit::engine
