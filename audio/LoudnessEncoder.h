#pragma once

#include "audio/Encoder.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace melorit::audio {

// The loudness a song is brought to: its EBU R128 integrated loudness, with
// its true peak kept at or under a ceiling.
struct LoudnessTarget {
    double lufs = -16.0;
    double ceilingDbtp = -1.0;
};

// One gain for a whole song, from its measure.
struct LoudnessGain {
    double targetLufs = 0;
    double measuredLufs = 0; // integrated loudness as rendered
    double measuredPeak = 0; // true peak as rendered, dBTP
    double gainDb = 0;       // applied to every sample
    bool held = false;       // the target would have put the peak over the ceiling
    bool silent = false;     // nothing loud enough to measure: no gain
    double resultLufs() const { return measuredLufs + gainDb; }
    double resultPeak() const { return measuredPeak + gainDb; }
};

// The gain that brings measuredLufs to the target, lowered so that the true
// peak stays at the ceiling (no compression, no limiting). -inf loudness
// (silence) gives no gain. Any thread.
LoudnessGain planLoudnessGain(double measuredLufs, double measuredPeakDbtp,
                              const LoudnessTarget &target);

// Stands between a decoding stream and the encoder of the chosen format:
// measures what the stream produces and keeps it in a scratch file (a
// 10-minute song is about 106 MB, too much to hold in memory per job), then,
// once the song is complete, hands it to the encoder with the one gain the
// measure calls for. The song is synthesized once.
//
// Threads: UI thread (or a conversion thread), as every encoder.
class LoudnessEncoder final : public Encoder {
public:
    // Takes over `inner`, which must already be detached from its stream;
    // the scratch file is made in scratchFolder and unlinked at once, so
    // nothing is ever left of it. nullptr with Error::Create when it cannot
    // be made.
    static std::shared_ptr<LoudnessEncoder> create(EncoderHandle inner, LoudnessTarget target,
                                                   const std::string &scratchFolder);
    ~LoudnessEncoder() override;

    bool isActive() override;
    // Stops the inner encoder: with what replay() handed it, nothing when
    // the song was not complete.
    void stop() override;
    std::string errorText() const override;
    void feed(std::span<const std::uint8_t> bytes) override;

    // Once the song is complete: decides the gain at the first call, then
    // hands the next piece of the kept audio to the inner encoder. False
    // once everything is handed over or on a failure (isActive() says).
    bool replay();
    // The gain, once replay() has decided it.
    const std::optional<LoudnessGain> &gain() const { return m_gain; }

private:
    struct Meter; // libebur128's state
    LoudnessEncoder(EncoderHandle inner, LoudnessTarget target, std::FILE *scratch,
                    std::unique_ptr<Meter> meter);
    // all: the frames waiting too, at the end.
    void measureFrames(std::span<const std::uint8_t> bytes, bool all);
    void decideGain();
    void setError(const std::string &text);

    EncoderHandle m_inner;
    LoudnessTarget m_target;
    std::FILE *m_scratch;
    std::unique_ptr<Meter> m_meter;
    // A frame split between two feeds waits here for its end.
    std::vector<std::uint8_t> m_partial;
    std::vector<std::int16_t> m_samples;
    std::vector<std::uint8_t> m_piece;
    std::optional<LoudnessGain> m_gain;
    double m_factor = 1.0;
    bool m_stopped = false;
    std::string m_error;
};

// Puts a loudness match between the stream and its encoder (attached by
// EncodeStartWav or EncodeStartCommand). nullptr with Error::Create when the
// scratch file cannot be made; the encoder is then stopped.
std::shared_ptr<LoudnessEncoder> MatchLoudness(MidiStream &stream, EncoderHandle encoder,
                                               LoudnessTarget target,
                                               const std::string &scratchFolder);

} // namespace melorit::audio
