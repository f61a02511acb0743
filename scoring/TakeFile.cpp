#include "scoring/TakeFile.h"

#include <QFile>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

namespace melorit::scoring {
namespace {

constexpr int kPcm = 1;
constexpr int kFloat = 3;
constexpr int kExtensible = 0xFFFE;

struct Format {
    int tag = 0;
    int channels = 0;
    int rate = 0;
    int blockAlign = 0;
    int bits = 0;
};

std::uint32_t le32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<std::uint32_t>(u[3]) << 24);
}

int le16(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return u[0] | (u[1] << 8);
}

std::optional<Format> parseFormat(const QByteArray &chunk)
{
    if (chunk.size() < 16) {
        return std::nullopt;
    }
    const char *p = chunk.constData();
    Format f{le16(p), le16(p + 2), static_cast<int>(le32(p + 4)), le16(p + 12), le16(p + 14)};
    // The extensible format names the real one in its sub-format's first bytes.
    if (f.tag == kExtensible && chunk.size() >= 26) {
        f.tag = le16(p + 24);
    }
    return f;
}

bool supported(const Format &f)
{
    const bool pcm = f.tag == kPcm && f.bits >= 8 && f.bits <= 32 && f.bits % 8 == 0;
    const bool real = f.tag == kFloat && (f.bits == 32 || f.bits == 64);
    return (pcm || real) && f.channels >= 1 && f.channels <= 32 && f.rate >= 4000 &&
           f.rate <= 384000 && f.blockAlign == f.channels * f.bits / 8;
}

// One sample at p in -1..1.
float sampleAt(const char *p, const Format &f)
{
    if (f.tag == kFloat) {
        if (f.bits == 32) {
            float v;
            std::memcpy(&v, p, sizeof v);
            return std::isfinite(v) ? v : 0.0f;
        }
        double v;
        std::memcpy(&v, p, sizeof v);
        return std::isfinite(v) ? static_cast<float>(v) : 0.0f;
    }
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    if (f.bits == 8) {
        return (static_cast<int>(u[0]) - 128) / 128.0f;
    }
    std::int64_t v = 0;
    const int bytes = f.bits / 8;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | u[i];
    }
    const std::int64_t sign = std::int64_t{1} << (f.bits - 1);
    v = (v ^ sign) - sign; // sign-extend
    return static_cast<float>(static_cast<double>(v) / static_cast<double>(sign));
}

std::vector<float> mixedDown(const char *data, std::size_t frames, const Format &f)
{
    std::vector<float> mono(frames);
    const int width = f.bits / 8;
    for (std::size_t i = 0; i < frames; ++i) {
        const char *frame = data + i * static_cast<std::size_t>(f.blockAlign);
        float sum = 0;
        for (int c = 0; c < f.channels; ++c) {
            sum += sampleAt(frame + c * width, f);
        }
        mono[i] = sum / static_cast<float>(f.channels);
    }
    return mono;
}

// Linear interpolation to 44100 Hz; when shrinking, each output sample
// averages the input it stands for first, so high partials do not fold down
// onto the voice.
std::vector<float> resampled(const std::vector<float> &in, int rate)
{
    if (rate == Take::kRate || in.empty()) {
        return in;
    }
    const double step = static_cast<double>(rate) / Take::kRate;
    const auto span = static_cast<std::size_t>(std::max(1.0, std::floor(step)));
    std::vector<float> smooth = in;
    if (span > 1) {
        double sum = 0;
        for (std::size_t i = 0; i < in.size(); ++i) {
            sum += in[i];
            if (i >= span) {
                sum -= in[i - span];
            }
            smooth[i] = static_cast<float>(sum / static_cast<double>(std::min(i + 1, span)));
        }
    }
    const auto count = static_cast<std::size_t>(static_cast<double>(in.size()) / step);
    std::vector<float> out(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double at = static_cast<double>(i) * step;
        const auto j = static_cast<std::size_t>(at);
        const double frac = at - static_cast<double>(j);
        const float next = j + 1 < smooth.size() ? smooth[j + 1] : smooth[j];
        out[i] = static_cast<float>(smooth[j] * (1 - frac) + next * frac);
    }
    return out;
}

TakeResult failure(const QString &error)
{
    TakeResult r;
    r.error = error;
    return r;
}

} // namespace

TakeResult readTake(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return failure(QStringLiteral("the take cannot be opened (%1)").arg(file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        return failure(QStringLiteral("the take is not a WAV file"));
    }
    std::optional<Format> format;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = le32(bytes.constData() + at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = std::min<qsizetype>(size, bytes.size() - body);
        if (id == "fmt ") {
            format = parseFormat(bytes.mid(body, available));
            if (!format || !supported(*format)) {
                return failure(QStringLiteral("the take's WAV encoding is not supported "
                                              "(integer PCM or floating point only)"));
            }
        } else if (id == "data") {
            if (!format) {
                return failure(QStringLiteral("the take has no format chunk before its data"));
            }
            const auto frames = static_cast<std::size_t>(available / format->blockAlign);
            TakeResult r;
            r.ok = true;
            r.take.fileRate = format->rate;
            r.take.fileChannels = format->channels;
            r.take.samples =
                resampled(mixedDown(bytes.constData() + body, frames, *format), format->rate);
            return r;
        }
        at = body + size + (size & 1);
    }
    return failure(QStringLiteral("the take holds no audio data"));
}

} // namespace melorit::scoring
