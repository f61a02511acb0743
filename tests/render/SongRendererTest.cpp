// The rendering road in process: a conversion (audio or video) cancelled
// between blocks, an encoder that dies, and a punched section with its fade
// and lyrics file.

#include "export/SongRenderer.h"
#include "engine/Markers.h"
#include "engine/Player.h"
#include "engine/PlayerDialogs.h"
#include "tests/support/MediaProbe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <vector>

using namespace melorit;
using namespace melorit::exporting;

namespace {

const QString kDemo = QStringLiteral(MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar");

class Answers final : public engine::PlayerDialogs, public RenderDialogs {
public:
    ExportSettings settings;
    std::vector<UserMessage> messages;

    std::optional<QString> chooseFile(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void message(const UserMessage &m) override { messages.push_back(m); }
    std::optional<Choice> exportDialog(const QString &, const QString &, const QString &) override
    {
        return Choice{settings, {}};
    }
    bool confirmOverwrite(const QString &, const QString &) override { return false; }
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Frames of a WAV file whose header sizes agree with its length; -1 otherwise.
qint64 wavFrames(const QByteArray &bytes)
{
    if (bytes.size() < 44 || !bytes.startsWith("RIFF")) {
        return -1;
    }
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qint64 data = qFromLittleEndian<quint32>(p + 40);
    const qint64 riff = qFromLittleEndian<quint32>(p + 4);
    if (data != bytes.size() - 44 || riff != bytes.size() - 8) {
        return -1;
    }
    return data / 4;
}

std::int16_t sampleAt(const QByteArray &wav, qint64 frame)
{
    return qFromLittleEndian<qint16>(wav.constData() + 44 + frame * 4);
}

class Rendering : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(kDemo, song()));
        m_answers.settings.SaveFolder = m_dir.filePath(QStringLiteral("out"));
    }
    QString song() const { return m_dir.filePath(QStringLiteral("song.kar")); }
    QString out(const char *name) const
    {
        return m_dir.filePath(QStringLiteral("out/")) + QLatin1StringView(name);
    }

    // Renders the song with a player whose program folder is programFolder.
    RenderReport render(const QString &programFolder = {}, std::function<void()> between = {})
    {
        engine::PlayerSettings settings{m_dir.filePath(QStringLiteral("Melorit.ini")),
                                        {},
                                        programFolder.isEmpty() ? m_dir.path() : programFolder};
        settings.output = engine::PlayerOutput::Pull;
        engine::Player player(settings, nullptr, &m_answers);
        EXPECT_TRUE(player.ReplaceFont(QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2")));
        SongRenderer renderer(m_answers);
        renderer.setBetweenBlocks(std::move(between));
        m_player = &player;
        player.setRendering(&renderer);
        player.playlist().addSong(song());
        player.playlist().setCurrentSong(1);
        player.OpenSong(false);
        m_player = nullptr;
        return renderer.lastReport();
    }

    QTemporaryDir m_dir;
    Answers m_answers;
    engine::Player *m_player = nullptr;
};

} // namespace

TEST_F(Rendering, CancelLeavesATruncatedValidWavAndNoLyricsFile)
{
    int blocks = 0;
    const RenderReport report = render({}, [&] {
        if (++blocks == 500) {
            m_player->Action_Stop();
        }
    });
    EXPECT_EQ(report.outcome, RenderOutcome::Stopped);
    const qint64 frames = wavFrames(readAll(out("song.wav")));
    EXPECT_EQ(frames, 500 * 256);
    EXPECT_FALSE(QFileInfo::exists(out("song.kok")));
    EXPECT_FALSE(report.lyricsFileWritten);
}

// Loudness matching hands the song on only once it has ended: a cancel while
// it renders leaves an empty valid WAV, one while it is handed on a shorter
// valid one; never the scratch file.
TEST_F(Rendering, ACancelledMatchedConversionStopsAndLeavesNoScratchFile)
{
    m_answers.settings.Normalize = true;
    for (const bool handingOn : {false, true}) {
        QFile::remove(out("song.wav"));
        int blocks = 0;
        const RenderReport report = render({}, [&] {
            // The 500th block rendered, or the 19th piece handed on (the first
            // call after the end follows the last block).
            if ((m_player->songEnded() == handingOn) && ++blocks == (handingOn ? 20 : 500)) {
                m_player->Action_Stop();
            }
        });
        EXPECT_EQ(report.outcome, RenderOutcome::Stopped) << handingOn;
        EXPECT_FALSE(report.lyricsFileWritten);
        const qint64 frames = wavFrames(readAll(out("song.wav")));
        EXPECT_EQ(frames, handingOn ? 19 * 16384 : 0) << handingOn;
        EXPECT_EQ(QDir(m_dir.filePath(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("song.wav")});
    }
}

TEST_F(Rendering, ACancelledVideoIsAPlayableMp4OfWhatWasRendered)
{
    m_answers.settings.Encoding = 3;
    m_answers.settings.Video.Size = QStringLiteral("320x180");
    int blocks = 0;
    const RenderReport report = render({}, [&] {
        if (++blocks == 500) {
            m_player->Action_Stop();
        }
    });
    EXPECT_EQ(report.outcome, RenderOutcome::Stopped);
    EXPECT_TRUE(m_answers.messages.empty());
    const melorit::testing::MediaInfo info = melorit::testing::probeMedia(out("song.mp4"));
    EXPECT_EQ(info.codecs, (QStringList{QStringLiteral("h264"), QStringLiteral("aac")}));
    EXPECT_NEAR(info.duration, 500 * 256 / 44100.0, 0.1);
    EXPECT_FALSE(QFileInfo::exists(out("song.kok")));
}

TEST_F(Rendering, AnEncoderThatDiesEndsTheLoopKeepsItsOutputAndSaysSo)
{
    // A "lame" in the program folder that reads a little, writes it and
    // exits with an error.
    const QString folder = m_dir.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString lame = folder + QStringLiteral("/lame");
    {
        QFile script(lame);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nfor last; do :; done\nhead -c 200000 > \"$last\"\n"
                     "echo 'disk full' >&2\nexit 3\n");
    }
    QFile(lame).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_answers.settings.Encoding = 1;

    const RenderReport report = render(folder);
    EXPECT_EQ(report.outcome, RenderOutcome::EncoderDied);
    EXPECT_EQ(QFileInfo(out("song.mp3")).size(), 200000);
    EXPECT_FALSE(QFileInfo::exists(out("song.kok")));
    ASSERT_EQ(m_answers.messages.size(), 1u);
    EXPECT_TRUE(m_answers.messages[0].text.startsWith(QStringLiteral("Problème d'encodage")));
}

TEST_F(Rendering, AMissingEncoderProducesNothing)
{
    m_answers.settings.Encoding = 7; // no encoder exists for it
    const RenderReport report = render();
    EXPECT_EQ(report.outcome, RenderOutcome::EncoderError);
    EXPECT_FALSE(QFileInfo::exists(report.paths.OutputPath));
    EXPECT_FALSE(QFileInfo::exists(out("song.kok")));
    ASSERT_EQ(m_answers.messages.size(), 1u);
    EXPECT_TRUE(m_answers.messages[0].text.contains(QStringLiteral("Problème d'encodage")));
}

TEST_F(Rendering, PunchedSectionFadesOutAndItsLyricsStartAtZero)
{
    engine::SaveMarqueurs(m_dir.filePath(QStringLiteral("song.mst")), {5.0, 10.0, true});
    const RenderReport report = render();
    ASSERT_EQ(report.outcome, RenderOutcome::Converted);
    const QByteArray wav = readAll(out("song.wav"));
    const qint64 frames = wavFrames(wav);
    // Section, fade of 0.3 s and the 0.01 s margin, to a block of 256 frames.
    EXPECT_NEAR(static_cast<double>(frames) / 44100.0, 5.31, 256.0 / 44100.0);
    // Sound before the fade, silence once it is over.
    int loud = 0;
    for (qint64 f = 44100; f < 4 * 44100; ++f) {
        loud = std::max(loud, std::abs(static_cast<int>(sampleAt(wav, f))));
    }
    EXPECT_GT(loud, 1000);
    for (qint64 f = static_cast<qint64>(5.301 * 44100); f < frames; ++f) {
        ASSERT_EQ(sampleAt(wav, f), 0) << f;
    }
    // The first syllable, heard at 5 s in the song, is at 0 in the section.
    const QByteArray kok = readAll(out("song.kok"));
    ASSERT_TRUE(kok.startsWith("Au;")) << kok.left(40).constData();
    EXPECT_TRUE(kok.startsWith("Au;0")) << kok.left(40).constData();
}

TEST_F(Rendering, EveryChosenLyricsFormatStartsAtTheSection)
{
    m_answers.settings.Formats = QStringLiteral("lrc,ass");
    engine::SaveMarqueurs(m_dir.filePath(QStringLiteral("song.mst")), {5.0, 10.0, true});
    ASSERT_EQ(render().outcome, RenderOutcome::Converted);
    EXPECT_FALSE(QFileInfo::exists(out("song.kok")));
    const QByteArray lrc = readAll(out("song.lrc"));
    EXPECT_TRUE(lrc.startsWith("[00:00.00]<00:00.00>Au <00:00.63>clair")) << lrc.left(60).data();
    const QByteArray ass = readAll(out("song.ass"));
    EXPECT_TRUE(ass.contains("\r\nDialogue: 0,0:00:00.00,0:00:05.00,Default,,0,0,0,,{\\k63}Au "))
        << ass.right(200).data();
}
