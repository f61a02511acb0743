#include "export/LyricsFileWriter.h"

#include "app/core/AtomicFile.h"
#include "app/core/CodePages.h"
#include "app/core/TextUtil.h"
#include "app/core/UserMessages.h"
#include "audio/Format.h"
#include "audio/MidiFile.h"
#include "audio/MidiStream.h"
#include "lyrics/LyricsModel.h"

#include <QDir>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <optional>

namespace melorit::exporting {
namespace {

const QByteArray kBreak = QByteArrayLiteral("\r\n");
const QByteArray kParagraph = QByteArrayLiteral("\r\n \r\n");
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
        if (on && options.PunchIn > 0 && options.PunchIn < length)
            m_startFrame = framesOf(options.PunchIn);
        if (on && options.PunchOut > 0 && options.PunchOut > options.PunchIn &&
            options.PunchOut < length)
            m_endFrame = framesOf(options.PunchOut) - m_startFrame;
    }

    // Seconds into the file, or nothing when the mark is not in it.
    std::optional<double> heardAt(std::uint32_t tick) const
    {
        const double frames = m_ratio * (frameAtTick(tick) - m_startFrame);
        if (frames < 0 || (m_endFrame && frames > *m_endFrame))
            return std::nullopt;
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

// "0.0000" with a comma: 12,3456.
QByteArray formatTime(double seconds)
{
    return text::formatNumber(seconds, u"0.0000").replace(u'.', u',').toLatin1();
}

// A leading "\" asks for a paragraph break, a leading "/" for a line break;
// neither is written at the very start of the file.
void takeLeadingBreak(QByteArray &syllable, QByteArray &out)
{
    const bool paragraph = syllable.startsWith('\\');
    if (!paragraph && !syllable.startsWith('/'))
        return;
    syllable.remove(0, 1);
    if (!out.isEmpty())
        out += paragraph ? kParagraph : kBreak;
}

// CR LF, LF CR, LF and CR, in that order, each become one CR LF.
void normaliseBreaks(QByteArray &syllable)
{
    for (const char *from : {"\r\n", "\n\r", "\n", "\r"})
        syllable.replace(from, kPlaceholder);
    syllable.replace(kPlaceholder, kBreak);
}

int takeTrailingBreaks(QByteArray &syllable)
{
    int count = 0;
    while (syllable.endsWith(kBreak)) {
        syllable.chop(kBreak.size());
        ++count;
    }
    return count;
}

bool onlySpaces(const QByteArray &syllable)
{
    for (const char c : syllable) {
        if (c != ' ')
            return false;
    }
    return true;
}

// The file holds one byte per character: a character Windows-1252 lacks,
// even one outside the 16-bit range, is one "?".
QByteArray toWindows1252(QString text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i].isHighSurrogate() && text[i + 1].isLowSurrogate())
            text.replace(i, 2, u'?');
    }
    return codepages::encodeWindows1252(text);
}

// When the visible text of the last line and the next syllable together are
// longer than maxLength, the line is broken at its last visible space: before
// the syllable that space begins (the space is dropped), or after the entry
// of the syllable that space ends. A space inside a syllable is left alone.
void breakLongLine(QByteArray &out, qsizetype nextLength, int maxLength)
{
    const qsizetype lastBreak = out.lastIndexOf(kBreak);
    const qsizetype lineStart = lastBreak < 0 ? 0 : lastBreak + kBreak.size();
    bool inText = true; // outside a time field
    qsizetype visible = 0;
    qsizetype space = -1;
    for (qsizetype i = lineStart; i < out.size(); ++i) {
        if (out[i] == ';') {
            inText = !inText;
        } else if (inText) {
            ++visible;
            if (out[i] == ' ')
                space = i;
        }
    }
    if (visible + nextLength <= maxLength || space < 0)
        return;
    if (space > 0 && out[space - 1] == ';') {
        out = out.left(space) + kBreak + out.mid(space + 1);
    } else if (space + 1 < out.size() && out[space + 1] == ';') {
        const qsizetype timeEnd = out.indexOf(';', space + 2);
        if (timeEnd >= 0)
            out.insert(timeEnd + 1, kBreak);
    }
}

} // namespace

QByteArray BuildLyricsText(const audio::MidiFile &song, const lyrics::LyricsModel &lyrics,
                           const LyricsFileOptions &options)
{
    QByteArray out;
    const int type = lyrics.LyricMarkType();
    if (lyrics.LyricsTrack() < 0 || type < 0 || type >= audio::kMarkTypeCount)
        return out;
    const RenderedSection section(song, options);
    for (std::size_t i = 0;; ++i) {
        const auto mark = song.mark(static_cast<audio::MarkType>(type), i);
        if (!mark)
            break;
        if (mark->track != lyrics.LyricsTrack())
            continue;
        const std::optional<double> time = section.heardAt(mark->tick);
        if (!time)
            continue;
        QByteArray syllable(mark->text.data(), static_cast<qsizetype>(mark->text.size()));
        if (syllable.startsWith('@'))
            continue; // information event
        takeLeadingBreak(syllable, out);
        syllable.replace(';', ' ');
        normaliseBreaks(syllable);
        const int trailingBreaks = takeTrailingBreaks(syllable);
        if (onlySpaces(syllable))
            continue; // its trailing breaks go with it
        const QByteArray text = toWindows1252(lyrics.ConvertCharset(syllable));
        if (!out.isEmpty() && options.MaxLength > 0)
            breakLongLine(out, text.size(), options.MaxLength);
        out += text + ';' + formatTime(*time) + ';';
        for (int n = 0; n < trailingBreaks; ++n)
            out += kBreak;
    }
    return out;
}

bool WriteLyricsFile(const audio::MidiFile &song, const lyrics::LyricsModel &lyrics,
                     const QString &path, const LyricsFileOptions &options)
{
    const QByteArray bytes = BuildLyricsText(song, lyrics, options) + kBreak;
    errno = 0;
    if (writeFileAtomically(path, bytes))
        return true;
    const int error = errno;
    QString text = QStringLiteral("The lyrics file could not be written:\n%1")
                       .arg(QDir::toNativeSeparators(path));
    if (error != 0)
        text += QStringLiteral("\n") + QString::fromLocal8Bit(std::strerror(error));
    showMessage(text, QStringLiteral("Error"), MessageIcon::Critical);
    return false;
}

} // namespace melorit::exporting
