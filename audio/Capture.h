#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace melorit::audio {

// The names of the sound system's capture devices (microphones, line
// inputs); empty before Init and on the silent drivers. UI thread.
std::vector<std::string> captureDeviceNames();

// Where the capture stood when its last block arrived.
struct CaptureClock {
    std::uint64_t frames = 0; // frames captured up to the end of that block
    std::int64_t ns = 0;      // steady clock (ns) when it arrived
};

// Samples handed out by one read.
struct CaptureRead {
    std::size_t count = 0;
    std::uint64_t firstFrame = 0; // index of the first one since the start
};

// A microphone through SDL2's capture, as mono 32-bit floats at 44100 Hz
// (SDL converts whatever the device gives). The capture's own audio thread
// writes into a preallocated ring and stamps each block with the steady
// clock; it never locks, allocates or waits. One reader thread takes the
// samples out; a reader more than about 3 seconds late loses the oldest
// ones (the frame numbers go on counting, so timing stays right).
class Capture {
public:
    static constexpr int kRate = 44100;
    // 10 ms a block. SDL's disk driver, which reads a file as the
    // microphone, waits a whole number of milliseconds per block and then
    // wakes when the scheduler lets it: it keeps time only with long blocks.
    static constexpr int kBlockFrames = 441;
    static constexpr int kDiskBlockFrames = 4410;
    static constexpr std::size_t kRingFrames = std::size_t{1} << 17;

    // The named device, or the default one for "". nullptr on failure:
    // Error::Init before Init, Error::Device when no capture device can be
    // opened (none exists, it is busy, or the silent driver plays). UI thread.
    static std::unique_ptr<Capture> open(const std::string &deviceName);
    // Stops and closes the device. UI thread.
    ~Capture();
    Capture(const Capture &) = delete;
    Capture &operator=(const Capture &) = delete;

    // Starts capturing. UI thread.
    void start();
    // The samples captured since the previous read, up to out.size().
    // Reader thread.
    CaptureRead read(std::span<float> out);
    // The last block's stamp. Reader thread.
    CaptureClock clock() const;
    // Frames a block brings: the first frame of a block is this much older
    // than the block's arrival. Any thread.
    int blockFrames() const { return m_blockFrames; }
    // Frames dropped because the reader fell behind. Reader thread.
    std::uint64_t lostFrames() const { return m_lost; }

    // Capture thread.
    void write(std::span<const float> samples, std::int64_t nowNs);

private:
    Capture() = default;

    std::uint32_t m_device = 0;
    int m_blockFrames = kBlockFrames;
    std::vector<float> m_ring = std::vector<float>(kRingFrames);
    std::atomic<std::uint64_t> m_written{0};
    // The stamp, published with a sequence count (odd while it changes).
    std::atomic<std::uint32_t> m_stampSeq{0};
    std::atomic<std::uint64_t> m_stampFrames{0};
    std::atomic<std::int64_t> m_stampNs{0};
    // Reader side.
    std::uint64_t m_read = 0;
    std::uint64_t m_lost = 0;
};

} // namespace melorit::audio
