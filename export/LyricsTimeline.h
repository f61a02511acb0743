#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace melorit::audio {
class MidiFile;
}
namespace melorit::lyrics {
class LyricsModel;
}

// The timed lyrics of a rendered song, computed once and written in every
// lyrics file format: the syllables heard in the rendered file with their
// times, and the line and paragraph breaks, after the punch section, the
// tempo factor and the line length limit.
namespace melorit::exporting {

// How the audio file beside the lyrics files was rendered.
struct LyricsFileOptions {
    // Visible characters per line ("Lyrics"/"MaxLength"); 0 or less: no limit.
    int MaxLength = 0;
    // The song's markers. PunchIn and PunchOut are stream positions in
    // seconds, as the rendering seeks to them and sets its end sync there;
    // they only count when PunchActive is on and the song honours them (a
    // start before the song's end, an end after the start and before the
    // song's end), exactly as the rendering decides.
    bool PunchActive = false;
    double PunchIn = 0;
    double PunchOut = 0; // 0: no end
    // The user's tempo factor (1 - tempo change / 1000) the song was
    // rendered at; 1 plays the song's own tempo (0 or less is taken as 1).
    double TempoRatio = 1.0;
};

struct LyricsPiece {
    enum class Kind { Syllable, LineBreak, ParagraphBreak };
    Kind kind = Kind::Syllable;
    // A syllable's readable text, never empty or only spaces and without
    // ";". It may hold line breaks (CR LF) inside, never at its end.
    QString text;
    double seconds = 0; // into the rendered file, never negative
};

using LyricsTimeline = std::vector<LyricsPiece>;

// Reads the marks of the model's lyrics track and mark type again from the
// song; texts go through the model's ConvertCharset. Empty when the song has
// no lyrics track.
LyricsTimeline BuildLyricsTimeline(const audio::MidiFile &song, const lyrics::LyricsModel &lyrics,
                                   const LyricsFileOptions &options);

// A time as the ".kok" file writes it: "0.0000" with a comma (12,3456).
QString kokTimeText(double seconds);
// The same time in hundredths of a second, rounded from the ".kok" text so
// that every format shows the time the ".kok" file holds, to the hundredth.
std::int64_t centiseconds(double seconds);

// One displayed line of the lyrics: the timeline split at its breaks and at
// the breaks inside syllables.
struct TimedSyllable {
    QString text;
    std::int64_t start = 0; // hundredths of a second
};
struct TimedLine {
    std::vector<TimedSyllable> syllables; // at least one, in time order
    std::int64_t end = 0;                 // when the last syllable is over
    bool paragraphBefore = false;
};

// Longest a line's last syllable is held when the next line starts later.
inline constexpr std::int64_t kLastSyllableHold = 200; // hundredths

// The lines of the timeline. A line ends when the next line starts, but at
// most kLastSyllableHold after its last syllable starts.
std::vector<TimedLine> timedLines(const LyricsTimeline &timeline);

} // namespace melorit::exporting
