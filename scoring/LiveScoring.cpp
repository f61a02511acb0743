#include "scoring/LiveScoring.h"

#include "audio/Capture.h"

#include <algorithm>
#include <limits>

namespace melorit::scoring {
namespace {

constexpr std::size_t kReadFrames = 4096;
constexpr double kNsPerSecond = 1e9;

std::int64_t framesToNs(std::uint64_t frames)
{
    return static_cast<std::int64_t>(static_cast<double>(frames) * kNsPerSecond /
                                     audio::Capture::kRate);
}

} // namespace

LiveScoring::LiveScoring(const MelodyTarget &target, int toleranceCents, int offsetMs,
                         std::unique_ptr<audio::Capture> capture)
    : m_capture(std::move(capture)), m_tracker(audio::Capture::kRate),
      m_card(target, toleranceCents), m_buffer(kReadFrames),
      m_offsetNs(static_cast<std::int64_t>(offsetMs) * 1'000'000),
      m_lastFrameNs(std::numeric_limits<std::int64_t>::min())
{
    m_capture->start();
}

LiveScoring::~LiveScoring() = default;

int LiveScoring::captureLatencyMs() const
{
    return m_capture ? m_capture->blockFrames() * 1000 / audio::Capture::kRate : 0;
}

void LiveScoring::poll(std::int64_t nowNs, std::optional<double> heardTick, int transpose)
{
    if (heardTick) {
        m_heard = *heardTick;
        m_clock.record(nowNs, *heardTick);
    }
    m_card.setTranspose(transpose);
    takeCaptured();
}

void LiveScoring::stopCapture()
{
    m_capture.reset();
}

void LiveScoring::jumped()
{
    m_clock.clear();
    m_trail.clear();
    m_whole = false;
}

void LiveScoring::takeCaptured()
{
    while (m_capture) {
        const audio::CaptureRead read = m_capture->read(m_buffer);
        if (read.count == 0) {
            return;
        }
        // The stamp comes after the samples, so it covers all of them.
        const audio::CaptureClock stamp = m_capture->clock();
        const std::int64_t anchor = stamp.ns - framesToNs(stamp.frames);
        m_anchorNs = m_anchorNs ? std::min(*m_anchorNs, anchor) : anchor;
        // Samples the reader fell too far behind for are silence to the
        // tracker, so frame numbers keep matching the capture's.
        static const std::vector<float> silence(kReadFrames, 0.0f);
        while (m_fed < read.firstFrame) {
            const auto gap = static_cast<std::size_t>(
                std::min<std::uint64_t>(read.firstFrame - m_fed, kReadFrames));
            track(std::span<const float>(silence).first(gap));
        }
        track(std::span<const float>(m_buffer).first(read.count));
    }
}

void LiveScoring::track(std::span<const float> samples)
{
    m_tracker.push(samples, [this](const PitchFrame &frame) { scoreFrame(frame); });
    m_fed += samples.size();
}

std::int64_t LiveScoring::frameNs(std::uint64_t sample) const
{
    return m_anchorNs.value_or(0) + framesToNs(sample) - m_offsetNs;
}

void LiveScoring::scoreFrame(const PitchFrame &frame)
{
    const std::int64_t ns = frameNs(frame.sample);
    m_lastFrameNs = std::max(m_lastFrameNs, ns);
    const std::optional<double> tick = m_clock.tickAt(ns);
    if (!tick) {
        return; // sung before the song was heard (or before a jump)
    }
    m_scored = *tick;
    const FrameVerdict verdict = m_card.add(*tick, frame);
    m_trail.push_back({*tick, frame.key, frame.voiced, verdict.hit});
    if (m_trail.size() > kTrailPoints) {
        m_trail.pop_front();
    }
}

} // namespace melorit::scoring
