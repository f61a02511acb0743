#pragma once

#include "audio/TempoMap.h"

#include <QString>

#include <vector>

namespace melorit::audio {
class MidiFile;
} // namespace melorit::audio

namespace melorit::lyrics {
class LyricsModel;
} // namespace melorit::lyrics

namespace melorit::scoring {

// How the song is played: what the singer hears.
struct TargetOptions {
    int transpose = 0;       // semitones
    double tempoRatio = 1.0; // seconds played per second of the song (the user's tempo factor)
};

// A note the singer is asked to sing: the melody channel's, one at a time.
struct TargetNote {
    double startTick = 0;
    double endTick = 0;
    int key = 0;  // the song's own key; the transposition is added when scoring
    int line = 0; // 1-based lyrics line
};

struct TargetLine {
    QString text;      // after the song's text encoding
    double tick = 0;   // its first syllable
    int firstNote = 0; // index in notes()
    int noteCount = 0;
};

// The melody line a singer is scored against: the notes of the melody
// channel found by the lyrics analysis that fall within the lyrics lines,
// made one note at a time (a chord keeps its highest note, a note ends where
// the next begins), without notes shorter than kMinNoteSeconds as played.
// Instrumental passages of the melody channel between lines are not sung and
// so not scored. Any thread.
class MelodyTarget {
public:
    static constexpr double kMinNoteSeconds = 0.080;

    enum class Problem {
        None,
        NoLyrics, // nothing to sing
        NoMelody, // the analysis found no melody channel
        NoNotes,  // the melody channel has no note within the lyrics
    };

    static MelodyTarget build(const audio::MidiFile &file, const lyrics::LyricsModel &lyrics,
                              const TargetOptions &options);

    Problem problem() const { return m_problem; }
    int channel() const { return m_channel; }
    const TargetOptions &options() const { return m_options; }
    const std::vector<TargetNote> &notes() const { return m_notes; }
    const std::vector<TargetLine> &lines() const { return m_lines; }

    // Seconds from the song's start as played, and back.
    double secondsAt(double tick) const;
    double tickAt(double seconds) const;
    // The note sounding at a tick, or -1.
    int noteAt(double tick) const;
    // The first note that ends after a tick (notes().size() when none).
    int firstNoteEndingAfter(double tick) const;

private:
    explicit MelodyTarget(audio::TempoMap tempo) : m_tempo(std::move(tempo)) {}
    void collectNotes(const audio::MidiFile &file);
    void keepSungNotes(const lyrics::LyricsModel &lyrics, double lead);

    audio::TempoMap m_tempo;
    TargetOptions m_options;
    Problem m_problem = Problem::None;
    int m_channel = -1;
    std::vector<TargetNote> m_notes;
    std::vector<TargetLine> m_lines;
};

} // namespace melorit::scoring
