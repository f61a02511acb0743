// The melody a singer is scored against, the match of a sung pitch, and the
// scoring settings as stored.
#include "audio/MidiFile.h"
#include "audio/MidiStream.h"
#include "base/Ini.h"
#include "lyrics/LyricsModel.h"
#include "lyrics/StreamLyricsSource.h"
#include "scoring/ScoreCard.h"
#include "scoring/ScoreKeys.h"
#include "scoring/ScoreSettings.h"
#include "tests/support/MidiFileBuilder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace melorit::scoring::test {
namespace {

constexpr std::uint32_t kQuarter = 480; // 120 bpm: half a second

struct Song {
    std::unique_ptr<audio::MidiStream> stream;
    lyrics::LyricsModel lyrics;
};

// Two lines of seven syllables, one quarter each from bar 2 with a rest of
// two quarters between the lines; their notes on the melody channel (none
// for -1), rising from middle C. `melody` adds notes to the same track.
Song openSong(const QString &dir, int melodyChannel,
              const std::function<void(fixtures::MidiTrackBuilder &)> &melody = {})
{
    fixtures::MidiFileBuilder file(1, kQuarter);
    file.addTrack().tempo(500000);
    auto &words = file.addTrack();
    auto &notes = file.addTrack();
    for (std::uint32_t i = 0; i < 14; ++i) {
        const std::uint32_t tick = 4 * kQuarter + i * kQuarter + (i >= 7 ? 2 * kQuarter : 0);
        words.at(tick).lyric(i == 0 ? "\\la" : i == 7 ? "/la" : " la");
        if (melodyChannel >= 0) {
            notes.note(melodyChannel, 60 + static_cast<int>(i), 100, tick, kQuarter);
        }
    }
    if (melody) {
        melody(notes);
    }
    const QString path = dir + QStringLiteral("/song.mid");
    EXPECT_TRUE(file.writeTo(path.toStdString()));
    Song song;
    song.stream = audio::MidiStream::openFile(path.toStdString(), {});
    const lyrics::StreamLyricsSource source(*song.stream);
    song.lyrics.InitLyrics(source);
    song.lyrics.FindMelodyChannel(source);
    return song;
}

MelodyTarget targetOf(const Song &song, TargetOptions options = {})
{
    return MelodyTarget::build(song.stream->file(), song.lyrics, options);
}

TEST(MelodyTarget, KeepsTheSungNotesOneAtATime)
{
    QTemporaryDir dir;
    const Song song = openSong(dir.path(), 3, [](fixtures::MidiTrackBuilder &t) {
        t.note(3, 40, 100, 0, 2 * kQuarter);         // intro, before the lyrics
        t.note(3, 50, 100, 4 * kQuarter, kQuarter);  // with the first note, lower
        t.note(3, 90, 100, 4 * kQuarter + 240, 20);  // 20 ms inside it: a grace note
        t.note(3, 41, 100, 12 * kQuarter, kQuarter); // in the rest between the lines
    });
    // Played a tone up at twice the speed.
    const MelodyTarget target = targetOf(song, {2, 0.5});
    ASSERT_EQ(target.problem(), MelodyTarget::Problem::None);
    ASSERT_EQ(target.notes().size(), 14u);
    EXPECT_EQ(target.notes()[0].key, 60);
    EXPECT_EQ(target.notes()[0].endTick, 5 * kQuarter);
    EXPECT_EQ(target.notes()[0].line, 1);
    EXPECT_EQ(target.notes()[7].line, 2);
    EXPECT_EQ(target.lines()[1].firstNote, 7);
    EXPECT_EQ(target.lines()[1].noteCount, 7);
    EXPECT_DOUBLE_EQ(target.secondsAt(4 * kQuarter), 1.0);
    EXPECT_DOUBLE_EQ(target.tickAt(1.0), 4.0 * kQuarter);
    EXPECT_EQ(target.noteAt(4.5 * kQuarter), 0);
    EXPECT_EQ(target.noteAt(12.5 * kQuarter), -1);
}

TEST(MelodyTarget, SaysWhyASongCannotBeScored)
{
    QTemporaryDir dir;
    EXPECT_EQ(targetOf(openSong(dir.path(), -1)).problem(), MelodyTarget::Problem::NoMelody);
    fixtures::MidiFileBuilder plain(1, kQuarter);
    plain.addTrack().note(0, 60, 100, 0, kQuarter);
    const QString path = dir.filePath(QStringLiteral("plain.mid"));
    ASSERT_TRUE(plain.writeTo(path.toStdString()));
    Song song;
    song.stream = audio::MidiStream::openFile(path.toStdString(), {});
    EXPECT_EQ(targetOf(song).problem(), MelodyTarget::Problem::NoLyrics);
}

TEST(ScoreCard, MatchesAPitchInAnyOctaveWithinTheTolerance)
{
    QTemporaryDir dir;
    ScoreCard card(targetOf(openSong(dir.path(), 3)), 50);
    EXPECT_TRUE(card.matches(72.4f, 60));
    EXPECT_TRUE(card.matches(47.6f, 60));
    EXPECT_FALSE(card.matches(60.6f, 60));
    EXPECT_FALSE(card.matches(61.0f, 60));
    // The singer follows the song's transposition, also when it changes.
    const PitchFrame voiced{0, 62.0f, 1.0f, true};
    card.setTranspose(2);
    EXPECT_TRUE(card.add(4.5 * kQuarter, voiced).hit);
    const PitchFrame unvoiced{0, 60.0f, 0.1f, false};
    EXPECT_FALSE(card.add(4.6 * kQuarter, unvoiced).hit);
    EXPECT_EQ(card.noteScore(0), 50);
    EXPECT_EQ(card.add(12.5 * kQuarter, voiced).note, -1);
    EXPECT_FALSE(card.lineScore(2).has_value());
}

TEST(ScoreSettings, ReadsDefaultsAndRangesAndKeepsTheBestScore)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("Melorit.ini"));
    ScoreSettings defaults = ScoreSettings::read(config);
    EXPECT_FALSE(defaults.enabled);
    EXPECT_EQ(defaults.toleranceCents, keys::kToleranceDefault);
    WriteIni(keys::kSection, keys::kToleranceKey, QStringLiteral("5000"), config);
    WriteIni(keys::kSection, keys::kOffsetKey, QStringLiteral("-80"), config);
    EXPECT_EQ(ScoreSettings::read(config).toleranceCents, keys::kToleranceMax);
    EXPECT_EQ(ScoreSettings::read(config).offsetMs, -80);

    const QString mst = dir.filePath(QStringLiteral("song.mst"));
    EXPECT_FALSE(readBestScore(mst).has_value());
    EXPECT_EQ(keepBestScore(mst, 70), 70);
    EXPECT_EQ(keepBestScore(mst, 60), 70);
    EXPECT_EQ(keepBestScore(mst, 85), 85);
    EXPECT_EQ(readBestScore(mst), 85);
    EXPECT_EQ(ReadIni(QStringLiteral("Gain"), QStringLiteral("Slider"), mst), QString());
}

} // namespace
} // namespace melorit::scoring::test
