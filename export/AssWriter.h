#pragma once

#include "export/LyricsTimeline.h"

#include <QByteArray>
#include <QString>

// The ASS subtitle file with karaoke timing: a header with the title and
// the artist, one readable default style (unsung text white, sung text
// yellow, outlined, at the bottom centre), and one "Dialogue" event per
// lyrics line from its first syllable to its end, each syllable preceded by
// "{\k<hundredths>}", its duration, so that the durations add up to the
// line's. UTF-8 with a byte order mark, lines ended by CR LF.
namespace melorit::exporting {

QByteArray RenderAss(const LyricsTimeline &timeline, const QString &title, const QString &artist);

// A line's event text: each syllable preceded by "{\k<hundredths>}", its
// duration up to the next syllable (the last one's up to the line's end).
QString assKaraokeText(const TimedLine &line);

// A header value stays on its line: control characters become spaces.
QString assHeaderValue(const QString &text);

// "h:mm:ss.cc".
QString assTime(std::int64_t centiseconds);

// Syllable text as event text shows it literally: "{" and "}" become "\{"
// and "\}", a "\" cannot start an override ("\N", "\h", ...), line breaks
// and other control characters become spaces.
QString assEscape(const QString &text);

} // namespace melorit::exporting
