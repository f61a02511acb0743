#include "base/Ini.h"
#include "party/LyricsLook.h"
#include "party/PartyCards.h"
#include "party/ScreenChoice.h"
#include "tests/lyricswin/SongFixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace melorit;
using namespace melorit::party;
using melorit::lyricswin::AnalysedSong;
using melorit::lyricswin::songWith;

namespace {

// 120 bpm at 480 ticks a quarter: 960 ticks a second.
constexpr std::int64_t kTicksPerSecond = 960;

std::int64_t at(double seconds)
{
    return static_cast<std::int64_t>(seconds * kTicksPerSecond);
}

const CardTexts kTexts{QStringLiteral("Next: %1 - %2"), QStringLiteral("Next: %1"),
                       QStringLiteral("Sung by %1")};

} // namespace

TEST(LyricsLook, ColoursAreKeptAsRgbTextAndUnreadableOnesKeepTheDefault)
{
    EXPECT_EQ(parseColour(u"#4080C0"), 0xC08040u) << "red in the low byte";
    EXPECT_EQ(parseColour(u" #ff0000 "), 0x0000FFu);
    for (const char16_t *bad : {u"", u"4080C0", u"#4080C", u"#4080CG", u"#+12345", u"#4080C00"}) {
        EXPECT_FALSE(parseColour(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    }
    EXPECT_EQ(colourText(0xC08040u), u"#4080C0");

    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Melorit.ini"));
    EXPECT_EQ(readLyricsLook(ini), LyricsLook{}) << "the window's own look at the first run";
    WriteIni(QStringLiteral("Lyrics"), QStringLiteral("Background"), QStringLiteral("red"), ini);
    EXPECT_EQ(readLyricsLook(ini), LyricsLook{});
    LyricsLook look;
    look.fontFace = QStringLiteral("DejaVu Sans");
    look.colours = {0x010203, 0x040506, 0x070809, 0x0A0B0C};
    writeLyricsLook(look, ini);
    EXPECT_EQ(readLyricsLook(ini), look);
    EXPECT_EQ(ReadIni(QStringLiteral("Lyrics"), QStringLiteral("Sung"), ini), u"#030201");
}

TEST(ScreenChoice, TheLargestScreenWithoutTheMainWindowUnlessOneIsChosen)
{
    const QList<ScreenInfo> screens{{QStringLiteral("eDP-1"), {1600, 1200}},
                                    {QStringLiteral("HDMI-1"), {1920, 1080}},
                                    {QStringLiteral("DP-2"), {1280, 1024}}};
    EXPECT_EQ(defaultLyricsScreen(screens, 0), 1);
    EXPECT_EQ(defaultLyricsScreen(screens, 1), 0) << "1600x1200 has more pixels than 1280x1024";
    EXPECT_EQ(defaultLyricsScreen(screens.mid(0, 1), 0), 0) << "one screen: that one";
    EXPECT_EQ(defaultLyricsScreen({}, 0), -1);
    EXPECT_EQ(lyricsScreen(screens, 0, QStringLiteral("DP-2")), 2);
    EXPECT_EQ(lyricsScreen(screens, 0, QStringLiteral("VGA-1")), 1) << "unplugged: the default";

    // Two X screens of one server share the name "screen".
    const QList<ScreenInfo> twins{{QStringLiteral("screen"), {1600, 1200}},
                                  {QStringLiteral("screen"), {1920, 1080}}};
    EXPECT_EQ(screenKey(twins, 1), u"screen #2");
    EXPECT_EQ(screenKey(screens, 1), u"HDMI-1");
    EXPECT_EQ(lyricsScreen(twins, 1, screenKey(twins, 0)), 0);
    EXPECT_EQ(lyricsScreen(twins, 0, QStringLiteral("screen")), 0) << "a name stored when alone";
}

class PartyCardsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Words at 8 s and 8.5 s, then a 6-second gap, then the last word
        // at 15 s; a short gap of 2 s between the last two.
        ASSERT_TRUE(m_song.open(songWith({{std::uint32_t(at(8)), "\\Hel"},
                                          {std::uint32_t(at(8.5)), "lo "},
                                          {std::uint32_t(at(14.5)), "/world "},
                                          {std::uint32_t(at(16.5)), "again"}})));
        state.model = &m_song.model();
        state.playing = true;
        state.song = {QStringLiteral("Hello"), QStringLiteral("The Band"), QStringLiteral("Anna")};
        state.next = NextCard{QStringLiteral("Ben"), QStringLiteral("Yesterday")};
    }

    CardPlan planAt(double seconds)
    {
        state.tick = at(seconds);
        return planCards(state, kTexts);
    }

    AnalysedSong m_song;
    CardState state;
};

TEST_F(PartyCardsTest, SecondsAreReadOffTheSyllables)
{
    EXPECT_NEAR(*songSecondsAt(m_song.model(), at(4)), 4.0, 0.01);
    EXPECT_NEAR(*songSecondsAt(m_song.model(), at(11)), 11.0, 0.01);
    EXPECT_NEAR(*songSecondsAt(m_song.model(), at(20)), 20.0, 0.01) << "after the last";
}

TEST_F(PartyCardsTest, TitleCardCountdownAndNextCardInTurn)
{
    const CardPlan start = planAt(1);
    EXPECT_EQ(start.kind, CardKind::Title);
    EXPECT_EQ(start.lines, (QStringList{QStringLiteral("Hello"), QStringLiteral("The Band"),
                                        QStringLiteral("Sung by Anna")}));
    EXPECT_LT(start.countdown, 0);
    EXPECT_EQ(planAt(5.5).kind, CardKind::None);
    EXPECT_LT(planAt(4.9).countdown, 0) << "more than 3 s before the first word";
    EXPECT_NEAR(planAt(6.5).countdown, 0.5, 0.02) << "1.5 s left of 3";
    EXPECT_EQ(planAt(6.5).countdownLine, 1);
    EXPECT_LT(planAt(8.2).countdown, 0) << "singing";
    EXPECT_NEAR(planAt(13).countdown, 0.5, 0.02) << "after a 6 s gap";
    EXPECT_EQ(planAt(13).countdownLine, 2) << "the bar stands over the line to come";
    EXPECT_LT(planAt(16).countdown, 0) << "a 2 s gap is no pause";
    EXPECT_EQ(planAt(18).kind, CardKind::None) << "the last word still sounds";
    const CardPlan last = planAt(20);
    EXPECT_EQ(last.kind, CardKind::Next);
    EXPECT_EQ(last.lines, QStringList{QStringLiteral("Next: Ben - Yesterday")});
}

TEST_F(PartyCardsTest, BetweenSongsTheNextEntryShows)
{
    state.playing = false;
    EXPECT_EQ(planAt(0).lines, QStringList{QStringLiteral("Next: Ben - Yesterday")});
    state.next->singer.clear();
    EXPECT_EQ(planAt(0).lines, QStringList{QStringLiteral("Next: Yesterday")});
    state.next.reset();
    EXPECT_EQ(planAt(0), CardPlan{});
    state.playing = true;
    state.song.singer.clear();
    EXPECT_EQ(planAt(1).lines.size(), 2) << "no singer, no third line";
}

TEST_F(PartyCardsTest, BesideTheMainWindowOnlyAWaitingSongIsNamed)
{
    state.partyScreen = false;
    EXPECT_EQ(planAt(1), CardPlan{}) << "playing: no title card";
    EXPECT_EQ(planAt(13), CardPlan{}) << "nor a countdown";
    state.playing = false;
    EXPECT_EQ(planAt(0).kind, CardKind::Title);
    EXPECT_EQ(planAt(0).lines.first(), QStringLiteral("Hello"));
}
