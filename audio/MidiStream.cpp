#include "audio/MidiStream.h"

#include "audio/Error.h"
#include "audio/StreamEngine.h"

#include <cmath>
#include <cstring>

namespace melorit::audio {

namespace {
constexpr std::size_t kScratchFrames = 1024;
} // namespace

MidiStream::MidiStream(std::unique_ptr<StreamEngine> engine)
    : m_engine(std::move(engine)), m_scratch(kScratchFrames * kChannels)
{
}

MidiStream::~MidiStream() = default;

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
    detail::setLastError(Error::Ok);
    return std::unique_ptr<MidiStream>(new MidiStream(std::move(engine)));
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
    return m_engine->finished() ? ActiveState::Stopped : ActiveState::Playing;
}

void MidiStream::stop()
{
    m_engine->stop();
    detail::setLastError(Error::Ok);
}

std::uint64_t MidiStream::length(PosUnit unit) const
{
    detail::setLastError(Error::Ok);
    if (unit == PosUnit::Ticks) {
        return m_engine->lengthTicks();
    }
    return static_cast<std::uint64_t>(m_engine->lengthFrames()) * kBytesPerFrame;
}

std::uint64_t MidiStream::position(PosUnit unit) const
{
    detail::setLastError(Error::Ok);
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
    const bool ok = unit == PosUnit::Ticks
                        ? m_engine->seekTick(static_cast<double>(value))
                        : m_engine->seekFrame(static_cast<std::int64_t>(value / kBytesPerFrame));
    if (ok) {
        m_carrySize = 0;
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
    return static_cast<std::uint64_t>(std::llround(m_engine->frameAtTick(tick))) * kBytesPerFrame;
}

std::uint32_t MidiStream::tickAtBytes(std::uint64_t bytes) const
{
    const std::uint64_t frame = bytes / kBytesPerFrame;
    const double tick = std::round(m_engine->tickAtFrame(static_cast<double>(frame)));
    return static_cast<std::uint32_t>(std::max(tick, 0.0));
}

bool MidiStream::sendEvent(int channel, MidiEvent event, std::uint32_t param)
{
    return m_engine->sendEvent(channel, event, param);
}

std::int32_t MidiStream::eventValue(int channel, MidiEvent event)
{
    return m_engine->eventValue(channel, event);
}

std::size_t MidiStream::markCount(MarkType type) const
{
    detail::setLastError(Error::Ok);
    return m_engine->file().markCount(type);
}

std::optional<Mark> MidiStream::mark(MarkType type, std::size_t index) const
{
    auto info = m_engine->file().mark(type, index);
    if (!info) {
        detail::setLastError(Error::IllParam);
        return std::nullopt;
    }
    detail::setLastError(Error::Ok);
    return Mark{info->track, info->tick, bytesAtTick(info->tick), info->text};
}

bool MidiStream::setFont(std::shared_ptr<SoundFont> font)
{
    return m_engine->setFont(std::move(font));
}

std::shared_ptr<SoundFont> MidiStream::font() const
{
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
    return m_engine->syncs().remove(sync) ? detail::succeed() : detail::fail(Error::Handle);
}

void MidiStream::setSyncPoster(SyncPoster *poster)
{
    m_engine->syncs().setPoster(poster);
}

bool MidiStream::runPostedSync(SyncId sync, std::uint32_t data)
{
    return m_engine->syncs().run(sync, data) ? detail::succeed() : detail::fail(Error::Handle);
}

DspId MidiStream::addDsp(DspProc proc, int priority)
{
    if (!proc) {
        detail::setLastError(Error::IllParam);
        return 0;
    }
    detail::setLastError(Error::Ok);
    return m_engine->addDsp(std::move(proc), priority);
}

bool MidiStream::removeDsp(DspId dsp)
{
    return m_engine->removeDsp(dsp) ? detail::succeed() : detail::fail(Error::Handle);
}

Levels MidiStream::levels() const
{
    detail::setLastError(Error::Ok);
    return m_engine->tap().levels();
}

std::size_t MidiStream::recentData(std::span<std::int16_t> values) const
{
    detail::setLastError(Error::Ok);
    return m_engine->tap().copyRecent(values);
}

} // namespace melorit::audio
