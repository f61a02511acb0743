#include "export/AssWriter.h"

namespace melorit::exporting {
namespace {

// An invisible word joiner after every "\": a renderer then never reads the
// backslash and the character after it as one of its escapes.
constexpr char16_t kWordJoiner = u'\u2060';

const QString kHeader = QStringLiteral(
    "[Script Info]\r\n"
    "; Karaoke lyrics written by Melorit\r\n"
    "Title: %1\r\n"
    "; Artist: %2\r\n"
    "ScriptType: v4.00+\r\n"
    "WrapStyle: 0\r\n"
    "ScaledBorderAndShadow: yes\r\n"
    "PlayResX: 1280\r\n"
    "PlayResY: 720\r\n"
    "\r\n"
    "[V4+ Styles]\r\n"
    "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
    "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
    "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\r\n"
    "Style: Default,Arial,56,&H0000FFFF,&H00FFFFFF,&H00000000,&H80000000,-1,0,0,0,100,100,0,0,"
    "1,3,1,2,60,60,50,1\r\n"
    "\r\n"
    "[Events]\r\n"
    "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n");

qsizetype leadingSpaces(const QString &text)
{
    qsizetype n = 0;
    while (n < text.size() && text[n] == u' ') {
        ++n;
    }
    return n;
}

} // namespace

QString assHeaderValue(const QString &text)
{
    QString value = text;
    for (QChar &c : value) {
        if (c.unicode() < 0x20) {
            c = u' ';
        }
    }
    return value.trimmed();
}

// The space before a syllable is sung with the syllable before it.
QString assKaraokeText(const TimedLine &line)
{
    QString out;
    const std::vector<TimedSyllable> &syllables = line.syllables;
    for (std::size_t i = 0; i < syllables.size(); ++i) {
        QString text = syllables[i].text;
        const qsizetype spaces = leadingSpaces(text);
        if (i > 0) {
            out += text.left(spaces);
        }
        text.remove(0, spaces);
        if (i + 1 == syllables.size()) {
            while (text.endsWith(u' ')) {
                text.chop(1);
            }
        }
        const std::int64_t end = i + 1 < syllables.size() ? syllables[i + 1].start : line.end;
        out += QStringLiteral("{\\k%1}").arg(end - syllables[i].start) + assEscape(text);
    }
    return out;
}

QString assTime(std::int64_t centiseconds)
{
    const std::int64_t seconds = centiseconds / 100;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QChar(u'0'))
        .arg(seconds % 60, 2, 10, QChar(u'0'))
        .arg(centiseconds % 100, 2, 10, QChar(u'0'));
}

QString assEscape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'{' || c == u'}') {
            out += u'\\';
            out += c;
        } else if (c == u'\\') {
            out += u'\\';
            out += QChar(kWordJoiner);
        } else if (c.unicode() < 0x20) {
            out += u' ';
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray RenderAss(const LyricsTimeline &timeline, const QString &title, const QString &artist)
{
    QString out = kHeader.arg(assHeaderValue(title), assHeaderValue(artist));
    for (const TimedLine &line : timedLines(timeline)) {
        out += QStringLiteral("Dialogue: 0,%1,%2,Default,,0,0,0,,%3\r\n")
                   .arg(assTime(line.syllables.front().start), assTime(line.end),
                        assKaraokeText(line));
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + out.toUtf8();
}

} // namespace melorit::exporting
