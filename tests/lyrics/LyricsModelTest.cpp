#include "lyrics/LyricsModel.h"
#include "audio/MidiStream.h"
#include "lyrics/StreamLyricsSource.h"
#include "tests/support/MidiFileBuilder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>

using namespace melorit;
using melorit::fixtures::MidiFileBuilder;
using melorit::lyrics::LyricsModel;

namespace {

struct Syl {
    std::uint32_t tick;
    std::string text;
};

// A format 1 song at 120 bpm, 480 ticks a quarter: a tempo track, then one
// track with the given text (or lyric) events.
MidiFileBuilder songWith(std::initializer_list<Syl> syllables, bool asLyrics = false)
{
    MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    auto &words = file.addTrack();
    for (const Syl &s : syllables) {
        words.at(s.tick);
        if (asLyrics) {
            words.lyric(s.text);
        } else {
            words.text(s.text);
        }
    }
    return file;
}

class LyricsTest : public ::testing::Test {
protected:
    // Opens the file as a decoding stream and runs the analysis a song open runs.
    void analyse(const MidiFileBuilder &file)
    {
        const auto path = std::filesystem::path(m_dir.path().toStdString()) /
                          ("song" + std::to_string(m_songs++) + ".mid");
        ASSERT_TRUE(file.writeTo(path));
        analyseFile(path.string());
    }

    void analyseFile(const std::string &path)
    {
        m_stream = audio::MidiStream::openFile(path, {});
        ASSERT_NE(m_stream, nullptr);
        lyrics::StreamLyricsSource source(*m_stream);
        m_model.resetForNewSong();
        m_model.InitLyrics(source);
        m_model.FindMelodyChannel(source);
    }

    QString lineText(int line) const { return m_model.ConvertCharset(m_model.line(line).LineText); }

    QTemporaryDir m_dir;
    int m_songs = 0;
    std::unique_ptr<audio::MidiStream> m_stream;
    LyricsModel m_model;
};

} // namespace

TEST_F(LyricsTest, SlashAndBackslashStartLines)
{
    analyse(songWith({{0, "\\Hel"}, {240, "lo"}, {960, "/World"}}));
    ASSERT_EQ(m_model.LineCount(), 2);
    EXPECT_EQ(lineText(1), u"Hello");
    EXPECT_EQ(lineText(2), u"World");
    ASSERT_EQ(m_model.SyllableCount(), 3);
    EXPECT_EQ(m_model.syllable(1).Start, 0);
    EXPECT_EQ(m_model.syllable(2).Start, 3);
    EXPECT_EQ(m_model.syllable(2).Length, 2);
    EXPECT_EQ(m_model.syllable(3).Start, 0);
    EXPECT_EQ(m_model.syllable(3).Line, 2);
    EXPECT_EQ(m_model.syllableBytes(2), QByteArray("lo"));
    EXPECT_EQ(m_model.line(2).LineTick, 960);
}

TEST_F(LyricsTest, TimesFollowTheTempoMap)
{
    analyse(songWith({{480, "one"}, {960, "two"}}));
    ASSERT_EQ(m_model.SyllableCount(), 2);
    // 120 bpm: a quarter note is half a second, 88200 bytes.
    EXPECT_NEAR(m_model.syllable(1).Time, 0.5, 1e-9);
    EXPECT_EQ(m_model.syllable(1).BytePos, 88200);
    EXPECT_EQ(m_model.syllable(2).Tick, 960);
    EXPECT_NEAR(m_model.line(1).LineTime, 0.5, 1e-6);
    EXPECT_EQ(m_model.syllable(2).MarkIndex, 1);
}

TEST_F(LyricsTest, LineBreakInsideASyllableEndsTheLineAfterIt)
{
    analyse(songWith({{0, "Row\r"}, {100, "boat\n"}, {200, "gent"}, {300, "ly"}}));
    ASSERT_EQ(m_model.LineCount(), 3);
    EXPECT_EQ(lineText(1), u"Row");
    EXPECT_EQ(lineText(2), u"boat");
    EXPECT_EQ(lineText(3), u"gently");
}

TEST_F(LyricsTest, SemicolonsAndSpaces)
{
    analyse(songWith({{0, "x"}, {10, ";a;b"}, {20, "/;a;b"}, {30, "  c  d"}}));
    ASSERT_EQ(m_model.LineCount(), 2);
    EXPECT_EQ(lineText(1), u"x a b");
    EXPECT_EQ(lineText(2), u"a b c d");
}

TEST_F(LyricsTest, EmptiedSyllableIsKeptAndStartsTheLine)
{
    analyse(songWith({{0, "first"}, {100, "/;"}, {200, "next"}}));
    ASSERT_EQ(m_model.SyllableCount(), 3);
    EXPECT_EQ(m_model.syllable(2).Length, 0);
    EXPECT_EQ(m_model.syllable(2).Line, 2);
    EXPECT_EQ(m_model.syllable(3).Start, 0);
    ASSERT_EQ(m_model.LineCount(), 2);
    // The line text was still empty at "next", so the line starts there.
    EXPECT_EQ(m_model.line(2).LineTick, 200);
    EXPECT_EQ(lineText(2), u"next");
}

TEST_F(LyricsTest, EmptiedSyllablesAfterTheLastTextEndTheLastLine)
{
    // "boat\r" asks for a new line; the closing "\n" and ";" then start one
    // that never gets any text.
    analyse(songWith({{0, "Row"}, {100, "boat\r"}, {200, "\n"}, {300, ";"}}));
    ASSERT_EQ(m_model.LineCount(), 1);
    ASSERT_EQ(m_model.SyllableCount(), 4);
    for (const int i : {3, 4}) {
        EXPECT_EQ(m_model.syllable(i).Line, 1);
        EXPECT_EQ(m_model.syllable(i).Start, 7);
        EXPECT_EQ(m_model.syllable(i).Length, 0);
        EXPECT_EQ(m_model.syllableBytes(i), QByteArray());
    }
    EXPECT_EQ(m_model.syllable(4).Tick, 300);
    EXPECT_EQ(lineText(1), u"Rowboat");
}

TEST_F(LyricsTest, OnlyEmptiedSyllablesGiveNoLinesAndNoSyllables)
{
    analyse(songWith({{0, "\r"}, {100, "\n"}, {200, "/;"}}));
    EXPECT_EQ(m_model.LyricsTrack(), 1);
    EXPECT_EQ(m_model.LineCount(), 0);
    EXPECT_EQ(m_model.SyllableCount(), 0);
}

TEST_F(LyricsTest, TitleAndArtistFromTheFirstTwoInformationEvents)
{
    analyse(songWith({{0, "@KMIDI KARAOKE FILE"},
                      {0, "@TMy Song"},
                      {0, "@LENGL"},
                      {0, "@T  Some Body "},
                      {0, "@TThird"},
                      {480, "La"}}));
    EXPECT_EQ(m_model.TagTitle(), QByteArray("My Song"));
    EXPECT_EQ(m_model.TagArtist(), QByteArray("Some Body"));
    EXPECT_EQ(m_model.SyllableCount(), 1);
}

TEST_F(LyricsTest, TextTrackWinsOnlyWithStrictlyMoreEvents)
{
    MidiFileBuilder tie(1, 480);
    tie.addTrack().tempo(500000);
    tie.addTrack().at(0).lyric("a").at(10).lyric("b");
    tie.addTrack().at(0).text("x").at(10).text("y");
    analyse(tie);
    EXPECT_EQ(m_model.LyricsTrack(), 1);
    EXPECT_EQ(m_model.LyricMarkType(), lyrics::kMarkLyric);
    EXPECT_EQ(m_model.LyricSyncType(), 0x10002u);

    MidiFileBuilder more(1, 480);
    more.addTrack().tempo(500000);
    more.addTrack().at(0).lyric("a").at(10).lyric("b");
    more.addTrack().at(0).text("x").at(10).text("y").at(20).text("z");
    analyse(more);
    EXPECT_EQ(m_model.LyricsTrack(), 2);
    EXPECT_EQ(m_model.LyricMarkType(), lyrics::kMarkText);
    EXPECT_EQ(m_model.LyricSyncType(), 0x10003u);
}

TEST_F(LyricsTest, NoLyricsLeavesEverythingEmpty)
{
    MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000).note(0, 60, 100, 0, 480);
    analyse(file);
    EXPECT_EQ(m_model.LyricsTrack(), -1);
    EXPECT_EQ(m_model.SyllableCount(), 0);
    EXPECT_EQ(m_model.LineCount(), 0);
    EXPECT_EQ(m_model.nCanalLyrics(), -1);
}

TEST_F(LyricsTest, MinLineGapIsCarriedOverBySongsWithOneLine)
{
    analyse(songWith({{0, "a"}, {960, "/b"}, {1200, "/c"}, {3000, "/d"}}));
    EXPECT_EQ(m_model.MinLineGap(), 240);
    analyse(songWith({{0, "only"}, {100, "line"}}));
    EXPECT_EQ(m_model.LineCount(), 1);
    EXPECT_EQ(m_model.MinLineGap(), 240);
    analyse(songWith({{0, "a"}, {5000, "/b"}}));
    EXPECT_EQ(m_model.MinLineGap(), 240) << "the last line only lowers the gap";
    analyse(songWith({{0, "a"}, {5000, "/b"}, {9000, "/c"}}));
    EXPECT_EQ(m_model.MinLineGap(), 4000)
        << "the second line, closed mid-song, sets the gap (5000); the last lowers it";
}

TEST_F(LyricsTest, DosVoteWinsAndConvertsAccents)
{
    // Bytes 133 and 130 twice each (DOS), 233 once (Windows).
    analyse(songWith({{0, "d\x85j\x82"}, {10, "\x85t\x82"}, {20, "\xE9"}}));
    EXPECT_EQ(m_model.charset().DetectedCharset(), lyrics::CharsetDetector::Dos);
    EXPECT_EQ(m_model.ConvertCharset("\x82t\x82"), u"été");
}

TEST_F(LyricsTest, CharsetVoteRules)
{
    lyrics::CharsetDetector d;
    d.DetectCharset("\x88");
    EXPECT_EQ(d.DetectedCharset(), lyrics::CharsetDetector::Dos) << "136 is DOS before Mac";
    d.DetectCharset("\x8E\x8E");
    EXPECT_EQ(d.DetectedCharset(), lyrics::CharsetDetector::Mac);
    d.DetectCharset("plain");
    EXPECT_EQ(d.DetectedCharset(), lyrics::CharsetDetector::Mac) << "no high byte: unchanged";
    d.DetectCharset("*RAZ*");
    EXPECT_EQ(d.DetectedCharset(), lyrics::CharsetDetector::Unknown);
    d.DetectCharset("\xE9\x82");
    EXPECT_EQ(d.DetectedCharset(), lyrics::CharsetDetector::Ansi) << "a tie goes to the lower";
    d.reset();
    d.DetectCharset("\x99");
    EXPECT_EQ(d.DetectedCharset(), lyrics::CharsetDetector::Unknown);
    EXPECT_EQ(d.ConvertCharset("\x99\xE9"), u"™é");
}

TEST_F(LyricsTest, Utf8LyricsAreShownAsUtf8)
{
    analyse(songWith({{0, "\\Fr\xC3\xA8"}, {100, "re Jac"}, {200, "/ques, dor\xC5\x8F"}}));
    EXPECT_EQ(m_model.charset().DetectedCharset(), lyrics::CharsetDetector::Utf8);
    EXPECT_EQ(lineText(1), u"Frère Jac");
    EXPECT_EQ(lineText(2), u"ques, dorŏ");

    analyse(songWith({{0, "Fr\xC3\xA8"}, {100, "re \xE9t\xE9"}}));
    EXPECT_EQ(m_model.charset().DetectedCharset(), lyrics::CharsetDetector::Ansi)
        << "a Windows é outside UTF-8 sequences rules UTF-8 out";
}

namespace {

// Syllables every quarter note; the melody plays on `melody` at the same
// ticks, another channel plays a note one eighth after each syllable.
MidiFileBuilder karaoke(int syllables, int melody, int offbeat)
{
    MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    auto &words = file.addTrack();
    auto &notes = file.addTrack();
    for (int i = 0; i < syllables; ++i) {
        const auto tick = static_cast<std::uint32_t>(480 * (i + 1));
        words.at(tick).lyric("la");
        notes.note(melody, 60 + i % 12, 100, tick, 200);
        notes.note(offbeat, 48, 90, tick + 240, 200);
    }
    return file;
}

} // namespace

TEST_F(LyricsTest, MelodyChannelMatchesTheSyllables)
{
    analyse(karaoke(20, 3, 1));
    EXPECT_EQ(m_model.nCanalLyrics(), 3);
    analyse(karaoke(9, 3, 1));
    EXPECT_EQ(m_model.nCanalLyrics(), -1) << "fewer than 10 syllables";
}

TEST_F(LyricsTest, EqualRatiosPickTheLowerChannel)
{
    MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    auto &words = file.addTrack();
    auto &a = file.addTrack();
    auto &b = file.addTrack();
    for (int i = 0; i < 12; ++i) {
        const auto tick = static_cast<std::uint32_t>(480 * (i + 1));
        words.at(tick).lyric("la");
        b.note(7, 64, 100, tick + 1, 100); // one tick away still matches
        a.note(5, 60, 100, tick, 100);
    }
    analyse(file);
    EXPECT_EQ(m_model.nCanalLyrics(), 5);
}

TEST_F(LyricsTest, LyricSyncForwardsOnlyLyricsTrackMarksPastTheStart)
{
    MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000).at(100).lyric("other");
    file.addTrack().at(0).lyric("zero").at(240).lyric("a").at(480).lyric("b");
    analyse(file);
    ASSERT_EQ(m_model.LyricsTrack(), 1);
    std::vector<int> shown;
    m_model.setDisplayHandler([&](int index) { shown.push_back(index); });
    lyrics::StreamLyricsSource source(*m_stream);
    for (int i = 0; i < 4; ++i) {
        m_model.LyricSync(source, i, lyrics::kMarkLyric);
    }
    m_model.LyricSync(source, 2, lyrics::kMarkText);
    EXPECT_EQ(shown, (std::vector<int>{2, 3}));
}

// Every syllable lies inside its line's text and the syllables come in tick order.
void expectConsistentTables(const LyricsModel &model)
{
    for (int i = 1; i <= model.SyllableCount(); ++i) {
        SCOPED_TRACE(i);
        const auto &s = model.syllable(i);
        ASSERT_GE(s.Line, 1);
        ASSERT_LE(s.Line, model.LineCount());
        ASSERT_GE(s.Start, 0);
        ASSERT_GE(s.Length, 0);
        ASSERT_LE(s.Start + s.Length, model.line(s.Line).LineText.size());
        if (i > 1) {
            ASSERT_GE(s.Tick, model.syllable(i - 1).Tick);
        }
    }
}

TEST_F(LyricsTest, CorpusKaraokeFilesAnalyse)
{
    const QDir corpus(QStringLiteral(MELORIT_CORPUS_DIR "/karaoke"));
    const QStringList files = corpus.entryList({QStringLiteral("*.kar"), QStringLiteral("*.mid")});
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_NO_FATAL_FAILURE(analyseFile(corpus.filePath(name).toStdString()));
        EXPECT_GE(m_model.LyricsTrack(), 0);
        EXPECT_GT(m_model.SyllableCount(), 10);
        expectConsistentTables(m_model);
    }
}

// Inputs the fuzzer found, kept as they were found.
TEST_F(LyricsTest, FuzzFindingsAnalyseIntoConsistentTables)
{
    const QDir findings(QStringLiteral(MELORIT_SOURCE_DIR "/tests/data/fuzz"));
    const QStringList files = findings.entryList({QStringLiteral("lyrics-*")});
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_NO_FATAL_FAILURE(analyseFile(findings.filePath(name).toStdString()));
        EXPECT_GT(m_model.SyllableCount(), 0);
        expectConsistentTables(m_model);
    }
}
