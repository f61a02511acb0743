#include "audio/StreamEngine.h"

#include "audio/Error.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace melorit::audio {

namespace {

// The most the render loop makes in one go between two moments of the song.
constexpr std::size_t kMaxBlockFrames = 1024;
// The decay is checked in units of frames counted from its start, so that
// where it ends does not depend on how the stream is read. It ends when the
// output has stayed at or below kSilenceLevel (about -84 dB) for
// kSilentUnitsToEnd units with no voice left, or for kSilentUnitsVoicesLeft
// units (about 0.2 s) with voices still in a release too faint to be heard
// (real instruments keep them for seconds); it never lasts more than
// kMaxDecay.
constexpr std::int64_t kDecayUnit = 1024;
constexpr int kSilenceLevel = 2;
constexpr int kSilentUnitsToEnd = 2;
constexpr int kSilentUnitsVoicesLeft = 9;
constexpr std::int64_t kMaxDecayFrames = 30LL * kSampleRate;

std::int16_t toSample(float value)
{
    const float scaled = value * 32768.0f;
    const float rounded = scaled + (scaled >= 0 ? 0.5f : -0.5f);
    return static_cast<std::int16_t>(std::clamp(rounded, -32768.0f, 32767.0f));
}

} // namespace

StreamEngine::StreamEngine(std::shared_ptr<const MidiFile> file, std::shared_ptr<SoundFont> font,
                           std::unique_ptr<Synth> synth, bool decode, bool decayEnd)
    : m_file(std::move(file)), m_font(std::move(font)), m_synth(std::move(synth)), m_decode(decode),
      m_decayEnd(decayEnd), m_timeline(m_file->tempoMap()), m_left(kMaxBlockFrames),
      m_right(kMaxBlockFrames)
{
    m_mixLevel.fill(100);
    for (auto &keys : m_heldKey) {
        keys.fill(-1);
    }
    applyEverything();
}

std::int64_t StreamEngine::eventFrame(const SongEvent &event) const
{
    return std::llround(m_timeline.frameAt(event.tick));
}

std::int64_t StreamEngine::lengthFrames() const
{
    return std::llround(m_timeline.frameAt(m_file->lengthTicks()));
}

std::uint32_t StreamEngine::currentTick() const
{
    const double tick = std::round(m_timeline.tickAt(static_cast<double>(m_frame)));
    return static_cast<std::uint32_t>(std::clamp(tick, 0.0, double(m_file->lengthTicks())));
}

std::size_t StreamEngine::render(std::int16_t *out, std::size_t frames)
{
    std::size_t done = 0;
    while (done < frames && !m_finished) {
        ensureChased();
        followFontVolume();
        processDue();
        if (m_finished) {
            break;
        }
        const std::size_t n = std::min(frames - done, framesUntilNextMoment());
        renderBlock(out + kChannels * done, n);
        m_frame += static_cast<std::int64_t>(n);
        done += n;
        if (m_decaying) {
            checkDecayEnd(out + kChannels * (done - n), n);
        }
    }
    if (done == frames && !m_finished) {
        // What falls on the frame after this read happens now, so that a sync
        // at the position the read ended on, or the end, is not left pending.
        ensureChased();
        processDue();
    }
    return done;
}

// Plays everything that falls on the current frame: the song's events (and
// the syncs they trigger), position syncs, then the end of the song.
void StreamEngine::processDue()
{
    const auto events = m_file->events();
    while (m_cursor < events.size() && eventFrame(events[m_cursor]) <= m_frame) {
        applySongEvent(events[m_cursor++]);
        if (m_finished) {
            return;
        }
    }
    const std::int64_t byte = m_frame * kBytesPerFrame;
    if (byte > m_lastPositionByte) {
        const std::int64_t from = m_lastPositionByte;
        m_lastPositionByte = byte;
        m_syncs.firePositions(from, byte);
        if (m_finished) {
            return;
        }
    }
    if (!m_songEnded && m_cursor == events.size() && m_frame >= lengthFrames()) {
        m_songEnded = true;
        if (m_decayEnd) {
            m_synth->releaseAll();
            for (int channel = 0; channel < kMidiChannels; ++channel) {
                m_state.channelMessage(0xB0 | channel, 64, 0);
                m_state.channelMessage(0xB0 | channel, 66, 0);
                forgetHeldNotes(channel);
            }
            m_decaying = true;
            m_decayStart = m_frame;
            m_decayPeak = 0;
            m_silentUnits = 0;
        } else {
            finishEnded();
        }
    }
}

std::size_t StreamEngine::framesUntilNextMoment() const
{
    std::int64_t limit = kMaxBlockFrames;
    const auto events = m_file->events();
    if (m_cursor < events.size()) {
        limit = std::min(limit, eventFrame(events[m_cursor]) - m_frame);
    }
    if (!m_songEnded) {
        limit = std::min(limit, lengthFrames() - m_frame);
    }
    if (m_decaying) {
        limit = std::min(limit, kDecayUnit - (m_frame - m_decayStart) % kDecayUnit);
    }
    if (auto next = m_syncs.nextPosition(m_frame * kBytesPerFrame)) {
        const std::int64_t syncFrame = (*next + kBytesPerFrame - 1) / kBytesPerFrame;
        limit = std::min(limit, syncFrame - m_frame);
    }
    return static_cast<std::size_t>(std::max<std::int64_t>(limit, 1));
}

void StreamEngine::renderBlock(std::int16_t *out, std::size_t frames)
{
    m_synth->render(m_left.data(), m_right.data(), static_cast<int>(frames));
    for (std::size_t i = 0; i < frames; ++i) {
        out[2 * i] = toSample(m_left[i]);
        out[2 * i + 1] = toSample(m_right[i]);
    }
    const std::span<std::int16_t> samples(out, frames * kChannels);
    for (std::size_t i = 0; i < m_dsps.size(); ++i) {
        m_dsps[i].proc(samples);
    }
    m_tap.write(samples);
}

void StreamEngine::checkDecayEnd(const std::int16_t *out, std::size_t frames)
{
    for (std::size_t i = 0; i < frames * kChannels; ++i) {
        m_decayPeak = std::max(m_decayPeak, std::abs(static_cast<int>(out[i])));
    }
    const std::int64_t elapsed = m_frame - m_decayStart;
    if (elapsed % kDecayUnit != 0) {
        return;
    }
    m_silentUnits = m_decayPeak <= kSilenceLevel ? m_silentUnits + 1 : 0;
    m_decayPeak = 0;
    const int needed = m_synth->activeVoices() == 0 ? kSilentUnitsToEnd : kSilentUnitsVoicesLeft;
    if (m_silentUnits >= needed || elapsed >= kMaxDecayFrames) {
        finishEnded();
    }
}

void StreamEngine::finishEnded()
{
    m_finished = true;
    m_decaying = false;
    m_syncs.fireEnd();
}

void StreamEngine::stop()
{
    m_finished = true;
}

bool StreamEngine::seekFrame(std::int64_t frame)
{
    if (frame < 0 || frame > lengthFrames()) {
        return detail::fail(Error::Position);
    }
    doSeek(frame, m_timeline.tickAt(static_cast<double>(frame)));
    return detail::succeed();
}

bool StreamEngine::seekTick(double tick)
{
    if (tick < 0 || tick > m_file->lengthTicks()) {
        return detail::fail(Error::Position);
    }
    doSeek(std::llround(m_timeline.frameAt(tick)), tick);
    return detail::succeed();
}

void StreamEngine::doSeek(std::int64_t frame, double tick)
{
    m_timeline.restartAt(tick);
    m_frame = frame;
    m_lastPositionByte = frame * kBytesPerFrame - 1;
    const auto events = m_file->events();
    // Events placed before the new position are replayed silently; the one at
    // it and those after it are played.
    auto first = std::partition_point(events.begin(), events.end(),
                                      [&](const SongEvent &e) { return eventFrame(e) < frame; });
    m_cursor = static_cast<std::size_t>(first - events.begin());
    m_songEnded = false;
    m_decaying = false;
    m_finished = false;
    m_chasePending = true;
}

// Rebuilds the channels' state at the cursor from the song's events before
// it, then sets the synthesizer to that state with every voice silenced.
void StreamEngine::ensureChased()
{
    if (!m_chasePending) {
        return;
    }
    m_chasePending = false;
    m_state.reset();
    const auto events = m_file->events();
    for (std::size_t i = 0; i < m_cursor; ++i) {
        const SongEvent &e = events[i];
        if (e.kind == SongEvent::Kind::Channel && e.command() >= 0xB0) {
            m_state.channelMessage(e.status, e.data1, e.data2);
        } else if (e.kind == SongEvent::Kind::Sysex) {
            m_state.sysex(m_file->sysexBytes(m_file->sysex(e.value)));
        }
    }
    m_songState = m_state;
    m_synth->reset();
    // Neither what FluidSynth made ahead before the reset nor the first block
    // after it, which still ends the old voices, is heard.
    m_synth->discardPartialBlock(m_left.data(), m_right.data());
    m_synth->render(m_left.data(), m_right.data(), kSynthBlock);
    m_synth->applyState(m_state);
    applyEverything();
}

DspId StreamEngine::addDsp(DspProc proc, int priority)
{
    const DspId id = m_nextDspId++;
    auto at = std::find_if(m_dsps.begin(), m_dsps.end(),
                           [priority](const Dsp &d) { return d.priority < priority; });
    m_dsps.insert(at, Dsp{id, priority, std::move(proc)});
    return id;
}

bool StreamEngine::removeDsp(DspId id)
{
    auto it = std::find_if(m_dsps.begin(), m_dsps.end(), [id](const Dsp &d) { return d.id == id; });
    if (it == m_dsps.end()) {
        return false;
    }
    m_dsps.erase(it);
    return true;
}

} // namespace melorit::audio
