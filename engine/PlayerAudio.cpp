#include "engine/PlayerAudio.h"

#include "audio/Device.h"
#include "audio/Error.h"

namespace melorit::engine {

bool PlayerAudio::playsThroughDevice() const
{
    return m_output == PlayerOutput::Device && audio::isInitialised();
}

std::unique_ptr<audio::MidiStream>
PlayerAudio::openSongStream(const QString &path, bool decode,
                            std::shared_ptr<audio::SoundFont> font) const
{
    audio::MidiStream::Options options;
    options.decode = decode || !playsThroughDevice();
    options.decayEnd = true;
    options.font = std::move(font);
    return audio::MidiStream::openFile(path.toStdString(), options);
}

bool PlayerAudio::play(audio::MidiStream &stream) const
{
    if (stream.isDecoding()) {
        return true;
    }
    return stream.play(false);
}

void PlayerAudio::pause(audio::MidiStream &stream) const
{
    if (!stream.isDecoding()) {
        stream.pause();
    }
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

std::int64_t PlayerAudio::pull(audio::MidiStream &stream, void *buffer, std::size_t bytes) const
{
    if (!stream.isDecoding()) {
        return 0;
    }
    return stream.read(buffer, bytes);
}

} // namespace melorit::engine
