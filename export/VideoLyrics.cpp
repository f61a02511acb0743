#include "export/VideoLyrics.h"

#include "export/AssWriter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace melorit::exporting {
namespace {

// The design, for a frame 720 pixels high.
constexpr double kDesignHeight = 720.0;
constexpr double kLyricsFont = 60;
constexpr double kLyricsLine = 72; // the font's line height
constexpr double kRowGap = 14;
constexpr double kBottomMargin = 40;
constexpr double kSideMargin = 40;
constexpr double kTitleFont = 80;
constexpr double kArtistFont = 52;
constexpr double kOutline = 3;
constexpr double kShadow = 1.5;
constexpr int kFadeInMs = 300;
constexpr int kFadeOutMs = 500;

int scaled(double design, VideoSize size)
{
    return std::max(1, static_cast<int>(std::lround(design * size.height / kDesignHeight)));
}

// Distance from the frame's bottom to a row's baseline box.
int rowMargin(VideoSize size, int row)
{
    const double up = row == 0 ? kLyricsLine + kRowGap : 0;
    return scaled(kBottomMargin + up, size);
}

// Yellow once sung, white before (ASS colours are &HAABBGGRR).
const QString kHeader = QStringLiteral(
    "[Script Info]\r\n"
    "; Karaoke video lyrics written by Melorit\r\n"
    "Title: %1\r\n"
    "ScriptType: v4.00+\r\n"
    "WrapStyle: 0\r\n"
    "ScaledBorderAndShadow: yes\r\n"
    "PlayResX: %2\r\n"
    "PlayResY: %3\r\n"
    "\r\n"
    "[V4+ Styles]\r\n"
    "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
    "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
    "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\r\n"
    "Style: Lyrics,Arial,%4,&H0000FFFF,&H00FFFFFF,&H00000000,&H80000000,-1,0,0,0,100,100,0,0,"
    "1,%5,%6,2,%7,%7,0,1\r\n"
    "Style: Title,Arial,%8,&H00FFFFFF,&H00FFFFFF,&H00000000,&H80000000,-1,0,0,0,100,100,0,0,"
    "1,%5,%6,5,%7,%7,0,1\r\n"
    "\r\n"
    "[Events]\r\n"
    "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n");

QString header(const LyricsTitle &title, VideoSize size)
{
    const auto pixels = [&size](double design) {
        return QString::number(design * size.height / kDesignHeight, 'f', 2);
    };
    // One pass: a "%1" in the title stays as it is.
    return kHeader.arg(
        assHeaderValue(title.title), QString::number(size.width), QString::number(size.height),
        QString::number(scaled(kLyricsFont, size)), pixels(kOutline), pixels(kShadow),
        QString::number(scaled(kSideMargin, size)), QString::number(scaled(kTitleFont, size)));
}

// Title above, artist below in a smaller size; nothing when both are empty.
QString titleCard(const LyricsTitle &title, VideoSize size)
{
    const QString name = assEscape(assHeaderValue(title.title));
    const QString artist = assEscape(assHeaderValue(title.artist));
    if (name.isEmpty() && artist.isEmpty()) {
        return {};
    }
    QString text = QStringLiteral("{\\fad(%1,%2)}").arg(kFadeInMs).arg(kFadeOutMs) + name;
    if (!artist.isEmpty()) {
        text += (name.isEmpty() ? QString() : QStringLiteral("\\N")) +
                QStringLiteral("{\\fs%1}").arg(scaled(kArtistFont, size)) + artist;
    }
    return QStringLiteral("Dialogue: 1,%1,%2,Title,,0,0,0,,%3\r\n")
        .arg(assTime(0), assTime(kVideoTitleCard), text);
}

} // namespace

VideoTextBand videoLyricsRow(VideoSize size, int row)
{
    const int bottom = size.height - rowMargin(size, row);
    return {bottom - scaled(kLyricsLine, size), bottom};
}

QByteArray RenderVideoAss(const LyricsTimeline &timeline, const LyricsTitle &title, VideoSize size)
{
    QString out = header(title, size) + titleCard(title, size);
    std::array<std::int64_t, 2> rowFree{0, 0}; // when each row is clear
    const std::vector<TimedLine> lines = timedLines(timeline);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TimedLine &line = lines[i];
        const int row = static_cast<int>(i % 2);
        const std::int64_t sung = line.syllables.front().start;
        const std::int64_t shown = std::min(sung, std::max(sung - kVideoLeadIn, rowFree[row]));
        rowFree[row] = line.end;
        const QString wait = shown < sung ? QStringLiteral("{\\k%1}").arg(sung - shown) : QString();
        out += QStringLiteral("Dialogue: 0,%1,%2,Lyrics,,0,0,%3,,%4%5\r\n")
                   .arg(assTime(shown), assTime(line.end), QString::number(rowMargin(size, row)),
                        wait, assKaraokeText(line));
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + out.toUtf8();
}

} // namespace melorit::exporting
