#include "engine/PlayerAudio.h"

#include "audio/Error.h"

#include <vector>

namespace melorit::engine {

std::unique_ptr<audio::MidiStream>
PlayerAudio::openSongStream(const QString &path, bool decode,
                            std::shared_ptr<audio::SoundFont> font) const
{
    audio::MidiStream::Options options;
    // Until the sound device is wired in, a listening stream is pulled by
    // its reader as well; Device will then open a playing stream here.
    (void)decode;
    options.decode = true;
    options.decayEnd = true;
    options.font = std::move(font);
    return audio::MidiStream::openFile(path.toStdString(), options);
}

bool PlayerAudio::play(audio::MidiStream &stream) const
{
    (void)stream;
    return true;
}

void PlayerAudio::stop(audio::MidiStream &stream) const
{
    stream.stop();
}

double PlayerAudio::positionSeconds(const audio::MidiStream &stream) const
{
    return audio::MidiStream::bytesToSeconds(stream.position(audio::PosUnit::Bytes));
}

std::uint64_t PlayerAudio::positionTicks(const audio::MidiStream &stream) const
{
    return stream.position(audio::PosUnit::Ticks);
}

bool PlayerAudio::seekTicks(audio::MidiStream &stream, std::uint64_t tick) const
{
    return stream.setPosition(tick, audio::PosUnit::Ticks);
}

bool PlayerAudio::setFont(audio::MidiStream &stream, std::shared_ptr<audio::SoundFont> font) const
{
    return stream.setFont(std::move(font));
}

std::int64_t PlayerAudio::pull(audio::MidiStream &stream, std::size_t bytes) const
{
    std::vector<std::uint8_t> buffer(bytes);
    return stream.read(buffer.data(), buffer.size());
}

} // namespace melorit::engine
