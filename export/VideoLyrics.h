#pragma once

#include "export/LyricsFormats.h"
#include "export/LyricsTimeline.h"
#include "export/VideoSettings.h"

#include <QByteArray>

// The subtitles the karaoke video draws: the lines and "{\k}" timing of the
// ASS lyrics file, laid out for a screen. Lines take turns on two rows at
// the bottom, so the next line can be read while one is sung: each shows up
// to kVideoLeadIn before its first syllable (an empty "{\k}" holds its
// colour until then) once the line before it on its row is over. A title
// card with the title and the artist fills the middle of the first seconds.
// Sizes are pixels of the frame, scaled from a 720-line design.
namespace melorit::exporting {

// How long a line may show before it is sung, and the title card.
inline constexpr std::int64_t kVideoLeadIn = 500;    // hundredths
inline constexpr std::int64_t kVideoTitleCard = 500; // hundredths

// The pixel rows (from the top) a lyrics row's text takes: row 0 is the
// upper one, row 1 the lower one. Line i of the song is on row i % 2.
struct VideoTextBand {
    int top = 0;
    int bottom = 0;
};
VideoTextBand videoLyricsRow(VideoSize size, int row);

QByteArray RenderVideoAss(const LyricsTimeline &timeline, const LyricsTitle &title, VideoSize size);

} // namespace melorit::exporting
