#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace melorit::audio {

class MidiStream;

// An encoder fed with everything a decoding stream returns from read(), from
// the moment it starts: a WAV file, or a program reading a WAV stream on its
// standard input (lame, oggenc). It is stopped when the stream is freed.
//
// Threads: created, fed (through the stream's read()), asked and stopped on
// the UI thread.
class Encoder {
public:
    virtual ~Encoder() = default;
    Encoder(const Encoder &) = delete;
    Encoder &operator=(const Encoder &) = delete;

    // True while it takes data: the file is open, or the program runs and
    // reads. UI thread.
    virtual bool isActive() = 0;
    // Ends the encoding: a WAV file gets its final sizes and is closed; a
    // program gets the end of its input and is waited for. Again: nothing.
    // UI thread.
    virtual void stop() = 0;
    // What went wrong ("" when nothing did): a write error, the program's
    // exit status and the last lines it printed. UI thread.
    virtual std::string errorText() const = 0;

    // The stream's read() hands over what it produced. UI thread.
    virtual void feed(std::span<const std::uint8_t> bytes) = 0;

protected:
    Encoder() = default;
};

using EncoderHandle = std::shared_ptr<Encoder>;

// Writes a WAV file (RIFF, 44100 Hz, 16-bit, stereo) at a UTF-8 path. Its
// header is brought up to date as it grows and at stop(), so a file cut
// short (a cancel, a crash) is still a valid WAV file. nullptr on failure:
// Error::NotAvail for a stream that does not decode, Error::Create when the
// file cannot be created. UI thread.
EncoderHandle EncodeStartWav(MidiStream &stream, const std::string &utf8Path);

// Starts argv[0] with the arguments argv[1..] (no shell: any text is passed
// as it is), looked for in programFolder first, then on PATH (a name with a
// "/" is taken as it is), and feeds it a WAV stream on its standard input
// through a writer thread, so synthesis and compression overlap. Its output
// is read and kept (the last lines go into errorText()). A program that
// cannot be started, exits early or stops reading never blocks or kills the
// caller: the encoder turns inactive and errorText() says why. nullptr on
// failure: Error::NotAvail for a stream that does not decode, Error::IllParam
// for an empty argv, Error::FileOpen when the program is not found or cannot
// start. UI thread.
EncoderHandle EncodeStartCommand(MidiStream &stream, const std::vector<std::string> &argv,
                                 const std::string &programFolder);

namespace detail {
inline constexpr std::size_t kWavHeaderSize = 44;
// A canonical 44-byte WAV header for 44100 Hz, 16-bit stereo PCM.
std::array<std::uint8_t, kWavHeaderSize> wavHeader(std::uint32_t dataBytes);
// How long a program may take no input before it is taken as stuck and
// killed (20 s), and how long stopping waits for it to end once its input is
// closed before it is killed (60 s). Tests shorten them. Any thread.
void setCommandWaitLimits(std::chrono::milliseconds stall, std::chrono::milliseconds exit);
} // namespace detail

} // namespace melorit::audio
