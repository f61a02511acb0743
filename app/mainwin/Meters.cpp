#include "app/mainwin/Meters.h"

#include "skins/MeterFrames.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace melorit::mainwin {

void ChannelActivity::onNoteEvent(std::uint32_t data)
{
    const int channel = static_cast<int>(data >> 16);
    const int velocity = static_cast<int>((data >> 8) & 0xFFu);
    raise(channel, velocity);
}

void ChannelActivity::raise(int channel, int velocity)
{
    if (channel < 0 || channel >= kChannels) {
        return;
    }
    int &level = m_levels[static_cast<std::size_t>(channel)];
    if (level < velocity) {
        level = velocity;
    }
}

std::array<int, ChannelActivity::kChannels> ChannelActivity::tick()
{
    std::array<int, kChannels> shown{};
    for (std::size_t ch = 0; ch < m_levels.size(); ++ch) {
        if (m_levels[ch] > 0) {
            shown[ch] = m_levels[ch];
            m_levels[ch] = std::max(0, m_levels[ch] - kDecayPerTick);
        }
    }
    return shown;
}

void ChannelActivity::release()
{
    for (int &level : m_levels) {
        level = -std::abs(level);
    }
}

void LevelHold::tick(std::optional<StereoLevel> level)
{
    m_left = std::max(0, m_left - kFallPerTick);
    m_right = std::max(0, m_right - kFallPerTick);
    if (!level) {
        return;
    }
    m_left = std::max(m_left, std::clamp(level->left, 0, skins::kMeterFullScale));
    m_right = std::max(m_right, std::clamp(level->right, 0, skins::kMeterFullScale));
}

int LevelHold::leftSegments() const
{
    return skins::meterSegments(m_left);
}

int LevelHold::rightSegments() const
{
    return skins::meterSegments(m_right);
}

void ClipLamp::check(std::span<const std::int16_t> samples)
{
    if (std::any_of(samples.begin(), samples.end(), isClipped)) {
        m_flag = true;
    }
}

bool ClipLamp::tick()
{
    const bool lit = m_flag;
    m_flag = false;
    return lit;
}

ScopeTraces scopeTraces(std::span<const std::int16_t> interleaved, int boxWidth)
{
    ScopeTraces traces;
    const std::size_t frames = interleaved.size() / 2;
    if (frames < 2 || boxWidth <= 0) {
        traces.left = {{0, 0}, {1, 0}};
        traces.right = traces.left;
        return traces;
    }
    // Whole frames, so that a box never picks up the other channel.
    const std::size_t step =
        std::max<std::size_t>(1, static_cast<std::size_t>(std::lround(
                                     static_cast<double>(frames) / static_cast<double>(boxWidth))));
    const double last = static_cast<double>(frames - 1);
    for (std::size_t f = 0; f < frames; f += step) {
        const double x = static_cast<double>(f) / last;
        traces.left.emplace_back(x, interleaved[2 * f] / 32768.0);
        traces.right.emplace_back(x, interleaved[2 * f + 1] / 32768.0);
    }
    // The trace always reaches the right edge.
    if ((frames - 1) % step != 0) {
        traces.left.emplace_back(1.0, interleaved[2 * (frames - 1)] / 32768.0);
        traces.right.emplace_back(1.0, interleaved[2 * (frames - 1) + 1] / 32768.0);
    }
    return traces;
}

} // namespace melorit::mainwin
