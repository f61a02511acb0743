// Whole songs: the golden lyrics file of the demo song, and every karaoke
// file of the corpus written and checked against the format.

#include "tests/export/KokFixture.h"
#include "tests/export/KokGrammar.h"

#include "base/TextUtil.h"
#include "lyrics/StreamLyricsSource.h"

#include <QDir>
#include <QFile>

#include <set>

using namespace melorit;
using namespace melorit::testing;

namespace {

exporting::LyricsFileOptions maxLength(int characters)
{
    exporting::LyricsFileOptions options;
    options.MaxLength = characters;
    return options;
}

class DemoSongKok : public ::testing::TestWithParam<std::pair<int, const char *>> {};

// Checks one written file: the format, times that never go back, each time
// that of a syllable the analysis found, and the visible text of the lyrics.
void checkKok(const QByteArray &file, const lyrics::LyricsModel &model)
{
    const KokParse parse = parseKok(file);
    ASSERT_TRUE(parse.ok) << parse.error.toStdString();
    EXPECT_FALSE(parse.entries.empty());
    std::set<QString> syllableTimes;
    for (int i = 1; i <= model.SyllableCount(); ++i) {
        syllableTimes.insert(text::formatNumber(model.syllable(i).Time, u"0.0000"));
    }
    double previous = 0;
    for (const KokEntry &entry : parse.entries) {
        EXPECT_GE(entry.seconds, previous) << entry.time.toStdString();
        previous = entry.seconds;
        const QString dotted = QString::fromLatin1(entry.time).replace(u',', u'.');
        EXPECT_TRUE(syllableTimes.count(dotted)) << entry.time.toStdString();
    }
    EXPECT_LE(parse.entries.size(), static_cast<std::size_t>(model.SyllableCount()));
}

} // namespace

TEST_P(DemoSongKok, MatchesTheGoldenFile)
{
    const auto [limit, golden] = GetParam();
    const QString songPath =
        QStringLiteral(MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar");
    const auto song = openSong(songPath);
    ASSERT_NE(song, nullptr);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.kok"));
    ASSERT_TRUE(
        exporting::WriteLyricsFile(song->stream->file(), song->model, path, maxLength(limit)));
    const QByteArray written = readAll(path);
    EXPECT_EQ(written, readAll(QStringLiteral(MELORIT_SOURCE_DIR "/tests/data/kok/") +
                               QString::fromLatin1(golden)));
    checkKok(written, song->model);
}

INSTANTIATE_TEST_SUITE_P(Kok, DemoSongKok,
                         ::testing::Values(std::pair{0, "au-clair-de-la-lune.kok"},
                                           std::pair{12, "au-clair-de-la-lune-12.kok"}),
                         [](const auto &test) {
                             return "MaxLength" + std::to_string(test.param.first);
                         });

namespace {

// The corpus's karaoke songs, full paths.
QStringList karaokeCorpus()
{
    const QDir corpus(QStringLiteral(MELORIT_CORPUS_DIR "/karaoke"));
    QStringList paths;
    for (const QString &name :
         corpus.entryList({QStringLiteral("*.kar"), QStringLiteral("*.mid")})) {
        paths << corpus.filePath(name);
    }
    return paths;
}

} // namespace

TEST(CorpusKok, EveryKaraokeFileGivesAWellFormedFile)
{
    const QStringList files = karaokeCorpus();
    ASSERT_GE(files.size(), 7);
    for (const QString &path : files) {
        SCOPED_TRACE(path.toStdString());
        const auto song = openSong(path);
        ASSERT_NE(song, nullptr);
        ASSERT_GE(song->model.LyricsTrack(), 0);
        for (const int limit : {0, 1, 20, 99}) {
            SCOPED_TRACE(limit);
            const QByteArray file =
                exporting::BuildLyricsText(song->stream->file(), song->model, maxLength(limit)) +
                "\r\n";
            checkKok(file, song->model);
        }
    }
}

TEST(CorpusKok, LineLimitKeepsTheLyricsAndShortensLines)
{
    const QStringList files = karaokeCorpus();
    ASSERT_GE(files.size(), 7);
    for (const QString &path : files) {
        SCOPED_TRACE(path.toStdString());
        const auto song = openSong(path);
        ASSERT_NE(song, nullptr);
        const KokParse free =
            parseKok(exporting::BuildLyricsText(song->stream->file(), song->model, {}) + "\r\n");
        const KokParse cut = parseKok(
            exporting::BuildLyricsText(song->stream->file(), song->model, maxLength(20)) + "\r\n");
        ASSERT_TRUE(free.ok && cut.ok);
        // The same syllables at the same times: a cut only moves breaks and
        // drops the space it breaks at.
        ASSERT_EQ(free.entries.size(), cut.entries.size());
        for (std::size_t i = 0; i < free.entries.size(); ++i) {
            EXPECT_EQ(free.entries[i].time, cut.entries[i].time);
            QByteArray a = free.entries[i].text;
            QByteArray b = cut.entries[i].text;
            EXPECT_EQ(a.replace("\r\n", "").replace(' ', ""),
                      b.replace("\r\n", "").replace(' ', ""));
        }
        std::size_t longFree = 0;
        std::size_t longCut = 0;
        for (const QByteArray &line : free.visibleLines) {
            longFree += line.size() > 20;
        }
        for (const QByteArray &line : cut.visibleLines) {
            longCut += line.size() > 20;
        }
        EXPECT_LE(longCut, longFree);
        EXPECT_GE(cut.visibleLines.size(), free.visibleLines.size());
    }
}
