// The main window while a song converts and after: the refused transport
// buttons, the clock that comes back and the status line that says where the
// file went.
#include "MainWindowFixture.h"

#include "export/SongRenderer.h"
#include "skins/PictureButton.h"
#include "tests/support/RecordedMessages.h"

#include <QFile>
#include <QLabel>

#include <functional>

namespace melorit::mainwin::test {
namespace {

// The export dialog answered at once: a WAV file in the folder "out".
struct Answers final : exporting::RenderDialogs {
    exporting::ExportSettings settings;
    std::optional<Choice> exportDialog(const QString &, const QString &, const QString &) override
    {
        return Choice{settings, {}, false};
    }
    bool confirmOverwrite(const QString &, const QString &) override { return true; }
};

class ConversionTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        makeWindow();
        m_answers.settings.SaveFolder = m_dir.filePath(QStringLiteral("out"));
        m_answers.settings.MakeFile = false;
        m_player->setRendering(&m_renderer);
        m_player->playlist().addSongs({m_demo, m_demo}, false);
        m_player->playlist().setCurrentSong(1);
    }
    // Records the current song; the hook runs between two blocks, once, at
    // the given block.
    QByteArray convert(int atBlock = -1, const std::function<void()> &hook = {})
    {
        int blocks = 0;
        m_renderer.setBetweenBlocks([&] {
            if (++blocks == atBlock) {
                hook();
            }
        });
        click(m_window->picSM(36));
        QFile file(output());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString output() const { return m_dir.filePath(QStringLiteral("out/au-clair-de-la-lune.wav")); }
    bool clockShown() const
    {
        return m_window->lblTitle()->isVisibleTo(m_window.get()) &&
               !m_window->lblEncodage()->isVisibleTo(m_window.get());
    }

    testing::RecordedMessages m_messages;
    Answers m_answers;
    exporting::SongRenderer m_renderer{m_answers};
};

TEST_F(ConversionTest, AfterEveryConversionTheClockComesBackAndTheStatusNamesTheFile)
{
    convert();
    EXPECT_TRUE(clockShown());
    EXPECT_EQ(m_window->statusText(), QStringLiteral("Saved: ") + output());
    EXPECT_EQ(m_window->lblStatus()->toolTip(), m_window->statusText());

    convert(50, [this] { click(m_window->picSM(33)); }); // Stop cancels
    EXPECT_TRUE(clockShown());
    EXPECT_EQ(m_window->statusText(), QStringLiteral("Stopped, incomplete file: ") + output());

    m_answers.settings.Encoding = 9; // no such encoder
    convert();
    EXPECT_TRUE(clockShown());
    EXPECT_TRUE(m_window->statusText().startsWith(QStringLiteral("Not converted: ")));
    EXPECT_EQ(m_messages.messages.size(), 1u); // the encoder's error box, once
}

TEST_F(ConversionTest, TransportButtonsAreRefusedWhileASongConverts)
{
    const QByteArray reference = convert();
    ASSERT_GT(reference.size(), 44100 * 4 * 10);
    std::vector<bool> dimmed;
    QString said;
    const QByteArray again = convert(50, [&] {
        for (const int button : {32, 34, 35, 36, 37}) {
            dimmed.push_back(m_window->picSM(button)->dimmed());
            click(m_window->picSM(button));
        }
        said = m_window->statusText();
    });
    EXPECT_EQ(dimmed, std::vector<bool>(5, true));
    EXPECT_EQ(said, QStringLiteral("A conversion is running: Stop cancels it"));
    EXPECT_FALSE(m_window->picSM(33)->dimmed()); // Stop still cancels
    EXPECT_TRUE(again == reference) << "the converted file changed";
    EXPECT_TRUE(m_messages.messages.empty());
    EXPECT_EQ(m_renderer.lastReport().outcome, exporting::RenderOutcome::Converted);
    EXPECT_EQ(m_player->playlist().CurrentSong(), 1);
    EXPECT_EQ(m_player->stream(), nullptr);
    // Open goes to the program, which refuses it the same way.
    EXPECT_EQ(m_host.calls, std::vector<std::string>{"Action_Open"});
    EXPECT_FALSE(m_window->picSM(35)->dimmed());
}

} // namespace
} // namespace melorit::mainwin::test
