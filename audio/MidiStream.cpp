#include "audio/MidiStream.h"

#include "audio/Encoder.h"
#include "audio/Error.h"
#include "audio/Playback.h"
#include "audio/StreamEngine.h"
#include "audio/SyncDispatcher.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace melorit::audio {

namespace {
constexpr std::size_t kScratchFrames = 1024;
std::uint64_t g_nextStreamId = 1; // UI thread
} // namespace

MidiStream::MidiStream(std::unique_ptr<StreamEngine> engine)
    : m_engine(std::move(engine)), m_scratch(kScratchFrames * kChannels)
{
}

MidiStream::~MidiStream()
{
    if (m_playback) {
        detail::unregisterPlayingStream(m_id);
        m_playback.reset();
    }
    for (const auto &encoder : m_encoders) {
        encoder->stop();
    }
}

std::unique_lock<std::recursive_mutex> MidiStream::lockEngine() const
{
    if (!m_playback) {
        return {};
    }
    return std::unique_lock(m_playback->mutex());
}

std::int64_t MidiStream::heardFrame() const
{
    return m_playback ? m_playback->heardFrame(detail::steadyNowNs()) : m_engine->frame();
}

std::unique_ptr<MidiStream> MidiStream::openFile(const std::string &utf8Path,
                                                 const Options &options)
{
    MidiReadResult result = readMidiFile(utf8Path);
    if (!result.file) {
        return nullptr;
    }
    return open(std::move(result.file), options);
}

std::unique_ptr<MidiStream> MidiStream::open(std::shared_ptr<const MidiFile> file,
                                             const Options &options)
{
    if (!file) {
        detail::setLastError(Error::IllParam);
        return nullptr;
    }
    std::shared_ptr<SoundFont> font = options.font ? options.font : defaultFont();
    auto synth = Synth::create(font.get());
    if (!synth) {
        detail::setLastError(Error::Mem);
        return nullptr;
    }
    auto engine = std::make_unique<StreamEngine>(std::move(file), std::move(font), std::move(synth),
                                                 options.decode, options.decayEnd);
    std::unique_ptr<MidiStream> stream(new MidiStream(std::move(engine)));
    stream->m_id = g_nextStreamId++;
    if (!options.decode) {
        stream->m_playback = std::make_unique<Playback>(*stream->m_engine, stream->m_id);
        stream->m_engine->syncs().setPoster(stream->m_playback.get());
        detail::registerPlayingStream(stream->m_id, stream.get());
    }
    detail::setLastError(Error::Ok);
    return stream;
}

const MidiFile &MidiStream::file() const
{
    return m_engine->file();
}

bool MidiStream::isDecoding() const
{
    return m_engine->isDecoding();
}

std::int64_t MidiStream::read(void *buffer, std::size_t bytes)
{
    if (!m_engine->isDecoding()) {
        detail::setLastError(Error::NotAvail);
        return -1;
    }
    if (!buffer && bytes > 0) {
        detail::setLastError(Error::IllParam);
        return -1;
    }
    auto *out = static_cast<std::uint8_t *>(buffer);
    std::size_t done = 0;
    for (; done < bytes && m_carrySize > 0; ++done, --m_carrySize) {
        out[done] = m_carry[m_carryPos++];
    }
    const std::size_t frames = (bytes - done) / kBytesPerFrame;
    const std::size_t rendered = readFrames(out + done, frames);
    done += rendered * kBytesPerFrame;
    if (rendered == frames && done < bytes) {
        if (readFrames(m_carry.data(), 1) == 1) {
            m_carryPos = 0;
            m_carrySize = kBytesPerFrame;
            for (; done < bytes; ++done, --m_carrySize) {
                out[done] = m_carry[m_carryPos++];
            }
        }
    }
    const std::span<const std::uint8_t> produced(out, done);
    for (const auto &encoder : m_encoders) {
        encoder->feed(produced);
    }
    detail::setLastError(Error::Ok);
    return static_cast<std::int64_t>(done);
}

// Renders whole frames into a byte buffer of any alignment.
std::size_t MidiStream::readFrames(std::uint8_t *out, std::size_t frames)
{
    std::size_t done = 0;
    while (done < frames && !m_engine->finished()) {
        const std::size_t n = std::min(frames - done, kScratchFrames);
        const std::size_t got = m_engine->render(m_scratch.data(), n);
        std::memcpy(out + done * kBytesPerFrame, m_scratch.data(), got * kBytesPerFrame);
        done += got;
        if (got < n) {
            break;
        }
    }
    return done;
}

ActiveState MidiStream::activeState() const
{
    detail::setLastError(Error::Ok);
    if (m_playback) {
        auto lock = lockEngine();
        return m_playback->isActive(detail::steadyNowNs()) ? ActiveState::Playing
                                                           : ActiveState::Stopped;
    }
    return m_engine->finished() ? ActiveState::Stopped : ActiveState::Playing;
}

void MidiStream::stop()
{
    if (m_playback) {
        pause();
        return;
    }
    m_engine->stop();
    detail::setLastError(Error::Ok);
}

bool MidiStream::play(bool restart)
{
    if (!m_playback) {
        return detail::fail(Error::Decode);
    }
    if (Playback::isRenderingHere(m_engine.get())) {
        return detail::fail(Error::NotAvail); // not from the audio thread
    }
    return m_playback->play(restart);
}

bool MidiStream::pause()
{
    if (!m_playback) {
        stop();
        return true;
    }
    if (Playback::isRenderingHere(m_engine.get())) {
        return detail::fail(Error::NotAvail);
    }
    m_playback->pause();
    return detail::succeed();
}

MidiStream::PostedSync MidiStream::postedSyncState(std::uint32_t generation,
                                                   std::int64_t frame) const
{
    auto lock = lockEngine();
    if (!m_playback || generation != m_playback->generation()) {
        return PostedSync::Stale;
    }
    return heardFrame() >= frame ? PostedSync::Due : PostedSync::Later;
}

void MidiStream::attachEncoder(std::shared_ptr<Encoder> encoder)
{
    if (encoder) {
        m_encoders.push_back(std::move(encoder));
    }
}

void MidiStream::detachEncoder(const std::shared_ptr<Encoder> &encoder)
{
    std::erase(m_encoders, encoder);
}

std::uint64_t MidiStream::length(PosUnit unit) const
{
    auto lock = lockEngine();
    detail::setLastError(Error::Ok);
    if (unit == PosUnit::Ticks) {
        return m_engine->lengthTicks();
    }
    return static_cast<std::uint64_t>(m_engine->lengthFrames()) * kBytesPerFrame;
}

std::uint64_t MidiStream::position(PosUnit unit) const
{
    auto lock = lockEngine();
    detail::setLastError(Error::Ok);
    if (m_playback) {
        const std::int64_t heard = heardFrame();
        if (unit == PosUnit::Ticks) {
            const double tick = std::round(m_engine->tickAtFrame(static_cast<double>(heard)));
            return static_cast<std::uint64_t>(
                std::clamp(tick, 0.0, static_cast<double>(m_engine->lengthTicks())));
        }
        return static_cast<std::uint64_t>(heard) * kBytesPerFrame;
    }
    if (unit == PosUnit::Ticks) {
        return m_engine->currentTick();
    }
    return static_cast<std::uint64_t>(m_engine->frame()) * kBytesPerFrame - m_carrySize;
}

bool MidiStream::setPosition(std::uint64_t value, PosUnit unit)
{
    if (unit != PosUnit::Bytes && unit != PosUnit::Ticks) {
        return detail::fail(Error::IllType);
    }
    auto lock = lockEngine();
    const bool ok = unit == PosUnit::Ticks
                        ? m_engine->seekTick(static_cast<double>(value))
                        : m_engine->seekFrame(static_cast<std::int64_t>(value / kBytesPerFrame));
    if (ok) {
        m_carrySize = 0;
        if (m_playback) {
            m_playback->restartClock(detail::steadyNowNs());
        }
    }
    return ok;
}

double MidiStream::bytesToSeconds(std::uint64_t bytes)
{
    return static_cast<double>(bytes) / (kSampleRate * kBytesPerFrame);
}

std::uint64_t MidiStream::secondsToBytes(double seconds)
{
    if (!(seconds > 0)) {
        return 0;
    }
    return static_cast<std::uint64_t>(std::floor(seconds * kSampleRate)) * kBytesPerFrame;
}

std::uint64_t MidiStream::bytesAtTick(double tick) const
{
    auto lock = lockEngine();
    return static_cast<std::uint64_t>(std::llround(m_engine->frameAtTick(tick))) * kBytesPerFrame;
}

std::uint32_t MidiStream::tickAtBytes(std::uint64_t bytes) const
{
    auto lock = lockEngine();
    const std::uint64_t frame = bytes / kBytesPerFrame;
    const double tick = std::round(m_engine->tickAtFrame(static_cast<double>(frame)));
    return static_cast<std::uint32_t>(std::max(tick, 0.0));
}

bool MidiStream::sendEvent(int channel, MidiEvent event, std::uint32_t param)
{
    if (m_playback && m_playback->isPlaying() && !Playback::isRenderingHere(m_engine.get())) {
        // The audio thread applies it at its next block.
        const Error error = StreamEngine::checkEvent(channel, event, param);
        if (error != Error::Ok) {
            return detail::fail(error);
        }
        if (m_playback->queueEvent(channel, event, param)) {
            return detail::succeed();
        }
    }
    auto lock = lockEngine();
    if (m_playback) {
        m_playback->drainEvents();
    }
    return m_engine->sendEvent(channel, event, param);
}

std::int32_t MidiStream::eventValue(int channel, MidiEvent event)
{
    auto lock = lockEngine();
    if (m_playback) {
        m_playback->drainEvents();
    }
    return m_engine->eventValue(channel, event);
}

std::int32_t MidiStream::songEventValue(int channel, MidiEvent event)
{
    auto lock = lockEngine();
    return m_engine->songEventValue(channel, event);
}

std::size_t MidiStream::markCount(MarkType type) const
{
    detail::setLastError(Error::Ok);
    return m_engine->file().markCount(type);
}

std::optional<Mark> MidiStream::mark(MarkType type, std::size_t index) const
{
    auto lock = lockEngine();
    auto info = m_engine->file().mark(type, index);
    if (!info) {
        detail::setLastError(Error::IllParam);
        return std::nullopt;
    }
    detail::setLastError(Error::Ok);
    return Mark{info->track, info->tick, bytesAtTick(info->tick), info->text};
}

void MidiStream::setVolume(float volume)
{
    m_engine->setVolume(std::max(volume, 0.0f));
}

bool MidiStream::setFont(std::shared_ptr<SoundFont> font)
{
    auto lock = lockEngine();
    return m_engine->setFont(std::move(font));
}

std::shared_ptr<SoundFont> MidiStream::font() const
{
    auto lock = lockEngine();
    detail::setLastError(Error::Ok);
    return m_engine->font();
}

SyncId MidiStream::setSync(SyncType type, std::uint64_t param, SyncProc proc, SyncTiming timing)
{
    const bool known = type == SyncType::Position || type == SyncType::End ||
                       type == SyncType::Marker || type == SyncType::Cue ||
                       type == SyncType::Lyric || type == SyncType::Text ||
                       type == SyncType::MidiEvent;
    if (!known) {
        detail::setLastError(Error::IllType);
        return 0;
    }
    if (!proc) {
        detail::setLastError(Error::IllParam);
        return 0;
    }
    auto lock = lockEngine();
    detail::setLastError(Error::Ok);
    return m_engine->syncs().add(type, param, std::move(proc), timing);
}

SyncId MidiStream::setSync(std::uint32_t typeAndFlags, std::uint64_t param, SyncProc proc)
{
    const SyncTiming timing =
        (typeAndFlags & kSyncMixTimeFlag) ? SyncTiming::MixTime : SyncTiming::Heard;
    return setSync(static_cast<SyncType>(typeAndFlags & ~kSyncMixTimeFlag), param, std::move(proc),
                   timing);
}

bool MidiStream::removeSync(SyncId sync)
{
    auto lock = lockEngine();
    return m_engine->syncs().remove(sync) ? detail::succeed() : detail::fail(Error::Handle);
}

void MidiStream::setSyncPoster(SyncPoster *poster)
{
    auto lock = lockEngine();
    m_engine->syncs().setPoster(poster);
}

bool MidiStream::runPostedSync(SyncId sync, std::uint32_t data)
{
    SyncProc proc;
    {
        auto lock = lockEngine();
        proc = m_engine->syncs().procOf(sync);
    }
    if (!proc) {
        return detail::fail(Error::Handle);
    }
    // Without the lock: the routine may use or even free the stream.
    proc(data);
    return detail::succeed();
}

DspId MidiStream::addDsp(DspProc proc, int priority)
{
    if (!proc) {
        detail::setLastError(Error::IllParam);
        return 0;
    }
    auto lock = lockEngine();
    detail::setLastError(Error::Ok);
    return m_engine->addDsp(std::move(proc), priority);
}

bool MidiStream::removeDsp(DspId dsp)
{
    auto lock = lockEngine();
    return m_engine->removeDsp(dsp) ? detail::succeed() : detail::fail(Error::Handle);
}

Levels MidiStream::levels() const
{
    auto lock = lockEngine();
    detail::setLastError(Error::Ok);
    return m_engine->tap().levels();
}

std::size_t MidiStream::recentData(std::span<std::int16_t> values) const
{
    auto lock = lockEngine();
    detail::setLastError(Error::Ok);
    return m_engine->tap().copyRecent(values);
}

} // namespace melorit::audio
