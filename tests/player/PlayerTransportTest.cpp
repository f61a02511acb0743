#include "PlayerFixture.h"

#include "base/Ini.h"
#include "engine/AudioErrors.h"

#include <QFile>

#include <cstdlib>

namespace melorit::engine::test {
namespace {

// "mm:ss / mm:ss" as two numbers of seconds; -1 for "--:--".
std::pair<int, int> clockSeconds(const QString &text)
{
    const auto seconds = [](const QString &t) {
        return t.startsWith(u'-') ? -1
                                  : t.section(u':', 0, 0).toInt() * 60 + t.section(u':', 1).toInt();
    };
    return {seconds(text.section(QStringLiteral(" / "), 0, 0)),
            seconds(text.section(QStringLiteral(" / "), 1))};
}

class TransportTest : public PlayerTest {
protected:
    void SetUp() override
    {
        PlayerTest::SetUp();
        m_player = makePlayer(defaultSettings());
        m_player->loadStartFont();
        ASSERT_TRUE(m_player->font());
    }
    void addSongs(const QStringList &names)
    {
        QStringList paths;
        for (const QString &name : names) {
            paths << writeShortSong(name);
        }
        m_player->playlist().addSongs(paths, false);
    }
    void setRepeat(int mode)
    {
        while (m_player->RepeatMode() != mode) {
            m_player->Action_Repeat();
        }
    }
    std::unique_ptr<Player> m_player;
};

TEST_F(TransportTest, TitleNamesTheCurrentEntryAmongThree)
{
    addSongs({QStringLiteral("a.mid"), QStringLiteral("Au_clair.mid"), QStringLiteral("c.mid")});
    m_player->playlist().setCurrentSong(2);
    m_player->AffTitre();
    EXPECT_EQ(m_view.captions.back(), QStringLiteral("Melorit - (2/3) Au clair"));
    EXPECT_EQ(m_player->SongPath(), path(QStringLiteral("Au_clair.mid")));
    EXPECT_EQ(m_player->SongSettingsFile(), path(QStringLiteral("Au_clair.mst")));
    EXPECT_EQ(m_player->mixer().SongSettingsFile(), m_player->SongSettingsFile());

    m_player->AffTitre(QStringLiteral("[x]"));
    EXPECT_EQ(m_view.captions.back(), QStringLiteral("Melorit - (2/3) Au clair [x]"));

    m_player->playlist().setCurrentSong(4);
    m_player->AffTitre();
    EXPECT_EQ(m_view.captions.back(), QStringLiteral("Melorit - End of the playlist"));
    EXPECT_TRUE(m_player->SongPath().isEmpty());
    EXPECT_TRUE(m_player->SongSettingsFile().isEmpty());
}

TEST_F(TransportTest, TitleOfOneAndOfNoSong)
{
    m_player->AffTitre();
    EXPECT_EQ(m_view.captions.back(), QStringLiteral("Melorit - Empty playlist"));
    addSongs({QStringLiteral("only.mid")});
    m_player->playlist().setCurrentSong(5);
    m_player->AffTitre();
    EXPECT_EQ(m_player->playlist().CurrentSong(), 1);
    EXPECT_EQ(m_view.captions.back(), QStringLiteral("Melorit - (1/1) only"));
}

TEST_F(TransportTest, ThreeFailingFilesThenAGoodOnePlaysTheGoodOne)
{
    const QString notMidi = writeFile(QStringLiteral("text.mid"), {'h', 'e', 'l', 'l', 'o'});
    const QString empty = writeFile(QStringLiteral("empty.kar"), {});
    const QString good = writeShortSong(QStringLiteral("good.mid"));
    m_player->playlist().addSongs({notMidi, path(QStringLiteral("missing.mid")), empty, good},
                                  false);
    m_player->Action_Play();
    ASSERT_NE(m_player->stream(), nullptr);
    EXPECT_EQ(m_player->playlist().CurrentSong(), 4);
    EXPECT_EQ(m_player->SongPath(), good);
    EXPECT_TRUE(m_player->ListenMode());
    EXPECT_TRUE(m_dialogs.messages.empty());
}

TEST_F(TransportTest, ASingleUnreadableEntryPlaysNothingAndReturns)
{
    const QString notMidi = writeFile(QStringLiteral("only.mid"), {'h', 'e', 'l', 'l', 'o'});
    m_player->playlist().addSongs({notMidi}, false);
    m_player->Action_Play();
    EXPECT_EQ(m_player->stream(), nullptr);
    EXPECT_TRUE(m_dialogs.messages.empty());
    // The entry stays in the list and the title still names it.
    m_player->AffTitre();
    EXPECT_EQ(m_player->playlist().CurrentSong(), 1);
    EXPECT_EQ(m_view.captions.back(), QStringLiteral("Melorit - (1/1) only"));
}

TEST_F(TransportTest, NothingReadableFromTheCurrentEntryPlaysNothingSilently)
{
    const QString good = writeShortSong(QStringLiteral("good.mid"));
    m_player->playlist().addSongs(
        {good, path(QStringLiteral("gone1.mid")), path(QStringLiteral("gone2.mid"))}, false);
    m_player->playlist().setCurrentSong(2);
    m_player->Action_Play();
    EXPECT_EQ(m_player->stream(), nullptr);
    EXPECT_EQ(m_player->playlist().CurrentSong(), 4);
    EXPECT_TRUE(m_dialogs.messages.empty());
}

TEST_F(TransportTest, WithoutRepeatTheListEndsAfterTheLastSongAndPrevPlaysIt)
{
    addSongs({QStringLiteral("1.mid"), QStringLiteral("2.mid"), QStringLiteral("3.mid")});
    m_player->playlist().setCurrentSong(3);
    m_player->Action_Play();
    ASSERT_TRUE(pullToSongChange(*m_player));
    EXPECT_EQ(m_player->stream(), nullptr);
    EXPECT_EQ(m_player->playlist().CurrentSong(), 4);
    EXPECT_TRUE(m_player->SongPath().isEmpty());

    m_player->Action_Prev();
    ASSERT_NE(m_player->stream(), nullptr);
    EXPECT_EQ(m_player->playlist().CurrentSong(), 3);
    EXPECT_EQ(m_player->SongPath(), path(QStringLiteral("3.mid")));
}

TEST_F(TransportTest, RepeatingTheListWrapsAndRepeatingTheSongPlaysItAgain)
{
    addSongs({QStringLiteral("1.mid"), QStringLiteral("2.mid"), QStringLiteral("3.mid")});
    setRepeat(kRepeatList);
    m_player->playlist().setCurrentSong(3);
    m_player->Action_Play();
    ASSERT_TRUE(pullToSongChange(*m_player));
    ASSERT_NE(m_player->stream(), nullptr);
    EXPECT_EQ(m_player->playlist().CurrentSong(), 1);

    setRepeat(kRepeatSong);
    const int starts = m_view.songStarts;
    ASSERT_TRUE(pullToSongChange(*m_player));
    ASSERT_NE(m_player->stream(), nullptr);
    EXPECT_EQ(m_view.songStarts, starts + 1);
    EXPECT_EQ(m_player->playlist().CurrentSong(), 1);
}

TEST_F(TransportTest, PrevOnTheFirstSongPlaysTheLastInEveryMode)
{
    addSongs({QStringLiteral("1.mid"), QStringLiteral("2.mid"), QStringLiteral("3.mid")});
    for (int mode : {kRepeatNone, kRepeatSong, kRepeatList}) {
        setRepeat(mode);
        m_player->playlist().setCurrentSong(1);
        m_player->Action_Prev();
        EXPECT_EQ(m_player->playlist().CurrentSong(), 3) << mode;
        EXPECT_NE(m_player->stream(), nullptr) << mode;
    }
}

TEST_F(TransportTest, StopBeforeTheEndIsHandledCancelsTheNextSong)
{
    addSongs({QStringLiteral("1.mid"), QStringLiteral("2.mid")});
    m_player->Action_Play();
    m_player->SongEnd();
    m_player->Action_Stop();
    m_player->runPending();
    EXPECT_EQ(m_player->stream(), nullptr);
    EXPECT_EQ(m_player->playlist().CurrentSong(), 1);
}

TEST_F(TransportTest, PlaySelectedPastTheEndPlaysOnlyWhenTheListRepeats)
{
    addSongs({QStringLiteral("1.mid"), QStringLiteral("2.mid")});
    m_player->Action_PlaySelected(3);
    EXPECT_EQ(m_player->stream(), nullptr);
    EXPECT_EQ(m_player->playlist().CurrentSong(), 3);
    setRepeat(kRepeatList);
    m_player->Action_PlaySelected(3);
    EXPECT_NE(m_player->stream(), nullptr);
    EXPECT_EQ(m_player->playlist().CurrentSong(), 1);
}

TEST_F(TransportTest, RepeatCyclesAndIsWrittenButNotReadBack)
{
    const QString config = path(QStringLiteral("Melorit.ini"));
    for (int expected : {kRepeatSong, kRepeatList, kRepeatNone, kRepeatSong}) {
        m_player->Action_Repeat();
        EXPECT_EQ(m_player->RepeatMode(), expected);
        EXPECT_EQ(m_view.repeatModes.back(), expected);
        EXPECT_EQ(ReadIni(QStringLiteral("Repeat"), QStringLiteral("Mode"), config),
                  QString::number(expected));
    }
    EXPECT_EQ(makePlayer(defaultSettings())->RepeatMode(), kRepeatNone);
}

TEST_F(TransportTest, ClockMovesTheSliderAndGivesTheFontStatusEveryFourthTick)
{
    m_player->playlist().addSongs({writeShortSong(QStringLiteral("long.mid"), 8)}, false); // 4 s
    m_player->Action_Play();
    ASSERT_NE(m_player->stream(), nullptr);
    EXPECT_NEAR(m_player->SongLength(), 4.0, 0.01);
    EXPECT_EQ(m_player->SongTicks(), 8 * 480);
    pullSeconds(*m_player, 2.0);
    int statuses = 0;
    ClockReading reading;
    for (int i = 0; i < 8; ++i) {
        reading = m_player->clockTick(1000);
        statuses += reading.fontStatus ? 1 : 0;
    }
    EXPECT_EQ(statuses, 2);
    ASSERT_TRUE(reading.sliderValue);
    EXPECT_NEAR(*reading.sliderValue, 500, 10);
    EXPECT_EQ(reading.timeText, QStringLiteral("00:02 / 00:04"));

    m_player->sldPosition_MouseUp(750, 1000);
    EXPECT_EQ(m_player->stream()->position(audio::PosUnit::Ticks), 2880u);
    m_player->Action_Stop();
    reading = m_player->clockTick(1000);
    EXPECT_EQ(reading.timeText, QStringLiteral("--:-- / 00:04"));
}

TEST(AudioErrors, SymbolicNamesAndUnknownCodes)
{
    EXPECT_EQ(AudioErrorName(0), QStringLiteral("BASS_OK"));
    EXPECT_EQ(AudioErrorName(2), QStringLiteral("BASS_ERROR_FILEOPEN"));
    EXPECT_EQ(AudioErrorName(-1), QStringLiteral("BASS_ERROR_UNKNOWN"));
    EXPECT_EQ(AudioErrorName(45), QStringLiteral("Erreur 45 ?"));
    EXPECT_EQ(AudioErrorName(10), QStringLiteral("Erreur 10 ?"));
    const UserMessage m = bassErrorMessage(QStringLiteral("Cannot read"), 41);
    EXPECT_EQ(m.text, QStringLiteral("Cannot read\n\nBASS error code: 41\nBASS_ERROR_FILEFORM"));
    EXPECT_EQ(m.title, QStringLiteral("Error"));
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);
}

TEST_F(TransportTest, ShowAudioErrorReportsTheLastErrorThroughTheDialogs)
{
    EXPECT_EQ(m_player->OpenSongStream(path(QStringLiteral("nothing.mid")), true), nullptr);
    m_player->ShowAudioError(QStringLiteral("Cannot read the MIDI file"));
    ASSERT_EQ(m_dialogs.messages.size(), 1u);
    EXPECT_TRUE(m_dialogs.messages[0].text.endsWith(QStringLiteral("2\nBASS_ERROR_FILEOPEN")));
}

TEST_F(TransportTest, TheClockEndsAtTheLengthHeardAndTheNextSongFollowsTheDecay)
{
    const QString demo =
        QStringLiteral(MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar");
    ASSERT_TRUE(QFile::copy(demo, path(QStringLiteral("a.kar"))));
    ASSERT_TRUE(QFile::copy(demo, path(QStringLiteral("b.kar"))));
    ASSERT_TRUE(m_player->ReplaceFont(QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2")));
    m_player->playlist().addSongs({path(QStringLiteral("a.kar")), path(QStringLiteral("b.kar"))},
                                  false);
    m_player->playlist().setCurrentSong(1);
    m_player->Action_Play();
    // A tenth of a second per pull, as the clock sees it.
    std::vector<std::int16_t> block(4410 * 2);
    std::size_t frames = 0;
    std::size_t lastSound = 0;
    std::pair<int, int> shown;
    double ratio = 1;
    while (m_player->SongPath() == path(QStringLiteral("a.kar")) && frames < 44100u * 120) {
        if (frames >= 44100u * 10 && ratio == 1) { // the tempo raised by a quarter, mid-song
            m_player->mixer().Potard_MouseDown(kTempoControl, MouseButton::Left, 0, 0);
            m_player->mixer().Potard_MouseMove(40, 0);
            m_player->mixer().Potard_MouseUp();
            ratio = m_player->mixer().TempoRatio();
        }
        const std::int64_t got = m_player->pull(block.data(), block.size() * 2);
        for (std::int64_t i = 0; i < got / 2; ++i) {
            if (std::abs(block[static_cast<std::size_t>(i)]) > 2) {
                lastSound = frames + static_cast<std::size_t>(i) / 2;
            }
        }
        frames += static_cast<std::size_t>(got) / 4;
        if (m_player->SongPath() == path(QStringLiteral("a.kar"))) {
            shown = clockSeconds(m_player->ShowTime());
            ASSERT_LE(shown.first, shown.second) << m_player->ShowTime().toStdString();
        }
    }
    ASSERT_LT(ratio, 0.8);
    // The total shown was the length heard up to the last event; the release
    // of the last notes followed it (at the song's tempo it would be 48 s).
    EXPECT_LE(shown.second, lastSound / 44100.0);
    EXPECT_GT(shown.second, lastSound / 44100.0 - 1.5);
    // The next song came once the sound had died away, not seconds later.
    EXPECT_LT(frames - lastSound, 44100u / 2);
}

} // namespace
} // namespace melorit::engine::test
