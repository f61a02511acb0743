#include "export/LyricsTimeline.h"

#include "audio/Format.h"
#include "audio/MidiFile.h"
#include "audio/MidiStream.h"
#include "base/TextUtil.h"
#include "lyrics/LyricsModel.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace melorit::exporting {
namespace {

using Kind = LyricsPiece::Kind;

const QByteArray kRawBreak = QByteArrayLiteral("\r\n");
const QString kBreak = QStringLiteral("\r\n");
// Line breaks of every kind become this first, then CR LF. A text that
// already holds these two Windows-1252 characters gets a break there too.
const QByteArray kPlaceholder = QByteArrayLiteral("\xA7\xB5"); // "§µ"

// Where a mark of the song is heard in the rendered audio file.
//
// The rendering seeks to the punch-in position before it applies the tempo
// factor, so that position is the song's own time at its own tempo. From
// there the song plays at TempoRatio times its own tempo (every tempo change
// of the song is sent again scaled by the factor), so a mark at song time t
// is heard TempoRatio x (t - PunchIn) seconds into the file. The end sync
// fires once the stream has played PunchOut - PunchIn seconds past its start,
// so a mark heard later is not in the file. Positions are whole frames as
// the stream counts them; the start is the frame the seek lands on.
class RenderedSection {
public:
    RenderedSection(const audio::MidiFile &song, const LyricsFileOptions &options)
        : m_song(song), m_ratio(options.TempoRatio > 0 ? options.TempoRatio : 1.0)
    {
        const double length = frameAtTick(song.lengthTicks()) / audio::kSampleRate;
        const bool on = options.PunchActive;
        if (on && options.PunchIn > 0 && options.PunchIn < length) {
            m_startFrame = framesOf(options.PunchIn);
        }
        if (on && options.PunchOut > 0 && options.PunchOut > options.PunchIn &&
            options.PunchOut < length) {
            m_endFrame = framesOf(options.PunchOut) - m_startFrame;
        }
    }

    // Seconds into the file, or nothing when the mark is not in it.
    std::optional<double> heardAt(std::uint32_t tick) const
    {
        const double frames = m_ratio * (frameAtTick(tick) - m_startFrame);
        if (frames < 0 || (m_endFrame && frames > *m_endFrame)) {
            return std::nullopt;
        }
        return frames / audio::kSampleRate;
    }

private:
    double frameAtTick(std::uint32_t tick) const
    {
        return static_cast<double>(std::llround(m_song.tempoMap().framesAt(tick)));
    }
    static double framesOf(double seconds)
    {
        return static_cast<double>(audio::MidiStream::secondsToBytes(seconds) /
                                   audio::kBytesPerFrame);
    }

    const audio::MidiFile &m_song;
    double m_ratio;
    double m_startFrame = 0;
    std::optional<double> m_endFrame;
};

// A leading "\" asks for a paragraph break, a leading "/" for a line break;
// neither is written at the very start of the lyrics.
void takeLeadingBreak(QByteArray &syllable, LyricsTimeline &pieces)
{
    const bool paragraph = syllable.startsWith('\\');
    if (!paragraph && !syllable.startsWith('/')) {
        return;
    }
    syllable.remove(0, 1);
    if (!pieces.empty()) {
        pieces.push_back({paragraph ? Kind::ParagraphBreak : Kind::LineBreak, {}, 0});
    }
}

// CR LF, LF CR, LF and CR, in that order, each become one CR LF.
void normaliseBreaks(QByteArray &syllable)
{
    for (const char *from : {"\r\n", "\n\r", "\n", "\r"}) {
        syllable.replace(from, kPlaceholder);
    }
    syllable.replace(kPlaceholder, kRawBreak);
}

int takeTrailingBreaks(QByteArray &syllable)
{
    int count = 0;
    while (syllable.endsWith(kRawBreak)) {
        syllable.chop(kRawBreak.size());
        ++count;
    }
    return count;
}

bool onlySpaces(const QByteArray &syllable)
{
    return std::all_of(syllable.begin(), syllable.end(), [](char c) { return c == ' '; });
}

// Characters as the 8-bit ".kok" file counts them: a character outside the
// 16-bit range (a surrogate pair) is one.
qsizetype fileLength(QStringView text)
{
    qsizetype length = text.size();
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i].isHighSurrogate() && text[i + 1].isLowSurrogate()) {
            --length;
            ++i;
        }
    }
    return length;
}

// Where the last line of the pieces starts: a piece and an offset in its text.
struct LinePosition {
    std::size_t piece = 0;
    qsizetype offset = 0;
};

LinePosition lastLineStart(const LyricsTimeline &pieces)
{
    for (std::size_t i = pieces.size(); i-- > 0;) {
        if (pieces[i].kind != Kind::Syllable) {
            return {i + 1, 0};
        }
        const qsizetype inside = pieces[i].text.lastIndexOf(kBreak);
        if (inside >= 0) {
            return {i, inside + kBreak.size()};
        }
    }
    return {};
}

// When the visible text of the last line and the next syllable together are
// longer than maxLength, the line is broken at its last visible space: before
// the syllable that space begins (the space is dropped), or after the
// syllable that space ends. A space inside a syllable is left alone.
void breakLongLine(LyricsTimeline &pieces, qsizetype nextLength, int maxLength)
{
    const LinePosition start = lastLineStart(pieces);
    qsizetype visible = 0;
    std::optional<LinePosition> space;
    for (std::size_t i = start.piece; i < pieces.size(); ++i) {
        const QStringView text =
            QStringView(pieces[i].text).mid(i == start.piece ? start.offset : 0);
        visible += fileLength(text);
        const qsizetype at = text.lastIndexOf(u' ');
        if (at >= 0) {
            space = LinePosition{i, at + (i == start.piece ? start.offset : 0)};
        }
    }
    if (visible + nextLength <= maxLength || !space) {
        return;
    }
    LyricsPiece &piece = pieces[space->piece];
    const bool followsSyllable =
        space->piece > 0 && pieces[space->piece - 1].kind == Kind::Syllable;
    if (space->offset == 0 && followsSyllable) {
        piece.text.remove(0, 1);
        pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(space->piece),
                      {Kind::LineBreak, {}, 0});
    } else if (space->offset == piece.text.size() - 1) {
        pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(space->piece) + 1,
                      {Kind::LineBreak, {}, 0});
    }
}

} // namespace

LyricsTimeline BuildLyricsTimeline(const audio::MidiFile &song, const lyrics::LyricsModel &lyrics,
                                   const LyricsFileOptions &options)
{
    LyricsTimeline pieces;
    const int type = lyrics.LyricMarkType();
    if (lyrics.LyricsTrack() < 0 || type < 0 || type >= audio::kMarkTypeCount) {
        return pieces;
    }
    const RenderedSection section(song, options);
    for (std::size_t i = 0;; ++i) {
        const auto mark = song.mark(static_cast<audio::MarkType>(type), i);
        if (!mark) {
            break;
        }
        if (mark->track != lyrics.LyricsTrack()) {
            continue;
        }
        const std::optional<double> time = section.heardAt(mark->tick);
        if (!time) {
            continue;
        }
        QByteArray syllable(mark->text.data(), static_cast<qsizetype>(mark->text.size()));
        if (syllable.startsWith('@')) {
            continue; // information event
        }
        takeLeadingBreak(syllable, pieces);
        syllable.replace(';', ' ');
        normaliseBreaks(syllable);
        const int trailingBreaks = takeTrailingBreaks(syllable);
        if (onlySpaces(syllable)) {
            continue; // its trailing breaks go with it
        }
        QString text = lyrics.ConvertCharset(syllable);
        if (!pieces.empty() && options.MaxLength > 0) {
            breakLongLine(pieces, fileLength(text), options.MaxLength);
        }
        pieces.push_back({Kind::Syllable, std::move(text), *time});
        for (int n = 0; n < trailingBreaks; ++n) {
            pieces.push_back({Kind::LineBreak, {}, 0});
        }
    }
    return pieces;
}

QString kokTimeText(double seconds)
{
    return text::formatNumber(seconds, u"0.0000").replace(u'.', u',');
}

std::int64_t centiseconds(double seconds)
{
    const std::int64_t tenThousandths = kokTimeText(seconds).remove(u',').toLongLong();
    return (tenThousandths + 50) / 100;
}

namespace {

// Builds the lines: a break closes the current line, a break inside a
// syllable too (the rest of the syllable starts the next line at the same
// time). Parts made only of spaces show nothing and are left out.
class LineCollector {
public:
    void add(const LyricsPiece &piece)
    {
        if (piece.kind != Kind::Syllable) {
            close();
            m_paragraph = m_paragraph || piece.kind == Kind::ParagraphBreak;
            return;
        }
        const std::int64_t start = centiseconds(piece.seconds);
        const QStringList parts = piece.text.split(kBreak);
        for (qsizetype i = 0; i < parts.size(); ++i) {
            if (i > 0) {
                close();
            }
            if (!parts[i].trimmed().isEmpty()) {
                m_current.syllables.push_back({parts[i], start});
            }
        }
    }

    std::vector<TimedLine> finish()
    {
        close();
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            const std::int64_t last = m_lines[i].syllables.back().start;
            std::int64_t end = last + kLastSyllableHold;
            if (i + 1 < m_lines.size()) {
                end = std::min(end, m_lines[i + 1].syllables.front().start);
            }
            m_lines[i].end = std::max(end, last);
        }
        return std::move(m_lines);
    }

private:
    void close()
    {
        if (m_current.syllables.empty()) {
            return;
        }
        m_current.paragraphBefore = m_paragraph && !m_lines.empty();
        m_lines.push_back(std::move(m_current));
        m_current = {};
        m_paragraph = false;
    }

    std::vector<TimedLine> m_lines;
    TimedLine m_current;
    bool m_paragraph = false;
};

} // namespace

std::vector<TimedLine> timedLines(const LyricsTimeline &timeline)
{
    LineCollector collector;
    for (const LyricsPiece &piece : timeline) {
        collector.add(piece);
    }
    return collector.finish();
}

} // namespace melorit::exporting
