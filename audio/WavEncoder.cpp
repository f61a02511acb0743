#include "audio/Encoder.h"

#include "audio/Error.h"
#include "audio/Format.h"
#include "audio/MidiStream.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <sys/stat.h>

namespace melorit::audio {

namespace {

void putLe(std::uint8_t *at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// The header is rewritten after each this many bytes of samples (about 6 s).
constexpr std::uint64_t kHeaderRefreshBytes = 1u << 20;
// The most sample bytes a RIFF file can describe.
constexpr std::uint64_t kMaxDataBytes =
    std::numeric_limits<std::uint32_t>::max() - (detail::kWavHeaderSize - 8);

class WavEncoder final : public Encoder {
public:
    explicit WavEncoder(std::FILE *file) : m_file(file) {}
    ~WavEncoder() override { stop(); }

    bool isActive() override { return m_file != nullptr && m_error.empty(); }

    void stop() override
    {
        if (!m_file) {
            return;
        }
        if (!writeHeader() && m_error.empty()) {
            m_error = std::string("cannot finish the WAV file: ") + std::strerror(errno);
        }
        if (std::fclose(m_file) != 0 && m_error.empty()) {
            m_error = std::string("cannot close the WAV file: ") + std::strerror(errno);
        }
        m_file = nullptr;
    }

    std::string errorText() const override { return m_error; }

    void feed(std::span<const std::uint8_t> bytes) override
    {
        if (!isActive() || bytes.empty()) {
            return;
        }
        if (m_dataBytes + bytes.size() > kMaxDataBytes) {
            m_error = "the WAV file reached its largest size (4 GB)";
            return;
        }
        if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
            m_error = std::string("cannot write the WAV file: ") + std::strerror(errno);
            return;
        }
        m_dataBytes += bytes.size();
        if (m_dataBytes - m_headerBytes >= kHeaderRefreshBytes) {
            writeHeader();
        }
    }

    bool writeHeader()
    {
        // Count what reached the file: on a full disk the samples still in
        // the stdio buffer when a write fails are lost, and the sizes must
        // not promise them.
        const bool flushed = std::fflush(m_file) == 0;
        struct stat info {};
        if (fstat(fileno(m_file), &info) == 0) {
            const auto onDisk = static_cast<std::uint64_t>(
                std::max<off_t>(info.st_size - static_cast<off_t>(detail::kWavHeaderSize), 0));
            m_dataBytes = std::min(m_dataBytes, onDisk);
        }
        if (!flushed && m_error.empty()) {
            m_error = std::string("cannot write the WAV file: ") + std::strerror(errno);
        }
        // Whole frames only: a read cut inside a frame leaves a partial one
        // that the sizes do not count.
        const auto data = static_cast<std::uint32_t>(m_dataBytes - m_dataBytes % kBytesPerFrame);
        const auto header = detail::wavHeader(data);
        // Samples go after the header, also when it is first written.
        const long end = std::max(std::ftell(m_file), static_cast<long>(detail::kWavHeaderSize));
        const bool ok = std::fseek(m_file, 0, SEEK_SET) == 0 &&
                        std::fwrite(header.data(), 1, header.size(), m_file) == header.size() &&
                        std::fseek(m_file, end, SEEK_SET) == 0 && std::fflush(m_file) == 0;
        m_headerBytes = m_dataBytes;
        return ok;
    }

private:
    std::FILE *m_file;
    std::uint64_t m_dataBytes = 0;
    std::uint64_t m_headerBytes = 0;
    std::string m_error;
};

} // namespace

namespace detail {

std::array<std::uint8_t, kWavHeaderSize> wavHeader(std::uint32_t dataBytes)
{
    std::array<std::uint8_t, kWavHeaderSize> h{};
    std::memcpy(h.data(), "RIFF", 4);
    putLe(h.data() + 4, dataBytes + static_cast<std::uint32_t>(kWavHeaderSize - 8), 4);
    std::memcpy(h.data() + 8, "WAVEfmt ", 8);
    putLe(h.data() + 16, 16, 4);                           // fmt chunk size
    putLe(h.data() + 20, 1, 2);                            // PCM
    putLe(h.data() + 22, kChannels, 2);                    // channels
    putLe(h.data() + 24, kSampleRate, 4);                  // frames per second
    putLe(h.data() + 28, kSampleRate * kBytesPerFrame, 4); // bytes per second
    putLe(h.data() + 32, kBytesPerFrame, 2);               // block align
    putLe(h.data() + 34, 16, 2);                           // bits per sample
    std::memcpy(h.data() + 36, "data", 4);
    putLe(h.data() + 40, dataBytes, 4);
    return h;
}

} // namespace detail

EncoderHandle EncodeStartWav(MidiStream &stream, const std::string &utf8Path)
{
    if (!stream.isDecoding()) {
        detail::setLastError(Error::NotAvail);
        return nullptr;
    }
    std::FILE *file = std::fopen(utf8Path.c_str(), "wb");
    if (!file) {
        detail::setLastError(Error::Create);
        return nullptr;
    }
    auto encoder = std::make_shared<WavEncoder>(file);
    if (!encoder->writeHeader()) {
        encoder->stop();
        detail::setLastError(Error::Create);
        return nullptr;
    }
    stream.attachEncoder(encoder);
    detail::setLastError(Error::Ok);
    return encoder;
}

} // namespace melorit::audio
