#include "scoring/ScoreCard.h"

#include <cmath>

namespace melorit::scoring {

ScoreCard::ScoreCard(const MelodyTarget &target, int toleranceCents)
    : m_target(target), m_tolerance(toleranceCents), m_transpose(target.options().transpose),
      m_notes(target.notes().size())
{
}

bool ScoreCard::matches(float sungKey, int noteKey) const
{
    const double semitones = static_cast<double>(sungKey) - noteKey;
    const double inOctave = semitones - 12.0 * std::round(semitones / 12.0);
    return std::abs(inOctave) * 100.0 <= m_tolerance;
}

FrameVerdict ScoreCard::add(double tick, const PitchFrame &frame)
{
    FrameVerdict verdict;
    verdict.note = m_target.noteAt(tick);
    if (verdict.note < 0) {
        return verdict;
    }
    const TargetNote &note = m_target.notes()[static_cast<std::size_t>(verdict.note)];
    verdict.hit = frame.voiced && matches(frame.key, note.key + m_transpose);
    const double at = m_target.secondsAt(tick);
    verdict.counted = at - m_target.secondsAt(note.startTick) >= kAttackSeconds &&
                      m_target.secondsAt(note.endTick) - at >= kReleaseSeconds;
    if (verdict.counted) {
        Tally &tally = m_notes[static_cast<std::size_t>(verdict.note)];
        ++tally.frames;
        tally.hits += verdict.hit ? 1 : 0;
    }
    return verdict;
}

std::optional<int> ScoreCard::percent(const Tally &t)
{
    if (t.frames == 0) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(100.0 * t.hits / t.frames));
}

std::optional<int> ScoreCard::noteScore(int note) const
{
    if (note < 0 || note >= static_cast<int>(m_notes.size())) {
        return std::nullopt;
    }
    return percent(m_notes[static_cast<std::size_t>(note)]);
}

std::optional<int> ScoreCard::lineScore(int line) const
{
    const auto &lines = m_target.lines();
    if (line < 1 || line > static_cast<int>(lines.size())) {
        return std::nullopt;
    }
    const TargetLine &l = lines[static_cast<std::size_t>(line - 1)];
    Tally sum;
    for (int n = l.firstNote; n < l.firstNote + l.noteCount; ++n) {
        sum.frames += m_notes[static_cast<std::size_t>(n)].frames;
        sum.hits += m_notes[static_cast<std::size_t>(n)].hits;
    }
    return percent(sum);
}

std::optional<int> ScoreCard::songScore() const
{
    Tally sum;
    for (const Tally &t : m_notes) {
        sum.frames += t.frames;
        sum.hits += t.hits;
    }
    return percent(sum);
}

int ScoreCard::notesSung() const
{
    int count = 0;
    for (const Tally &t : m_notes) {
        count += t.frames > 0 ? 1 : 0;
    }
    return count;
}

} // namespace melorit::scoring
