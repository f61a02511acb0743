#include "scoring/MelodyTarget.h"

#include "audio/Format.h"
#include "audio/MidiFile.h"
#include "lyrics/LyricsModel.h"

#include <algorithm>
#include <array>
#include <deque>

namespace melorit::scoring {
namespace {

// The note events of one channel from every track, in time order; at equal
// ticks a note-off comes first, so it ends the note before a new one starts.
std::vector<audio::NoteEvent> channelEvents(const audio::MidiFile &file, int channel)
{
    std::vector<audio::NoteEvent> events;
    for (int t = 0; t < file.trackCount(); ++t) {
        for (const audio::NoteEvent &e : file.notes(t)) {
            if (e.channel == channel) {
                events.push_back(e);
            }
        }
    }
    std::stable_sort(events.begin(), events.end(), [](const auto &a, const auto &b) {
        if (a.tick != b.tick) {
            return a.tick < b.tick;
        }
        return (a.velocity == 0) > (b.velocity == 0);
    });
    return events;
}

// Note-ons paired with their note-offs; a key struck again ends its sounding
// note, a note never released ends with the song.
std::vector<TargetNote> pairNotes(const std::vector<audio::NoteEvent> &events, double songEnd)
{
    std::vector<TargetNote> notes;
    std::array<std::deque<std::size_t>, 128> sounding;
    for (const audio::NoteEvent &e : events) {
        auto &open = sounding[static_cast<std::size_t>(std::clamp(e.key, 0, 127))];
        if (!open.empty()) {
            notes[open.front()].endTick = e.tick;
            open.pop_front();
        }
        if (e.velocity > 0) {
            open.push_back(notes.size());
            notes.push_back({static_cast<double>(e.tick), songEnd, e.key, 0});
        }
    }
    return notes;
}

// One note at a time: the highest of notes struck together, each cut where
// the next one starts.
std::vector<TargetNote> oneAtATime(std::vector<TargetNote> notes)
{
    std::sort(notes.begin(), notes.end(), [](const auto &a, const auto &b) {
        return a.startTick != b.startTick ? a.startTick < b.startTick : a.key > b.key;
    });
    std::vector<TargetNote> line;
    for (const TargetNote &n : notes) {
        if (!line.empty() && line.back().startTick == n.startTick) {
            continue;
        }
        if (!line.empty()) {
            line.back().endTick = std::min(line.back().endTick, n.startTick);
        }
        line.push_back(n);
    }
    return line;
}

struct LineSpan {
    double first = 0; // first syllable
    double last = 0;  // last syllable
};

std::vector<LineSpan> lineSpans(const lyrics::LyricsModel &lyrics)
{
    std::vector<LineSpan> spans(static_cast<std::size_t>(lyrics.LineCount()));
    std::vector<bool> seen(spans.size(), false);
    for (int i = 1; i <= lyrics.SyllableCount(); ++i) {
        const lyrics::LyricSyllable &s = lyrics.syllable(i);
        if (s.Line < 1 || s.Line > lyrics.LineCount()) {
            continue;
        }
        const auto index = static_cast<std::size_t>(s.Line - 1);
        if (!seen[index]) {
            spans[index] = {static_cast<double>(s.Tick), static_cast<double>(s.Tick)};
            seen[index] = true;
        }
        spans[index].last = std::max(spans[index].last, static_cast<double>(s.Tick));
        spans[index].first = std::min(spans[index].first, static_cast<double>(s.Tick));
    }
    return spans;
}

} // namespace

MelodyTarget MelodyTarget::build(const audio::MidiFile &file, const lyrics::LyricsModel &lyrics,
                                 const TargetOptions &options)
{
    MelodyTarget target(file.tempoMap());
    target.m_options = options;
    if (target.m_options.tempoRatio <= 0) {
        target.m_options.tempoRatio = 1.0;
    }
    target.m_channel = lyrics.nCanalLyrics();
    for (int i = 1; i <= lyrics.LineCount(); ++i) {
        const lyrics::LyricLine &line = lyrics.line(i);
        target.m_lines.push_back(
            {lyrics.ConvertCharset(line.LineText), static_cast<double>(line.LineTick), 0, 0});
    }
    if (lyrics.LineCount() == 0) {
        target.m_problem = Problem::NoLyrics;
        return target;
    }
    if (target.m_channel < 0) {
        target.m_problem = Problem::NoMelody;
        return target;
    }
    target.collectNotes(file);
    target.keepSungNotes(lyrics, file.ticksPerQuarter() / 4);
    if (target.m_notes.empty()) {
        target.m_problem = Problem::NoNotes;
    }
    return target;
}

void MelodyTarget::collectNotes(const audio::MidiFile &file)
{
    // Too short to sing: grace notes go before they can cut a longer note,
    // and notes left too short by the next one go after.
    const auto tooShort = [this](const TargetNote &n) {
        return secondsAt(n.endTick) - secondsAt(n.startTick) < kMinNoteSeconds;
    };
    std::vector<TargetNote> notes = pairNotes(channelEvents(file, m_channel), file.lengthTicks());
    std::erase_if(notes, tooShort);
    notes = oneAtATime(std::move(notes));
    std::erase_if(notes, tooShort);
    m_notes = std::move(notes);
}

// Keeps the notes that start within a line, from a little before its first
// syllable to a little after its last, and numbers them with the line.
void MelodyTarget::keepSungNotes(const lyrics::LyricsModel &lyrics, double lead)
{
    const std::vector<LineSpan> spans = lineSpans(lyrics);
    std::vector<TargetNote> kept;
    for (TargetNote note : m_notes) {
        for (std::size_t i = spans.size(); i-- > 0;) {
            if (note.startTick < spans[i].first - lead) {
                continue;
            }
            if (note.startTick <= spans[i].last + lead) {
                note.line = static_cast<int>(i) + 1;
                kept.push_back(note);
            }
            break;
        }
    }
    m_notes = std::move(kept);
    for (std::size_t n = 0; n < m_notes.size(); ++n) {
        TargetLine &line = m_lines[static_cast<std::size_t>(m_notes[n].line - 1)];
        if (line.noteCount == 0) {
            line.firstNote = static_cast<int>(n);
        }
        ++line.noteCount;
    }
}

double MelodyTarget::secondsAt(double tick) const
{
    return m_options.tempoRatio * m_tempo.framesAt(tick) / audio::kSampleRate;
}

double MelodyTarget::tickAt(double seconds) const
{
    return m_tempo.tickAt(seconds / m_options.tempoRatio * audio::kSampleRate);
}

int MelodyTarget::noteAt(double tick) const
{
    const int n = firstNoteEndingAfter(tick);
    if (n < static_cast<int>(m_notes.size()) &&
        m_notes[static_cast<std::size_t>(n)].startTick <= tick) {
        return n;
    }
    return -1;
}

int MelodyTarget::firstNoteEndingAfter(double tick) const
{
    const auto it = std::upper_bound(m_notes.begin(), m_notes.end(), tick,
                                     [](double t, const TargetNote &n) { return t < n.endTick; });
    return static_cast<int>(it - m_notes.begin());
}

} // namespace melorit::scoring
