#include "PlayerFixture.h"

#include "base/Ini.h"
#include "lyrics/LyricsScene.h"
#include "tests/support/DemoSong.h"
#include "tests/support/MidiFileBuilder.h"
#include "tests/support/SoundFontBuilder.h"

#include <QFile>

#include <cmath>

namespace melorit::engine::test {
namespace {

using SongTest = PlayerTest;

// Frequency of the left channel from its rising zero crossings.
double leftFrequency(const std::vector<std::int16_t> &stereo)
{
    int crossings = 0;
    for (std::size_t i = 2; i + 1 < stereo.size(); i += 2) {
        if (stereo[i - 2] < 0 && stereo[i] >= 0) {
            ++crossings;
        }
    }
    return crossings * 44100.0 / static_cast<double>(stereo.size() / 2);
}

// The output between two times of the stream, read from where it is.
std::vector<std::int16_t> readSeconds(audio::MidiStream &stream, double from, double to)
{
    const double now = audio::MidiStream::bytesToSeconds(stream.position(audio::PosUnit::Bytes));
    std::vector<std::int16_t> skip(static_cast<std::size_t>((from - now) * 44100) * 2);
    stream.read(skip.data(), skip.size() * 2);
    std::vector<std::int16_t> out(static_cast<std::size_t>((to - from) * 44100) * 2);
    const std::int64_t got = stream.read(out.data(), out.size() * 2);
    out.resize(static_cast<std::size_t>(std::max<std::int64_t>(got, 0)) / 2);
    return out;
}

TEST_F(SongTest, ASongsProgramChangeUnderAProgramOverrideKeepsTheOverride)
{
    // Program 0 sounds key 69 at 440 Hz, program 1 an octave higher.
    fixtures::SoundFontBuilder font;
    font.addPreset("Low", 0, 0, 69).addPreset("High", 0, 1, 57);
    const QString fontPath = path(QStringLiteral("two.sf2"));
    ASSERT_TRUE(font.writeTo(fontPath.toStdString()));

    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    file.addTrack()
        .programChange(0, 0)
        .note(0, 69, 100, 0, 480)
        .at(960)
        .programChange(0, 0)
        .note(0, 69, 100, 960, 960);
    const QString song = writeFile(QStringLiteral("prog.mid"), file.build());
    auto player = makePlayer(defaultSettings());
    ASSERT_TRUE(player->ReplaceFont(fontPath));

    // First without an override: the song's own program sounds.
    player->playlist().addSongs({song}, false);
    player->Action_Play();
    ASSERT_NE(player->stream(), nullptr);
    EXPECT_NEAR(leftFrequency(readSeconds(*player->stream(), 1.2, 1.8)), 440, 15);

    WriteIni(QStringLiteral("CC"), QStringLiteral("CC64"), QStringLiteral("1"),
             path(QStringLiteral("prog.mst")));
    player->Action_Play();
    ASSERT_NE(player->stream(), nullptr);
    EXPECT_EQ(player->mixer().controllers().CtrlOverride(64), 1);
    EXPECT_NEAR(leftFrequency(readSeconds(*player->stream(), 0.1, 0.4)), 880, 15);
    // The song sets program 0 again at 1 s; the watcher puts 1 back.
    EXPECT_NEAR(leftFrequency(readSeconds(*player->stream(), 1.2, 1.8)), 880, 15);
    EXPECT_EQ(player->stream()->eventValue(0, audio::MidiEvent::Program), 1);
}

TEST_F(SongTest, TheMelodyChannelIsSilencedAtStartUnderAutoMute)
{
    const QString song = writeFile(QStringLiteral("demo.kar"), fixtures::buildDemoSong());
    auto player = makePlayer(defaultSettings());
    player->loadStartFont();
    player->playlist().addSongs({song}, false);
    player->Action_Play();
    ASSERT_NE(player->stream(), nullptr);
    EXPECT_EQ(player->lyrics().nCanalLyrics(), 0);
    EXPECT_EQ(player->mixer().state().nCanalLyrics, 0);
    EXPECT_EQ(player->stream()->eventValue(0, audio::MidiEvent::MixLevel), 0);
    EXPECT_EQ(player->stream()->eventValue(1, audio::MidiEvent::MixLevel), 100);

    player->mixer().setAutoMute(false);
    player->mixer().ApplyLevels();
    EXPECT_EQ(player->stream()->eventValue(0, audio::MidiEvent::MixLevel), 100);
}

TEST_F(SongTest, ListeningRoundTripStoresTheMixAndAppliesItAgain)
{
    const QString song = writeFile(QStringLiteral("demo.kar"), fixtures::buildDemoSong());
    const QString mst = path(QStringLiteral("demo.mst"));
    auto player = makePlayer(defaultSettings());
    player->loadStartFont();
    player->playlist().addSongs({song}, false);
    player->Action_Play();
    ASSERT_NE(player->stream(), nullptr);
    pullSeconds(*player, 0.5);
    const int baseTempo = player->mixer().BaseTempo();
    ASSERT_GT(baseTempo, 0);

    Mixer &mixer = player->mixer();
    mixer.Potard_MouseDown(3, MouseButton::Left, 50, 100);
    mixer.Potard_MouseMove(50, 78); // up 22: +49
    mixer.Potard_MouseUp();
    mixer.PicSM_MouseDown(MouseButton::Left);
    mixer.PicSM_Click(kFirstMuteButton + 5);
    mixer.Potard_MouseDown(kTransposeControl, MouseButton::Left, 0, 0);
    mixer.Potard_MouseMove(0, -17); // 17 x 24 / 200: +2 semitones
    mixer.Potard_MouseUp();
    mixer.Potard_MouseDown(kTempoControl, MouseButton::Left, 0, 0);
    mixer.Potard_MouseMove(0, -10); // 10 * 3101 / 500 = 62 per mille
    mixer.Potard_MouseUp();
    player->Action_Stop();

    EXPECT_EQ(ReadIni(QStringLiteral("Volume"), QStringLiteral("Ch3"), mst), QStringLiteral("149"));
    EXPECT_EQ(ReadIni(QStringLiteral("Mute"), QStringLiteral("Ch5"), mst), QStringLiteral("1"));
    EXPECT_EQ(ReadIni(QStringLiteral("Transpose"), QStringLiteral("Slider"), mst),
              QStringLiteral("2"));
    EXPECT_EQ(ReadIni(QStringLiteral("Tempo"), QStringLiteral("Slider"), mst),
              QStringLiteral("6.2"));

    // A fresh player, as after a restart.
    auto again = makePlayer(defaultSettings());
    again->loadStartFont();
    again->playlist().addSongs({song}, false);
    again->Action_Play();
    audio::MidiStream *stream = again->stream();
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->eventValue(3, audio::MidiEvent::MixLevel), 149);
    EXPECT_EQ(stream->eventValue(5, audio::MidiEvent::MixLevel), 0);
    EXPECT_EQ(stream->eventValue(4, audio::MidiEvent::MixLevel), 100);
    EXPECT_EQ(stream->eventValue(7, audio::MidiEvent::Transpose), 102);
    EXPECT_DOUBLE_EQ(again->mixer().TempoRatio(), 0.938);
    EXPECT_EQ(stream->eventValue(0, audio::MidiEvent::Tempo),
              static_cast<int>(std::lround(baseTempo * 0.938)));
    // The length shown follows the tempo factor.
    EXPECT_TRUE(again->ShowTime().startsWith(QStringLiteral("00:00 / ")));
}

TEST_F(SongTest, SeveralPlayersLiveSideBySide)
{
    const QString song = writeShortSong(QStringLiteral("a.mid"), 2);
    auto first = makePlayer(defaultSettings());
    PlayerSettings other = defaultSettings();
    other.configFile = path(QStringLiteral("other.ini"));
    auto second = std::make_unique<Player>(other);
    first->loadStartFont();
    ASSERT_TRUE(second->ReplaceFont(writeFont(QStringLiteral("b.sf2"), {{0, 0}, {3, 1}})));
    EXPECT_EQ(first->MaxBank(), 0);
    EXPECT_EQ(second->MaxBank(), 3);
    first->playlist().addSongs({song}, false);
    second->playlist().addSongs({song, song}, false);
    first->Action_Play();
    second->Action_PlaySelected(2);
    ASSERT_NE(first->stream(), nullptr);
    ASSERT_NE(second->stream(), nullptr);
    EXPECT_EQ(first->stream()->font(), first->font());
    EXPECT_EQ(second->stream()->font(), second->font());
    EXPECT_EQ(second->playlist().CurrentSong(), 2);
    first->Action_Stop();
    EXPECT_NE(second->stream(), nullptr);
}

// The lyrics window reads its zoom from the song's settings when the player
// clears it.
struct ZoomView final : PlayerView {
    void lyricsCleared() override { scene.EffaceLyrics(player->SongSettingsFile()); }
    Player *player = nullptr;
    lyrics::LyricsScene scene;
};

TEST_F(SongTest, TheLyricsZoomIsReadForTheSongActuallyOpened)
{
    const QString a = writeShortSong(QStringLiteral("a.mid"));
    const QString bad = writeFile(QStringLiteral("bad.mid"), {'n', 'o'});
    const QString b = writeShortSong(QStringLiteral("b.mid"));
    const auto zoom = [this](const char *mst, const char *value) {
        WriteIni(QStringLiteral("Lyrics"), QStringLiteral("Zoom"), QString::fromLatin1(value),
                 path(QString::fromLatin1(mst)));
    };
    zoom("a.mst", "2");
    zoom("bad.mst", "8");
    zoom("b.mst", "7");
    auto player = makePlayer(defaultSettings());
    ZoomView view;
    view.player = player.get();
    player->setView(&view);
    player->playlist().addSongs({a, bad, b}, false);
    player->playlist().setCurrentSong(1);
    player->Action_Play();
    EXPECT_EQ(view.scene.Zoom(), 2);
    // The end of a: the unreadable entry is skipped for b.
    for (int guard = 0; player->SongPath() == a && guard < 1000; ++guard) {
        player->pull(4096);
    }
    ASSERT_EQ(player->SongPath(), b);
    EXPECT_EQ(view.scene.Zoom(), 7);
    // The list played through, Play starts again at a.
    for (int guard = 0; player->stream() && guard < 1000; ++guard) {
        player->pull(4096);
    }
    player->Action_Play();
    ASSERT_EQ(player->SongPath(), a);
    EXPECT_EQ(view.scene.Zoom(), 2);
}

} // namespace
} // namespace melorit::engine::test
