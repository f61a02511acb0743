// The program while it converts a song: the commands that reach the player
// through the program and the playlist window are refused, and the file
// comes out as if nothing had been asked.
#include "ProgramFixture.h"

#include "export/SongRenderer.h"
#include "playlist/FileChooser.h"

#include <QFile>
#include <QTimer>

namespace melorit::program::test {
namespace {

const QString kTimGM = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");

struct Answers final : exporting::RenderDialogs {
    exporting::ExportSettings settings;
    std::optional<Choice> exportDialog(const QString &, const QString &, const QString &) override
    {
        return Choice{settings, {}, false};
    }
    bool confirmOverwrite(const QString &, const QString &) override { return true; }
};

struct CountingChooser final : playlist::FileChooser {
    QStringList chooseFilesToOpen(const playlist::FileDialogRequest &) override
    {
        ++asked;
        return {};
    }
    QString chooseFileToSave(const playlist::FileDialogRequest &) override
    {
        ++asked;
        return {};
    }
    int asked = 0;
};

class ConversionTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        m_answers.settings.SaveFolder = file(QStringLiteral("out"));
        m_answers.settings.MakeFile = false;
        m_renderDialogs = &m_answers;
        m_chooser = &m_chooser_;
    }
    QByteArray output() const
    {
        QFile wav(file(QStringLiteral("out/a.wav")));
        return wav.open(QIODevice::ReadOnly) ? wav.readAll() : QByteArray();
    }

    Answers m_answers;
    CountingChooser m_chooser_;
};

TEST_F(ConversionTest, OpenAPlaylistLineAndAnotherSoundFontAreRefusedWhileASongConverts)
{
    ASSERT_TRUE(
        startProgram({writeSong(QStringLiteral("a.mid"), 16), writeSong(QStringLiteral("b.mid"))}));
    engine::Player &player = *m_program->player();
    const QString font = player.FontPath();
    player.Action_Record();
    const QByteArray reference = output();
    ASSERT_GT(reference.size(), 44100 * 4 * 4);

    // The conversion lets the window's events run between its blocks.
    bool asked = false;
    QTimer::singleShot(0, m_program.get(), [&] {
        asked = player.converting();
        m_program->Action_Open();
        m_program->Action_PlaySelected(2); // a double-click on the second line
        m_program->GereDrop({file(QStringLiteral("other.sf2"))});
        player.ChangeSF2();
    });
    ASSERT_TRUE(QFile::copy(kTimGM, file(QStringLiteral("other.sf2"))));
    player.Action_Record();
    ASSERT_TRUE(asked);
    EXPECT_TRUE(output() == reference) << "the converted file changed";
    EXPECT_EQ(m_chooser_.asked, 0);
    EXPECT_TRUE(m_dialogs.messages.empty());
    EXPECT_EQ(m_dialogs.chooserCalls, 0);
    EXPECT_EQ(player.playlist().CurrentSong(), 1);
    EXPECT_EQ(player.FontPath(), font);
    EXPECT_EQ(player.stream(), nullptr);
}

} // namespace
} // namespace melorit::program::test
