// The LRC and ASS lyrics files: written from the same timeline as the
// ".kok" file, golden files of the demo song, times checked against the
// ".kok" times read back from its text, the ASS file read by ffmpeg when it
// is installed.

#include "tests/export/KokFixture.h"
#include "tests/export/KokGrammar.h"

#include "export/AssWriter.h"
#include "export/LrcWriter.h"
#include "export/LyricsFormats.h"
#include "lyrics/StreamLyricsSource.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <numeric>

using namespace melorit;
using namespace melorit::testing;
using exporting::LyricsFormat;

namespace {

const QString kDemoSong =
    QStringLiteral(MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar");

exporting::LyricsTitle titleOf(const lyrics::LyricsModel &model)
{
    return {model.ConvertCharset(model.TagTitle()), model.ConvertCharset(model.TagArtist())};
}

std::int64_t centis(const QRegularExpressionMatch &m, int first)
{
    return m.captured(first).toLongLong() * 6000 + m.captured(first + 1).toLongLong() * 100 +
           m.captured(first + 2).toLongLong();
}

// One lyrics line of an LRC file: its "[mm:ss.xx]" and its "<mm:ss.xx>"
// times; the last one closes the line.
struct LrcLine {
    std::int64_t start = 0;
    std::vector<std::int64_t> tags;
    QString text; // without the times
};

std::vector<LrcLine> parseLrc(const QByteArray &file)
{
    static const QRegularExpression line(QStringLiteral(R"(^\[(\d{2,}):(\d\d)\.(\d\d)\](.*)$)"));
    static const QRegularExpression tag(QStringLiteral(R"(<(\d{2,}):(\d\d)\.(\d\d)>)"));
    std::vector<LrcLine> lines;
    for (const QString &text : QString::fromUtf8(file).split(u'\n')) {
        const QRegularExpressionMatch m = line.match(text);
        if (!m.hasMatch()) {
            continue;
        }
        LrcLine parsed{centis(m, 1), {}, m.captured(4)};
        for (const auto &t : tag.globalMatch(m.captured(4))) {
            parsed.tags.push_back(centis(t, 1));
        }
        parsed.text.remove(tag);
        lines.push_back(std::move(parsed));
    }
    return lines;
}

struct AssLine {
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::vector<std::int64_t> durations;
    QString text;
};

std::vector<AssLine> parseAss(const QByteArray &file)
{
    static const QRegularExpression dialogue(QStringLiteral(
        R"(^Dialogue: 0,(\d+):(\d\d):(\d\d)\.(\d\d),(\d+):(\d\d):(\d\d)\.(\d\d),Default,,0,0,0,,(.*)$)"));
    static const QRegularExpression k(QStringLiteral(R"(\{\\k(\d+)\})"));
    std::vector<AssLine> lines;
    for (QString text : QString::fromUtf8(file).split(QStringLiteral("\r\n"))) {
        const QRegularExpressionMatch m = dialogue.match(text);
        if (!m.hasMatch()) {
            continue;
        }
        const auto time = [&m](int first) {
            return m.captured(first).toLongLong() * 360000 +
                   m.captured(first + 1).toLongLong() * 6000 +
                   m.captured(first + 2).toLongLong() * 100 + m.captured(first + 3).toLongLong();
        };
        AssLine parsed{time(1), time(5), {}, m.captured(9)};
        for (const auto &d : k.globalMatch(m.captured(9))) {
            parsed.durations.push_back(d.captured(1).toLongLong());
        }
        parsed.text.remove(k);
        lines.push_back(std::move(parsed));
    }
    return lines;
}

// The syllable times of a ".kok" text in hundredths, rounded from its four
// decimals; an entry broken inside counts once per visible part.
std::vector<std::int64_t> kokCentiseconds(const QByteArray &kok)
{
    const KokParse parse = parseKok(kok + "\r\n");
    EXPECT_TRUE(parse.ok) << parse.error.toStdString();
    std::vector<std::int64_t> times;
    for (const KokEntry &entry : parse.entries) {
        const std::int64_t t = (QByteArray(entry.time).replace(',', "").toLongLong() + 50) / 100;
        for (const QByteArray &part : entry.text.split('\n')) {
            if (!part.trimmed().isEmpty()) {
                times.push_back(t);
            }
        }
    }
    return times;
}

// Every format from one timeline, as the renderer writes them.
struct Rendered {
    QByteArray kok;
    QByteArray lrc;
    QByteArray ass;
};

Rendered renderAll(const audio::MidiFile &song, const lyrics::LyricsModel &model,
                   const exporting::LyricsFileOptions &options)
{
    const auto timeline = exporting::BuildLyricsTimeline(song, model, options);
    const exporting::LyricsTitle title = titleOf(model);
    return {exporting::renderLyricsFile(timeline, LyricsFormat::Kok, title),
            exporting::renderLyricsFile(timeline, LyricsFormat::Lrc, title),
            exporting::renderLyricsFile(timeline, LyricsFormat::Ass, title)};
}

// LRC and ASS show every syllable at its ".kok" time, lines in time order,
// the ASS durations adding up to each line, both formats ending lines alike.
void checkAgainstKok(const Rendered &files)
{
    const std::vector<std::int64_t> expected = kokCentiseconds(files.kok.chopped(2));
    const std::vector<LrcLine> lrc = parseLrc(files.lrc);
    const std::vector<AssLine> ass = parseAss(files.ass);
    ASSERT_EQ(lrc.size(), ass.size());
    std::vector<std::int64_t> lrcTimes;
    std::vector<std::int64_t> assTimes;
    std::int64_t previousLine = 0;
    for (std::size_t i = 0; i < lrc.size(); ++i) {
        SCOPED_TRACE(lrc[i].text.toStdString());
        ASSERT_GE(lrc[i].tags.size(), 2u);
        EXPECT_EQ(lrc[i].start, lrc[i].tags.front());
        EXPECT_GE(lrc[i].start, previousLine);
        previousLine = lrc[i].start;
        EXPECT_TRUE(std::is_sorted(lrc[i].tags.begin(), lrc[i].tags.end()));
        lrcTimes.insert(lrcTimes.end(), lrc[i].tags.begin(), lrc[i].tags.end() - 1);

        EXPECT_EQ(ass[i].start, lrc[i].start);
        EXPECT_EQ(ass[i].end, lrc[i].tags.back());
        EXPECT_EQ(
            std::accumulate(ass[i].durations.begin(), ass[i].durations.end(), std::int64_t{0}),
            ass[i].end - ass[i].start);
        std::int64_t at = ass[i].start;
        for (const std::int64_t d : ass[i].durations) {
            assTimes.push_back(at);
            at += d;
        }
    }
    EXPECT_EQ(lrcTimes, expected);
    EXPECT_EQ(assTimes, expected);
}

} // namespace

TEST(DemoSongLyrics, EveryFormatMatchesItsGoldenFile)
{
    const auto song = openSong(kDemoSong);
    ASSERT_NE(song, nullptr);
    QTemporaryDir dir;
    const QString kokPath = dir.filePath(QStringLiteral("Au clair de la lune \u00E9t\u00E9.kok"));
    ASSERT_TRUE(exporting::WriteLyricsFiles(
        song->stream->file(), song->model, kokPath,
        {LyricsFormat::Kok, LyricsFormat::Lrc, LyricsFormat::Ass}, {}, titleOf(song->model)));
    const QString data = QStringLiteral(MELORIT_SOURCE_DIR "/tests/data/");
    EXPECT_EQ(readAll(kokPath), readAll(data + QStringLiteral("kok/au-clair-de-la-lune.kok")));
    const QString base = exporting::lyricsFilePath(kokPath, LyricsFormat::Lrc).chopped(4);
    EXPECT_EQ(readAll(base + QStringLiteral(".lrc")),
              readAll(data + QStringLiteral("lyrics/au-clair-de-la-lune.lrc")));
    EXPECT_EQ(readAll(base + QStringLiteral(".ass")),
              readAll(data + QStringLiteral("lyrics/au-clair-de-la-lune.ass")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

TEST(DemoSongLyrics, OnlyTheChosenFormatsAreWritten)
{
    const auto song = openSong(kDemoSong);
    ASSERT_NE(song, nullptr);
    QTemporaryDir dir;
    const QString kokPath = dir.filePath(QStringLiteral("demo.kok"));
    ASSERT_TRUE(exporting::WriteLyricsFiles(song->stream->file(), song->model, kokPath,
                                            {LyricsFormat::Ass}, {}, titleOf(song->model)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("demo.ass")});
}

TEST(LyricsTimes, LrcAndAssShowTheKokTimes)
{
    QStringList songs{kDemoSong};
    const QDir corpus(QStringLiteral(MELORIT_CORPUS_DIR "/karaoke"));
    for (const QString &name :
         corpus.entryList({QStringLiteral("*.kar"), QStringLiteral("*.mid")})) {
        songs << corpus.filePath(name);
    }
    ASSERT_GE(songs.size(), 8);
    for (const QString &path : songs) {
        SCOPED_TRACE(path.toStdString());
        const auto song = openSong(path);
        ASSERT_NE(song, nullptr);
        for (const int limit : {0, 12}) {
            for (const bool punch : {false, true}) {
                SCOPED_TRACE(limit + (punch ? 1000 : 0));
                exporting::LyricsFileOptions options;
                options.MaxLength = limit;
                options.PunchActive = punch;
                options.PunchIn = 10.3;
                options.PunchOut = 40;
                options.TempoRatio = punch ? 0.93 : 1.0;
                const Rendered files = renderAll(song->stream->file(), song->model, options);
                checkAgainstKok(files);
            }
        }
    }
}

using LyricsFormats = KokTest;

TEST_F(LyricsFormats, PunchInShiftsEveryFormat)
{
    open(songWith({{29.0, "before "}, {31.25, "in"}, {32.5, "side"}, {45.0, "after"}}, false, 60));
    exporting::LyricsFileOptions options;
    options.PunchActive = true;
    options.PunchIn = 30;
    options.PunchOut = 40;
    const Rendered files = renderAll(m_stream->file(), m_model, options);
    EXPECT_EQ(files.kok, QByteArray("in;1,2500;side;2,5000;\r\n"));
    EXPECT_EQ(files.lrc, QByteArray("[00:01.25]<00:01.25>in<00:02.50>side<00:04.50>\n"));
    const std::vector<AssLine> ass = parseAss(files.ass);
    ASSERT_EQ(ass.size(), 1u);
    EXPECT_EQ(ass[0].start, 125);
    EXPECT_EQ(ass[0].durations, (std::vector<std::int64_t>{125, 200}));
    EXPECT_EQ(ass[0].text, QStringLiteral("inside"));
}

TEST_F(LyricsFormats, LinesEndAtTheNextLineOrAfterAHold)
{
    // "a\nb" breaks inside one syllable; "\" starts a paragraph; the line
    // after the long pause ends 2 s after its last syllable.
    open(songWith({{1.0, "Hel"}, {1.5, "lo "}, {2.0, "a\nb"}, {2.5, "c"}, {10.0, "\\Next"}}));
    const QByteArray lrc = exporting::renderLyricsFile(
        exporting::BuildLyricsTimeline(m_stream->file(), m_model, {}), LyricsFormat::Lrc, {});
    EXPECT_EQ(lrc, QByteArray("[00:01.00]<00:01.00>Hel<00:01.50>lo <00:02.00>a<00:02.00>\n"
                              "[00:02.00]<00:02.00>b<00:02.50>c<00:04.50>\n"
                              "\n"
                              "[00:10.00]<00:10.00>Next<00:12.00>\n"));
}

TEST_F(LyricsFormats, HeadersComeFromTheTagsAndStayOnTheirLine)
{
    open(songWith({{1.0, "la"}}));
    const auto timeline = exporting::BuildLyricsTimeline(m_stream->file(), m_model, {});
    const QByteArray lrc = exporting::renderLyricsFile(
        timeline, LyricsFormat::Lrc, {QStringLiteral("Ti]tre\r\nlong"), QString()});
    EXPECT_TRUE(lrc.startsWith("[ti:Ti tre  long]\n\n[00:01.00]")) << lrc.toStdString();
    EXPECT_FALSE(lrc.contains("[ar:"));
    const QByteArray ass = exporting::renderLyricsFile(
        timeline, LyricsFormat::Ass,
        {QStringLiteral("Chanson\n\u00E0 boire"), QStringLiteral("Moi")});
    EXPECT_TRUE(ass.startsWith("\xEF\xBB\xBF[Script Info]\r\n"));
    EXPECT_TRUE(ass.contains("\r\nTitle: Chanson \xC3\xA0 boire\r\n")) << ass.toStdString();
    EXPECT_TRUE(ass.contains("\r\n; Artist: Moi\r\n"));
    EXPECT_TRUE(ass.contains("\r\nStyle: Default,"));
}

TEST(AssText, BracesBackslashesAndBreaksAreShownAsText)
{
    EXPECT_EQ(exporting::assEscape(QStringLiteral("{\\k99}")), QStringLiteral("\\{\\\u2060k99\\}"));
    EXPECT_EQ(exporting::assEscape(QStringLiteral("a\\Nb\r\nc\td")),
              QStringLiteral("a\\\u2060Nb  c d"));
    EXPECT_EQ(exporting::assEscape(QStringLiteral("plain, text")), QStringLiteral("plain, text"));
}

TEST(FormatTimes, LrcAndAssClocks)
{
    EXPECT_EQ(exporting::lrcTime(0), QStringLiteral("00:00.00"));
    EXPECT_EQ(exporting::lrcTime(6099), QStringLiteral("01:00.99"));
    EXPECT_EQ(exporting::lrcTime(100 * 60 * 100 + 5), QStringLiteral("100:00.05"));
    EXPECT_EQ(exporting::assTime(0), QStringLiteral("0:00:00.00"));
    EXPECT_EQ(exporting::assTime(360000 + 6000 + 101), QStringLiteral("1:01:01.01"));
    // Rounded from the four decimals the ".kok" file shows: 1,2350 is 1.24.
    EXPECT_EQ(exporting::centiseconds(1.23496), 124);
    EXPECT_EQ(exporting::centiseconds(1.2349), 123);
}

TEST(FormatList, NamesAreReadInOneOrder)
{
    using exporting::formatsToWrite;
    using exporting::parseLyricsFormats;
    const std::vector<LyricsFormat> all{LyricsFormat::Kok, LyricsFormat::Lrc, LyricsFormat::Ass};
    EXPECT_EQ(parseLyricsFormats(u" ASS, lrc,mp3,kok ,lrc"), all);
    EXPECT_EQ(parseLyricsFormats(u"lrc"), std::vector<LyricsFormat>{LyricsFormat::Lrc});
    EXPECT_TRUE(parseLyricsFormats(u"").empty());
    EXPECT_TRUE(parseLyricsFormats(u"lrc ass").empty());
    EXPECT_EQ(formatsToWrite(u""), std::vector<LyricsFormat>{LyricsFormat::Kok});
    EXPECT_EQ(formatsToWrite(u"srt"), std::vector<LyricsFormat>{LyricsFormat::Kok});
    EXPECT_EQ(formatsToWrite(u"ass"), std::vector<LyricsFormat>{LyricsFormat::Ass});
    EXPECT_EQ(exporting::lyricsFormatsText({LyricsFormat::Ass, LyricsFormat::Kok}),
              QStringLiteral("kok,ass"));
    EXPECT_EQ(exporting::lyricsFilePath(QStringLiteral("/m/a.b/song.kok"), LyricsFormat::Lrc),
              QStringLiteral("/m/a.b/song.lrc"));
}

// ffmpeg reads the ASS file as subtitles and writes them again as SubRip:
// one cue per line, at the line's times, with the line's text.
TEST_F(LyricsFormats, FfmpegReadsTheAssFile)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty()) {
        GTEST_SKIP() << "ffmpeg is not installed (Debian package ffmpeg); ASS file not checked";
    }
    open(songWith({{1.0, "Au "}, {1.5, "{clair}"}, {2.0, " de\\N"}, {3.0, "/la, "}, {3.5, "lu"}}));
    const auto timeline = exporting::BuildLyricsTimeline(m_stream->file(), m_model, {});
    const QString path = m_dir.filePath(QStringLiteral("lune.ass"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(exporting::renderLyricsFile(timeline, LyricsFormat::Ass,
                                           {QStringLiteral("Lune"), QStringLiteral("Moi")}));
    file.close();

    QProcess process;
    process.start(ffmpeg, {QStringLiteral("-nostdin"), QStringLiteral("-v"),
                           QStringLiteral("error"), QStringLiteral("-i"), path,
                           QStringLiteral("-f"), QStringLiteral("srt"), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError(), QByteArray());
    const QString srt = QString::fromUtf8(process.readAllStandardOutput());
    QStringList cues = srt.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(cues.size(), 2) << srt.toStdString();
    EXPECT_TRUE(cues[0].contains(QStringLiteral("00:00:01,000 --> 00:00:03,000")));
    EXPECT_TRUE(cues[1].contains(QStringLiteral("00:00:03,000 --> 00:00:05,500")));
    static const QRegularExpression html(QStringLiteral("<[^>]*>"));
    const QString first = cues[0].section(u'\n', 2).remove(html);
    // The karaoke timings are read as overrides; the braces of the text
    // stay text, escaped as the ASS escapes them.
    EXPECT_EQ(first, QStringLiteral("Au \\{clair\\} de\\\u2060N"));
    EXPECT_EQ(cues[1].section(u'\n', 2).remove(html), QStringLiteral("la, lu"));
}
