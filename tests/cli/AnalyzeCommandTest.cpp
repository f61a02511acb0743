// "melorit-cli analyze": the JSON and readable forms of a song's analysis.

#include "tests/cli/CliRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <set>

using namespace melorit;
using namespace melorit::testing;

namespace {

using Analyze = CliTest;

std::set<QString> keysOf(const QJsonObject &object)
{
    const QStringList keys = object.keys();
    return {keys.begin(), keys.end()};
}

std::set<QString> keySet(std::initializer_list<const char *> names)
{
    std::set<QString> keys;
    for (const char *name : names) {
        keys.insert(QString::fromLatin1(name));
    }
    return keys;
}

QJsonDocument parseJson(const QString &text)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document;
}

} // namespace

TEST_F(Analyze, JsonOfOneSongHasExactlyTheDocumentedKeys)
{
    const CliRun run = runCli({QStringLiteral("analyze"), QStringLiteral("--json"), demoSong()});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    const QJsonDocument document = parseJson(run.out);
    ASSERT_TRUE(document.isObject());
    const QJsonObject song = document.object();
    EXPECT_EQ(keysOf(song), keySet({"file", "lengthSeconds", "lengthTicks", "lyricsTrack",
                                    "lyricMarkType", "detectedCharset", "tagTitle", "tagArtist",
                                    "melodyChannel", "minLineGap", "syllables", "lines"}));
    const QJsonArray syllables = song[u"syllables"].toArray();
    const QJsonArray lines = song[u"lines"].toArray();
    ASSERT_EQ(syllables.size(), 44);
    ASSERT_EQ(lines.size(), 8);
    for (const QJsonValue &s : syllables) {
        EXPECT_EQ(keysOf(s.toObject()), keySet({"line", "start", "length", "time", "markIndex",
                                                "bytePos", "tick", "text"}));
    }
    for (const QJsonValue &l : lines) {
        EXPECT_EQ(keysOf(l.toObject()), keySet({"text", "bytePos", "tick", "time"}));
    }

    // The demo song: Soft Karaoke text events in track 1 after six "@"
    // events, two bars of introduction at 96 bpm (5 s, tick 3840), the tune
    // on channel 0, one line every two bars.
    EXPECT_EQ(song[u"file"].toString(), demoSong());
    EXPECT_EQ(song[u"lengthTicks"].toInteger(), 19 * 1920);
    EXPECT_GT(song[u"lengthSeconds"].toDouble(), 45.0);
    EXPECT_EQ(song[u"lyricsTrack"].toInt(), 1);
    EXPECT_EQ(song[u"lyricMarkType"].toInt(), 3);
    EXPECT_EQ(song[u"detectedCharset"].toInt(), 0);
    EXPECT_EQ(song[u"tagTitle"].toString(), QStringLiteral("Au clair de la lune"));
    EXPECT_EQ(song[u"tagArtist"].toString(), QStringLiteral("Traditionnel"));
    EXPECT_EQ(song[u"melodyChannel"].toInt(), 0);
    EXPECT_EQ(song[u"minLineGap"].toInt(), 2 * 1920);
    const QJsonObject first = syllables[0].toObject();
    EXPECT_EQ(first[u"text"].toString(), QStringLiteral("Au"));
    EXPECT_EQ(first[u"line"].toInt(), 1);
    EXPECT_EQ(first[u"start"].toInt(), 0);
    EXPECT_EQ(first[u"length"].toInt(), 2);
    EXPECT_EQ(first[u"tick"].toInt(), 3840);
    EXPECT_DOUBLE_EQ(first[u"time"].toDouble(), 5.0);
    EXPECT_EQ(first[u"bytePos"].toInt(), 5 * 44100 * 4);
    EXPECT_EQ(first[u"markIndex"].toInt(), 6);
    EXPECT_EQ(syllables[1].toObject()[u"text"].toString(), QStringLiteral(" clair"));
    EXPECT_EQ(syllables[1].toObject()[u"start"].toInt(), 2);
    EXPECT_EQ(syllables[43].toObject()[u"markIndex"].toInt(), 6 + 43);
    EXPECT_EQ(lines[2].toObject()[u"text"].toString(), QStringLiteral("Pr\u00EAte-moi ta plume"));
    EXPECT_EQ(lines[2].toObject()[u"tick"].toInt(), 3840 + 2 * 2 * 1920);
    EXPECT_DOUBLE_EQ(lines[2].toObject()[u"time"].toDouble(), 15.0);
    EXPECT_EQ(lines[2].toObject()[u"bytePos"].toInt(), 15 * 44100 * 4);
}

TEST_F(Analyze, JsonTextsAreConvertedFromTheSongsEncoding)
{
    // Bytes 130 (twice) and 133 vote for DOS code page 850: é and à.
    const QString dos = write(QStringLiteral("dos.mid"),
                              songWith({{0, "\\Caf\x82"}, {480, "\x85"}, {960, "/l\x82"}}));
    const CliRun run = runCli({QStringLiteral("analyze"), QStringLiteral("--json"), dos});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject song = parseJson(run.out).object();
    EXPECT_EQ(song[u"detectedCharset"].toInt(), 1);
    const QJsonArray syllables = song[u"syllables"].toArray();
    ASSERT_EQ(syllables.size(), 3);
    EXPECT_EQ(syllables[0].toObject()[u"text"].toString(), QStringLiteral("Caf\u00E9"));
    EXPECT_EQ(syllables[1].toObject()[u"text"].toString(), QStringLiteral("\u00E0"));
    EXPECT_EQ(song[u"lines"].toArray()[0].toObject()[u"text"].toString(),
              QStringLiteral("Caf\u00E9\u00E0"));
}

TEST_F(Analyze, SeveralSongsGiveAnArrayInTheirOrder)
{
    // Three lines 480 and 960 ticks apart, then a song of one line: each song
    // is analysed on its own, so the second gap is not carried over.
    const QString lines =
        write(QStringLiteral("lines.mid"), songWith({{0, "/a"}, {480, "/b"}, {1440, "/c"}}));
    const QString oneLine = write(QStringLiteral("one.mid"), songWith({{0, "solo"}}));
    fixtures::MidiFileBuilder silent(1, 480);
    silent.addTrack().note(0, 60, 100, 0, 480);
    const QString noLyrics = write(QStringLiteral("silent.mid"), silent);
    const QString missing = m_dir.filePath(QStringLiteral("missing.mid"));

    const CliRun run = runCli(
        {QStringLiteral("analyze"), QStringLiteral("--json"), lines, missing, oneLine, noLyrics});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(missing + QStringLiteral(": the file cannot be opened")))
        << run.err.toStdString();
    const QJsonDocument document = parseJson(run.out);
    ASSERT_TRUE(document.isArray());
    const QJsonArray songs = document.array();
    ASSERT_EQ(songs.size(), 3);
    EXPECT_EQ(songs[0].toObject()[u"file"].toString(), lines);
    EXPECT_EQ(songs[0].toObject()[u"minLineGap"].toInt(), 480);
    EXPECT_EQ(songs[1].toObject()[u"file"].toString(), oneLine);
    EXPECT_EQ(songs[1].toObject()[u"minLineGap"].toInt(), 0);
    const QJsonObject none = songs[2].toObject();
    EXPECT_EQ(none[u"lyricsTrack"].toInt(), -1);
    EXPECT_EQ(none[u"melodyChannel"].toInt(), -1);
    EXPECT_EQ(none[u"detectedCharset"].toInt(), -1);
    EXPECT_TRUE(none[u"syllables"].toArray().isEmpty());
    EXPECT_TRUE(none[u"lines"].toArray().isEmpty());
    EXPECT_EQ(none[u"tagTitle"].toString(), QString());
}

TEST_F(Analyze, SummaryShowsTheSongAndItsLines)
{
    const CliRun run = runCli({QStringLiteral("analyze"), demoSong()});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList out = run.out.split(u'\n');
    EXPECT_EQ(out.value(0), demoSong());
    for (const char *expected :
         {"  Title:          Au clair de la lune", "  Artist:         Traditionnel",
          "  Encoding:       Windows-1252", "  Melody channel: 0", "  Lines:          8",
          "  Lyrics:         track 1 (text events)"}) {
        EXPECT_TRUE(out.contains(QString::fromLatin1(expected))) << expected;
    }
    EXPECT_TRUE(out.contains(QStringLiteral("     3     15.000  Pr\u00EAte-moi ta plume")))
        << run.out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("     8     40.000  pour l'amour de Dieu.")));

    // Several songs: one block each, a blank line between.
    const QString other = write(QStringLiteral("other.mid"), songWith({{0, "solo"}}));
    const CliRun two = runCli({QStringLiteral("analyze"), other, demoSong()});
    EXPECT_EQ(two.status, 0);
    EXPECT_TRUE(two.out.startsWith(other + u'\n'));
    EXPECT_TRUE(two.out.contains(QStringLiteral("\n\n") + demoSong() + u'\n'));
    EXPECT_TRUE(two.out.contains(QStringLiteral("  Melody channel: none")));
}

TEST(AnalyzeUsage, HelpAndUsageErrors)
{
    const CliRun help = runCli({QStringLiteral("analyze"), QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("usage: melorit-cli analyze [--json] FILE...")));
    const CliRun programHelp = runCli({QStringLiteral("--help")});
    EXPECT_TRUE(programHelp.out.contains(QStringLiteral("analyze")));
    for (const QStringList &arguments :
         {QStringList{QStringLiteral("analyze")},
          QStringList{QStringLiteral("analyze"), QStringLiteral("--json")},
          QStringList{QStringLiteral("analyze"), QStringLiteral("--xml"),
                      QStringLiteral("a.mid")}}) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QStringLiteral("analyze --help")));
    }
}
