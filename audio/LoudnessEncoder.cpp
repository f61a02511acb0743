#include "audio/LoudnessEncoder.h"

#include "audio/Error.h"
#include "audio/Format.h"
#include "audio/MidiStream.h"

#include <ebur128.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

namespace melorit::audio {

namespace {

// What one replay() hands over: enough to keep an encoder's pipe busy, short
// enough for the caller to let its events run between two pieces.
constexpr std::size_t kPieceBytes = 64u << 10;
// A held gain stays this far under the ceiling: true-peak meters' oversampling
// filters differ by a few hundredths of a dB, and the samples are rounded
// after the gain.
constexpr double kCeilingMarginDb = 0.05;
constexpr std::size_t kMeterFrames = 16384;

std::FILE *anonymousScratch(const std::string &folder)
{
    std::string name = (folder.empty() ? std::string(".") : folder) + "/.melorit-loudness-XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        return nullptr;
    }
    // Unlinked at once: the space goes back when the file is closed, also
    // after a crash or SIGKILL.
    unlink(name.c_str());
    std::FILE *file = fdopen(fd, "w+b");
    if (!file) {
        close(fd);
    }
    return file;
}

std::int16_t scaled(std::int16_t sample, double factor)
{
    const double v = std::nearbyint(sample * factor);
    return static_cast<std::int16_t>(std::clamp(v, -32768.0, 32767.0));
}

} // namespace

struct LoudnessEncoder::Meter {
    ebur128_state *state = nullptr;
    ~Meter()
    {
        if (state) {
            ebur128_destroy(&state);
        }
    }
};

LoudnessGain planLoudnessGain(double measuredLufs, double measuredPeakDbtp,
                              const LoudnessTarget &target)
{
    LoudnessGain g;
    g.targetLufs = target.lufs;
    g.measuredLufs = measuredLufs;
    g.measuredPeak = measuredPeakDbtp;
    if (!std::isfinite(measuredLufs) || !std::isfinite(measuredPeakDbtp)) {
        g.silent = true;
        return g;
    }
    g.gainDb = target.lufs - measuredLufs;
    const double room = target.ceilingDbtp - kCeilingMarginDb - measuredPeakDbtp;
    if (g.gainDb > room) {
        g.gainDb = room;
        g.held = true;
    }
    return g;
}

std::shared_ptr<LoudnessEncoder> LoudnessEncoder::create(EncoderHandle inner, LoudnessTarget target,
                                                         const std::string &scratchFolder)
{
    auto meter = std::make_unique<Meter>();
    meter->state = ebur128_init(kChannels, kSampleRate, EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK);
    std::FILE *scratch = meter->state ? anonymousScratch(scratchFolder) : nullptr;
    if (!inner || !scratch) {
        detail::setLastError(Error::Create);
        return nullptr;
    }
    return std::shared_ptr<LoudnessEncoder>(
        new LoudnessEncoder(std::move(inner), target, scratch, std::move(meter)));
}

LoudnessEncoder::LoudnessEncoder(EncoderHandle inner, LoudnessTarget target, std::FILE *scratch,
                                 std::unique_ptr<Meter> meter)
    : m_inner(std::move(inner)), m_target(target), m_scratch(scratch), m_meter(std::move(meter)),
      m_piece(kPieceBytes)
{
}

LoudnessEncoder::~LoudnessEncoder()
{
    stop();
    std::fclose(m_scratch);
}

bool LoudnessEncoder::isActive()
{
    return !m_stopped && m_error.empty() && m_inner->isActive();
}

void LoudnessEncoder::stop()
{
    if (m_stopped) {
        return;
    }
    m_stopped = true;
    m_inner->stop();
}

std::string LoudnessEncoder::errorText() const
{
    const std::string inner = m_inner->errorText();
    if (m_error.empty() || inner.empty()) {
        return m_error + inner;
    }
    return m_error + "\n" + inner;
}

void LoudnessEncoder::setError(const std::string &text)
{
    if (m_error.empty()) {
        m_error = text;
    }
}

void LoudnessEncoder::feed(std::span<const std::uint8_t> bytes)
{
    if (m_stopped || !m_error.empty() || m_gain || bytes.empty()) {
        return;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_scratch) != bytes.size()) {
        setError(std::string("cannot keep the rendered song for its loudness: ") +
                 std::strerror(errno));
        return;
    }
    measureFrames(bytes, false);
}

// The meter is handed many frames at a time: its true-peak filter costs a
// quarter less than with the stream's 256-frame blocks.
void LoudnessEncoder::measureFrames(std::span<const std::uint8_t> bytes, bool all)
{
    m_partial.insert(m_partial.end(), bytes.begin(), bytes.end());
    const std::size_t frames = m_partial.size() / kBytesPerFrame;
    if (frames == 0 || (!all && frames < kMeterFrames)) {
        return;
    }
    m_samples.resize(frames * kChannels);
    std::memcpy(m_samples.data(), m_partial.data(), frames * kBytesPerFrame);
    ebur128_add_frames_short(m_meter->state, m_samples.data(), frames);
    m_partial.erase(m_partial.begin(),
                    m_partial.begin() + static_cast<std::ptrdiff_t>(frames * kBytesPerFrame));
}

void LoudnessEncoder::decideGain()
{
    measureFrames({}, true);
    double lufs = -std::numeric_limits<double>::infinity();
    ebur128_loudness_global(m_meter->state, &lufs);
    double peak = 0;
    for (unsigned channel = 0; channel < unsigned{kChannels}; ++channel) {
        double p = 0;
        if (ebur128_true_peak(m_meter->state, channel, &p) == EBUR128_SUCCESS) {
            peak = std::max(peak, p);
        }
    }
    const double peakDb =
        peak > 0 ? 20.0 * std::log10(peak) : -std::numeric_limits<double>::infinity();
    m_gain = planLoudnessGain(lufs, peakDb, m_target);
    m_factor = std::pow(10.0, m_gain->gainDb / 20.0);
    if (std::fflush(m_scratch) != 0 || std::fseek(m_scratch, 0, SEEK_SET) != 0) {
        setError(std::string("cannot read back the rendered song: ") + std::strerror(errno));
    }
}

bool LoudnessEncoder::replay()
{
    if (!m_gain) {
        decideGain();
    }
    if (!isActive()) {
        return false;
    }
    const std::size_t got = std::fread(m_piece.data(), 1, m_piece.size(), m_scratch);
    if (got == 0) {
        if (std::ferror(m_scratch)) {
            setError(std::string("cannot read back the rendered song: ") + std::strerror(errno));
        }
        return false;
    }
    // The file starts on a sample and pieces are even: whole samples, but
    // for an odd last byte, which goes as it is.
    const std::size_t samples = got / sizeof(std::int16_t);
    for (std::size_t i = 0; i < samples; ++i) {
        std::int16_t s = 0;
        std::memcpy(&s, m_piece.data() + i * sizeof s, sizeof s);
        s = scaled(s, m_factor);
        std::memcpy(m_piece.data() + i * sizeof s, &s, sizeof s);
    }
    m_inner->feed(std::span<const std::uint8_t>(m_piece.data(), got));
    return got == m_piece.size();
}

std::shared_ptr<LoudnessEncoder> MatchLoudness(MidiStream &stream, EncoderHandle encoder,
                                               LoudnessTarget target,
                                               const std::string &scratchFolder)
{
    stream.detachEncoder(encoder);
    auto match = LoudnessEncoder::create(encoder, target, scratchFolder);
    if (!match) {
        encoder->stop();
        return nullptr;
    }
    stream.attachEncoder(match);
    detail::setLastError(Error::Ok);
    return match;
}

} // namespace melorit::audio
