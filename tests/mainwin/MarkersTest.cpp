// Markers on the position bar, the marker commands and the time-entry dialog.
#include "MainWindowFixture.h"

#include "app/mainwin/MixPicture.h"
#include "app/mainwin/Temps.h"
#include "engine/TimeText.h"
#include "skins/PictureButton.h"
#include "slider/ucxSlider.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace melorit::mainwin::test {
namespace {

class MarkersTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        makeWindow();
        playDemo();
    }

    // Runs a marker command; while its dialog is open, `answer` acts on it.
    // Returns what the dialog showed (caption, proposed text).
    std::pair<QString, QString> withDialog(const std::function<void()> &command,
                                           const std::function<void(Temps &)> &answer)
    {
        std::pair<QString, QString> seen;
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<Temps *>(QApplication::activeModalWidget());
            if (!dialog) {
                return;
            }
            opened = true;
            seen = {dialog->windowTitle(), dialog->timeText()};
            answer(*dialog);
        });
        command();
        EXPECT_TRUE(opened);
        return seen;
    }
    static void type(Temps &dialog, const QString &text, bool confirm)
    {
        dialog.TextTemps()->setText(text);
        if (confirm) {
            dialog.Btn_Validation()->click();
        } else {
            dialog.Btn_Abandon()->click();
        }
    }

    skins::PictureButton *startButton() const { return m_window->picSM(44); }
    skins::PictureButton *endButton() const { return m_window->picSM(45); }
    QString tip(const char *templ, double seconds) const
    {
        return QString::fromLatin1(templ).arg(engine::SecondsToText(seconds));
    }
};

TEST_F(MarkersTest, MarkersNarrowTheSliderBetweenTheirButtons)
{
    trackel::ucxSlider *slider = m_window->sldPosition();
    const QRect full = slider->geometry();
    EXPECT_TRUE(startButton()->isHidden());
    EXPECT_EQ(full.left(), startButton()->x());
    EXPECT_EQ(full.right(), endButton()->geometry().right());

    click(m_window->picSM(39));
    EXPECT_TRUE(m_player->markers().PunchActive);
    EXPECT_EQ(m_window->buttonState(39), 1);
    EXPECT_FALSE(startButton()->isHidden());
    EXPECT_FALSE(endButton()->isHidden());
    EXPECT_EQ(slider->x(), startButton()->x() + startButton()->width() + 4);
    EXPECT_EQ(slider->x() + slider->width(), endButton()->x() - 4);
    EXPECT_EQ(settingsValue(QStringLiteral("Marqueurs"), QStringLiteral("Marche")),
              QStringLiteral("1"));
    // Not set yet: the tips say so.
    EXPECT_EQ(startButton()->toolTip(), QStringLiteral("Set the start marker"));
    EXPECT_EQ(endButton()->toolTip(), QStringLiteral("Set the end marker"));

    click(m_window->picSM(39));
    EXPECT_FALSE(m_player->markers().PunchActive);
    EXPECT_EQ(m_window->buttonState(39), 0);
    EXPECT_TRUE(startButton()->isHidden());
    EXPECT_EQ(slider->geometry(), full);
    EXPECT_EQ(settingsValue(QStringLiteral("Marqueurs"), QStringLiteral("Marche")),
              QStringLiteral("0"));
}

TEST_F(MarkersTest, PunchInProposesThePositionAndStoresTheTypedTime)
{
    m_player->pull(44100 * 4 * 3); // three seconds in
    click(m_window->picSM(39));
    const double position =
        audio::MidiStream::bytesToSeconds(m_player->stream()->position(audio::PosUnit::Bytes));
    const auto [caption, proposed] = withDialog(
        [&] { click(startButton()); }, [](Temps &d) { type(d, QStringLiteral("0:12,5"), true); });
    EXPECT_EQ(caption, QStringLiteral("Set the start marker"));
    EXPECT_EQ(proposed, engine::SecondsToText(position));
    EXPECT_DOUBLE_EQ(m_player->markers().PunchIn, 12.5);
    EXPECT_EQ(settingsValue(QStringLiteral("Marqueurs"), QStringLiteral("Debut")),
              QStringLiteral("12.500"));
    EXPECT_EQ(startButton()->toolTip(), tip("Start: %1 (click to change)", 12.5));

    withDialog([&] { click(endButton()); }, [](Temps &d) { type(d, QStringLiteral("40"), true); });
    EXPECT_DOUBLE_EQ(m_player->markers().PunchOut, 40);
    EXPECT_EQ(endButton()->toolTip(), tip("End: %1 (click to change)", 40));
    EXPECT_EQ(settingsValue(QStringLiteral("Marqueurs"), QStringLiteral("Fin")),
              QStringLiteral("40.000"));
}

TEST_F(MarkersTest, CancelOrAnInvalidTimeLeavesTheMarkerAsItWas)
{
    click(m_window->picSM(39));
    withDialog([&] { m_window->Action_PunchIn(); },
               [](Temps &d) { type(d, QStringLiteral("20"), true); });
    ASSERT_DOUBLE_EQ(m_player->markers().PunchIn, 20);

    withDialog([&] { m_window->Action_PunchIn(); },
               [](Temps &d) { type(d, QStringLiteral("5"), false); });
    EXPECT_DOUBLE_EQ(m_player->markers().PunchIn, 20);

    // A slip is refused: the dialog stays open with its confirm button off.
    bool stayedOpen = false;
    withDialog([&] { m_window->Action_PunchIn(); },
               [&stayedOpen](Temps &d) {
                   d.TextTemps()->setText(QStringLiteral("1:2O"));
                   EXPECT_FALSE(d.Btn_Validation()->isEnabled());
                   d.Btn_Validation()->click();
                   stayedOpen = d.isVisible() && !d.confirmed();
                   d.Btn_Abandon()->click();
               });
    EXPECT_TRUE(stayedOpen);
    EXPECT_DOUBLE_EQ(m_player->markers().PunchIn, 20);
    EXPECT_EQ(settingsValue(QStringLiteral("Marqueurs"), QStringLiteral("Debut")),
              QStringLiteral("20.000"));
}

TEST_F(MarkersTest, ResetButtonPutsZeroInTheBox)
{
    withDialog([&] { m_window->Action_PunchOut(); },
               [](Temps &d) {
                   d.TextTemps()->setText(QStringLiteral("3:00"));
                   d.Cmd_Raz()->click();
                   EXPECT_EQ(d.timeText(), QStringLiteral("0:00,000"));
                   EXPECT_TRUE(d.Btn_Validation()->isEnabled());
                   d.Btn_Validation()->click();
               });
    EXPECT_DOUBLE_EQ(m_player->markers().PunchOut, 0);
}

TEST_F(MarkersTest, TempsTakesItsTextsFromItsSection)
{
    Temps dialog(m_language);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Enter a time"));
    EXPECT_EQ(dialog.Btn_Abandon()->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(dialog.Btn_Validation()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.Cmd_Raz()->text(), QStringLiteral("Reset"));
    EXPECT_FALSE(dialog.confirmed());
    EXPECT_FALSE(dialog.confirmedTime().has_value());
}

TEST_F(MarkersTest, StoredTimesAreShownAtTheUsersTempo)
{
    // Slower by 20 %: the factor is 1.2 and a typed 10 s is stored as 12.
    click(m_window->picSM(39));
    MainWindowTest::press(m_window->potard(engine::kTempoControl), Qt::LeftButton, {10, 10});
    // 32 pixels x 3101 / 500 = 198.5 → 198; drag downwards to slow down.
    const int shift = -198;
    moveTo(m_window->potard(engine::kTempoControl), {10, 42});
    release(m_window->potard(engine::kTempoControl), Qt::LeftButton, {10, 42});
    ASSERT_EQ(m_player->mixer().TempoShift(), shift);
    const double ratio = m_player->mixer().TempoRatio();
    m_player->Action_Stop();
    withDialog([&] { m_window->Action_PunchIn(); },
               [](Temps &d) { type(d, QStringLiteral("10"), true); });
    EXPECT_DOUBLE_EQ(m_player->markers().PunchIn, 10 * ratio);
    // Without a song the stored time is proposed back as typed.
    const auto [caption, proposed] =
        withDialog([&] { m_window->Action_PunchIn(); }, [](Temps &d) { d.Btn_Abandon()->click(); });
    EXPECT_EQ(proposed, engine::SecondsToText(10));
}

} // namespace
} // namespace melorit::mainwin::test
