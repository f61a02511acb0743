#pragma once

#include <QPointF>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The arithmetic of the main window's live indicators: channel activity
// lamps, the stereo level meter with its hold, the clipping lamp and the
// oscilloscope traces. No drawing here; the window turns these numbers into
// skin frames on each clock tick. UI thread.
namespace melorit::mainwin {

// `ChannelActivity`: the latest note velocity of each channel, decaying by 8
// per tick once drawn.
class ChannelActivity {
public:
    static constexpr int kChannels = 16;
    static constexpr int kDecayPerTick = 8;

    // A note event of the song (the note watcher): data = channel << 16 |
    // velocity << 8 | key. A louder note raises the channel; a note-off
    // (velocity 0) changes nothing.
    void onNoteEvent(std::uint32_t data);
    void raise(int channel, int velocity);

    // `DrawMeters`: the level each lamp shows on this tick (0 when dark);
    // the channels shown lit are lowered by 8, not below 0.
    std::array<int, kChannels> tick();

    // Playback stopped: every value becomes the negative of its magnitude,
    // so the lamps go dark on the next tick and the next note lights them.
    void release();

    int value(int channel) const { return m_levels[static_cast<std::size_t>(channel)]; }

private:
    std::array<int, kChannels> m_levels{};
};

// Left and right levels of the stream, 0..32768 each.
struct StereoLevel {
    int left = 0;
    int right = 0;
};

// `DrawVuMeters`: the hold levels fall by 2048 per tick and jump up to any
// louder level read.
class LevelHold {
public:
    static constexpr int kFallPerTick = 2048;

    // One tick; no level (no stream, or the read failed) only lets the
    // holds fall.
    void tick(std::optional<StereoLevel> level);

    int left() const { return m_left; }
    int right() const { return m_right; }
    // Lit segments of each side (skins::meterSegments).
    int leftSegments() const;
    int rightSegments() const;

private:
    int m_left = 0;
    int m_right = 0;
};

// The clipping lamp: lit for exactly the ticks whose block of recent output
// held a clipped sample (below -32767 or above 32766).
class ClipLamp {
public:
    static bool isClipped(std::int16_t sample) { return sample < -32767 || sample > 32766; }
    // The oscilloscope pass: every sample of the block is checked.
    void check(std::span<const std::int16_t> samples);
    // `DrawClipLed`: whether the lamp is lit on this tick; clears the flag.
    bool tick();
    bool flagged() const { return m_flag; }

private:
    bool m_flag = false;
};

// The two oscilloscope traces of a block of interleaved stereo samples: the
// left box shows the left samples, the right box the right ones, each
// thinned to about one point per pixel of the box. x runs 0..1 across the
// box, y is the sample value over 32768 (0 on the centre line, +1 at the
// top edge). An empty block gives the flat centre line.
struct ScopeTraces {
    std::vector<QPointF> left;
    std::vector<QPointF> right;
};
ScopeTraces scopeTraces(std::span<const std::int16_t> interleaved, int boxWidth);

} // namespace melorit::mainwin
