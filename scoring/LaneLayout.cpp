#include "scoring/LaneLayout.h"

#include <algorithm>
#include <cmath>

namespace melorit::scoring {
namespace {

constexpr double kMargin = 6; // pixels above and below the keys

} // namespace

LaneLayout::LaneLayout(const MelodyTarget &target, int transpose, double nowSeconds, int width,
                       int height)
    : m_now(nowSeconds), m_width(std::max(width, 1)), m_height(std::max(height, 1))
{
    int low = 127;
    int high = 0;
    for (const TargetNote &n : target.notes()) {
        low = std::min(low, n.key + transpose);
        high = std::max(high, n.key + transpose);
    }
    if (low > high) {
        low = high = 60;
    }
    const int missing = std::max(0, kMinKeys - (high - low));
    m_low = low - 1 - missing / 2;
    m_high = high + 1 + (missing - missing / 2);
}

double LaneLayout::x(double seconds) const
{
    const double nowX = m_width / 3.0;
    const double perSecond = (m_width - nowX) / kAheadSeconds;
    return nowX + (seconds - m_now) * perSecond;
}

double LaneLayout::y(double key) const
{
    const double usable = m_height - 2 * kMargin;
    return kMargin + usable * (m_high - key) / (m_high - m_low);
}

double LaneLayout::keyHeight() const
{
    return std::max(3.0, (m_height - 2 * kMargin) / (m_high - m_low));
}

bool LaneLayout::visible(double fromSeconds, double toSeconds) const
{
    return toSeconds >= m_now - kPastSeconds && fromSeconds <= m_now + kAheadSeconds;
}

float LaneLayout::foldedKey(float sung, double reference)
{
    const double octaves = std::round((reference - sung) / 12.0);
    return static_cast<float>(sung + 12.0 * octaves);
}

NoteShade LaneLayout::shade(const ScoreCard &card, int note, double nowTick, double scoredTick)
{
    const TargetNote &n = card.target().notes()[static_cast<std::size_t>(note)];
    if (nowTick < n.startTick) {
        return NoteShade::Ahead;
    }
    if (nowTick < n.endTick || scoredTick < n.endTick) {
        return NoteShade::Current;
    }
    const std::optional<int> score = card.noteScore(note);
    if (!score) {
        return NoteShade::Unsung;
    }
    return *score >= 80 ? NoteShade::Good : *score >= 50 ? NoteShade::Fair : NoteShade::Poor;
}

} // namespace melorit::scoring
