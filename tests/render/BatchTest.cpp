// Batch conversion to the end of the playlist: the record command, the
// export dialog's choice of every following entry and the batch timer's
// ticks, driven here by the test instead of a window's timer.

#include "engine/Player.h"
#include "engine/PlayerDialogs.h"
#include "engine/PlayerView.h"
#include "export/SongRenderer.h"

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

class BatchAnswers final : public engine::PlayerDialogs, public RenderDialogs {
public:
    ExportSettings settings;
    bool chooseBatch = true;
    // The dialog (1-based) where the person presses OK instead of letting
    // the batch validate it: this song only.
    int okAtDialog = 0;
    int dialogs = 0;
    int overwriteQuestions = 0;
    std::vector<UserMessage> messages;

    std::optional<QString> chooseFile(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void message(const UserMessage &m) override { messages.push_back(m); }
    std::optional<Choice> exportDialog(const QString &, const QString &, const QString &) override
    {
        ++dialogs;
        return Choice{settings, {}, chooseBatch && dialogs != okAtDialog};
    }
    bool confirmOverwrite(const QString &, const QString &) override
    {
        ++overwriteQuestions;
        return false;
    }
};

struct TimerView final : engine::PlayerView {
    void batchTimerChanged(bool enabled) override { changes.push_back(enabled); }
    std::vector<bool> changes;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Frames of a WAV file whose header sizes agree with its length; -1 otherwise.
qint64 wavFrames(const QString &path)
{
    const QByteArray bytes = readAll(path);
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

class Batch : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"a.kar", "b.kar", "c.kar"}) {
            ASSERT_TRUE(QFile::copy(kDemo, song(name)));
        }
        m_answers.settings.SaveFolder = m_dir.filePath(QStringLiteral("out"));
        engine::PlayerSettings settings{
            m_dir.filePath(QStringLiteral("Melorit.ini")), {}, m_dir.path()};
        settings.output = engine::PlayerOutput::Pull;
        m_player = std::make_unique<engine::Player>(settings, &m_view, &m_answers);
        ASSERT_TRUE(m_player->ReplaceFont(QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2")));
        m_player->setRendering(&m_renderer);
        for (const char *name : {"a.kar", "b.kar", "c.kar"}) {
            m_player->playlist().addSong(song(name));
        }
        m_player->playlist().setCurrentSong(1);
    }
    QString song(const char *name) const { return m_dir.filePath(QLatin1StringView(name)); }
    QString out(const char *name) const
    {
        return m_dir.filePath(QStringLiteral("out/")) + QLatin1StringView(name);
    }
    // The record command, then the timer's ticks while it is enabled; the
    // number of ticks.
    int runBatch()
    {
        m_player->Action_Record();
        int ticks = 0;
        while (m_player->batchTimerEnabled() && ticks < 100) {
            m_player->TimerEncodage_Timer();
            ++ticks;
        }
        return ticks;
    }

    QTemporaryDir m_dir;
    BatchAnswers m_answers;
    TimerView m_view;
    SongRenderer m_renderer{m_answers};
    std::unique_ptr<engine::Player> m_player;
};

} // namespace

TEST_F(Batch, ConvertsEveryEntryToTheEndThenClearsItselfAndStopsTheTimer)
{
    const int ticks = runBatch();
    EXPECT_EQ(m_answers.dialogs, 3);
    // Two ticks per following song (advance, record), one past the end.
    EXPECT_EQ(ticks, 5);
    const qint64 first = wavFrames(out("a.wav"));
    EXPECT_GT(first, 44100 * 10);
    EXPECT_EQ(wavFrames(out("b.wav")), first);
    EXPECT_EQ(wavFrames(out("c.wav")), first);
    for (const char *kok : {"a.kok", "b.kok", "c.kok"}) {
        EXPECT_TRUE(QFileInfo::exists(out(kok))) << kok;
    }
    EXPECT_FALSE(m_player->BatchEncode());
    EXPECT_FALSE(m_player->batchTimerEnabled());
    EXPECT_EQ(m_player->stream(), nullptr);
    EXPECT_EQ(m_player->playlist().CurrentSong(), 4);
    ASSERT_FALSE(m_view.changes.empty());
    EXPECT_FALSE(m_view.changes.back());
    EXPECT_EQ(m_renderer.lastReport().outcome, RenderOutcome::Converted);
}

TEST_F(Batch, WithoutTheBatchChoiceOnlyTheCurrentSongIsConverted)
{
    m_answers.chooseBatch = false;
    EXPECT_EQ(runBatch(), 0);
    EXPECT_TRUE(QFileInfo::exists(out("a.wav")));
    EXPECT_FALSE(QFileInfo::exists(out("b.wav")));
    EXPECT_TRUE(m_view.changes.empty());
    EXPECT_EQ(m_player->playlist().CurrentSong(), 1);
}

TEST_F(Batch, OkInTheSecondSongsDialogEndsTheBatchAfterThatSong)
{
    m_answers.okAtDialog = 2;
    runBatch();
    EXPECT_EQ(m_answers.dialogs, 2);
    EXPECT_GT(wavFrames(out("b.wav")), 0);
    EXPECT_FALSE(QFileInfo::exists(out("c.wav")));
    EXPECT_FALSE(m_player->BatchEncode());
    EXPECT_FALSE(m_player->batchTimerEnabled());
    EXPECT_EQ(m_player->playlist().CurrentSong(), 2);
}

TEST_F(Batch, AStopDuringTheSecondSongAbandonsOnlyThatOne)
{
    int blocks = 0;
    m_renderer.setBetweenBlocks([&] {
        if (m_player->SongPath() == song("b.kar") && ++blocks == 300) {
            m_player->Action_Stop();
        }
    });
    runBatch();
    EXPECT_EQ(m_answers.dialogs, 3);
    const qint64 full = wavFrames(out("a.wav"));
    EXPECT_EQ(wavFrames(out("b.wav")), 300 * 256); // truncated, still valid
    EXPECT_FALSE(QFileInfo::exists(out("b.kok")));
    EXPECT_EQ(wavFrames(out("c.wav")), full);
    EXPECT_TRUE(QFileInfo::exists(out("c.kok")));
    EXPECT_FALSE(m_player->BatchEncode());
}

TEST_F(Batch, ExistingOutputsAreReplacedWithoutAQuestion)
{
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("out"))));
    for (const char *name : {"a.wav", "b.wav", "c.wav"}) {
        QFile old(out(name));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    runBatch();
    EXPECT_EQ(m_answers.overwriteQuestions, 0);
    const qint64 first = wavFrames(out("a.wav"));
    EXPECT_GT(first, 0);
    EXPECT_EQ(wavFrames(out("b.wav")), first);
    EXPECT_EQ(wavFrames(out("c.wav")), first);
}

TEST_F(Batch, AnUnreadableEntryIsReportedAndTheBatchGoesOn)
{
    {
        QFile broken(song("b.kar"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("not a MIDI file");
    }
    runBatch();
    ASSERT_EQ(m_answers.messages.size(), 1u);
    EXPECT_EQ(m_answers.messages[0].title, QStringLiteral("Error"));
    EXPECT_FALSE(QFileInfo::exists(out("b.wav")));
    EXPECT_GT(wavFrames(out("c.wav")), 0);
    EXPECT_FALSE(m_player->BatchEncode());
    EXPECT_FALSE(m_player->batchTimerEnabled());
}

TEST_F(Batch, TicksDuringAConversionAreIgnored)
{
    // The conversion lets the event loop run between blocks; a tick there
    // must not move the batch on (it would abandon the song).
    int current = 0;
    m_renderer.setBetweenBlocks([&] {
        m_player->TimerEncodage_Timer();
        current = std::max(current, m_player->playlist().CurrentSong());
        EXPECT_TRUE(m_player->converting());
    });
    runBatch();
    EXPECT_EQ(current, 3);
    EXPECT_EQ(wavFrames(out("b.wav")), wavFrames(out("a.wav")));
    EXPECT_FALSE(m_player->converting());
}
