#include "tests/scoring/TakeFixture.h"

#include "audio/MidiStream.h"
#include "base/Ini.h"
#include "engine/Player.h"
#include "engine/SongSettings.h"
#include "lyrics/StreamLyricsSource.h"

#include <QFile>

#include <cmath>
#include <numbers>

namespace melorit::scoring::test {

std::vector<float> renderMelodyTake(const QString &song, const QString &configFile)
{
    engine::PlayerSettings settings;
    settings.configFile = configFile;
    settings.output = engine::PlayerOutput::Pull;
    engine::Player player(settings);
    EXPECT_TRUE(player.ReplaceFont(QString::fromLatin1(kGeneralMidiFont)));
    player.mixer().setAutoMute(false);
    player.playlist().addSong(song);
    player.Action_Play();
    const int melody = player.lyrics().nCanalLyrics();
    EXPECT_GE(melody, 0);
    player.mixer().PicSM_MouseDown(engine::MouseButton::Left);
    player.mixer().PicSM_Click(melody); // solo
    std::vector<float> take;
    std::vector<std::int16_t> block(4096);
    while (!player.songEnded()) {
        const std::int64_t bytes = player.pull(block.data(), block.size() * sizeof(std::int16_t));
        if (bytes <= 0) {
            break;
        }
        for (std::int64_t i = 0; i + 1 < bytes / 2; i += 2) {
            take.push_back(
                (block[static_cast<std::size_t>(i)] + block[static_cast<std::size_t>(i + 1)]) /
                65536.0f);
        }
    }
    return take;
}

std::vector<float> sineTake(const MelodyTarget &target, double cents)
{
    const double rate = 44100;
    const auto &notes = target.notes();
    std::vector<float> take(
        static_cast<std::size_t>(target.secondsAt(notes.back().endTick) * rate) + 4410, 0.0f);
    double sign = 1;
    for (const TargetNote &n : notes) {
        const double key = n.key + target.options().transpose + sign * cents / 100;
        const double hz = 440 * std::pow(2.0, (key - 69) / 12);
        const auto from = static_cast<std::size_t>(target.secondsAt(n.startTick) * rate);
        const auto to = static_cast<std::size_t>(target.secondsAt(n.endTick) * rate);
        for (std::size_t i = from; i < to && i < take.size(); ++i) {
            const double t = static_cast<double>(i - from) / rate;
            take[i] = static_cast<float>(0.3 * std::sin(2 * std::numbers::pi * hz * t));
        }
        sign = -sign;
    }
    return take;
}

MelodyTarget targetOf(const QString &song)
{
    auto stream = audio::MidiStream::openFile(song.toStdString(), {});
    EXPECT_TRUE(stream);
    lyrics::LyricsModel model;
    const lyrics::StreamLyricsSource source(*stream);
    model.InitLyrics(source);
    model.FindMelodyChannel(source);
    const QString mst = engine::mst::SongSettingsFile(song);
    TargetOptions options;
    options.transpose = engine::mst::readTranspose(mst);
    options.tempoRatio = engine::mst::tempoRatio(engine::mst::readTempo(mst));
    return MelodyTarget::build(stream->file(), model, options);
}

namespace {

void put16(QByteArray &b, int v)
{
    b.append(static_cast<char>(v & 0xFF)).append(static_cast<char>((v >> 8) & 0xFF));
}

void put32(QByteArray &b, std::uint32_t v)
{
    put16(b, static_cast<int>(v & 0xFFFF));
    put16(b, static_cast<int>(v >> 16));
}

} // namespace

bool writeTake(const QString &path, const std::vector<float> &take, int rate, int channels)
{
    QByteArray data;
    const double step = 44100.0 / rate;
    for (double at = 0; at < static_cast<double>(take.size()); at += step) {
        const float v = take[static_cast<std::size_t>(at)];
        for (int c = 0; c < channels; ++c) {
            put16(data, static_cast<int>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767)));
        }
    }
    QByteArray wav("RIFF");
    put32(wav, static_cast<std::uint32_t>(36 + data.size()));
    wav.append("WAVEfmt ");
    put32(wav, 16);
    put16(wav, 1);
    put16(wav, channels);
    put32(wav, static_cast<std::uint32_t>(rate));
    put32(wav, static_cast<std::uint32_t>(rate * channels * 2));
    put16(wav, channels * 2);
    put16(wav, 16);
    wav.append("data");
    put32(wav, static_cast<std::uint32_t>(data.size()));
    wav.append(data);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(wav) == wav.size();
}

void ScoringTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_song = path(QStringLiteral("au-clair-de-la-lune.kar"));
    ASSERT_TRUE(QFile::copy(
        QStringLiteral(MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar"), m_song));
    m_config = path(QStringLiteral("Melorit.ini"));
}

void ScoringTest::setMst(const QString &section, const QString &value) const
{
    WriteIni(section, QStringLiteral("Slider"), value, engine::mst::SongSettingsFile(m_song));
}

} // namespace melorit::scoring::test
