// The main window's buttons, keys, drops, moves, texts and tooltips.
#include "MainWindowFixture.h"

#include "app/mainwin/MainLayout.h"
#include "app/mainwin/MixPicture.h"
#include "base/Ini.h"
#include "skins/ButtonFrames.h"
#include "skins/FramePicture.h"
#include "skins/PictureButton.h"
#include "skins/Skins.h"
#include "slider/ucxSlider.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

namespace melorit::mainwin::test {
namespace {

using Calls = std::vector<std::string>;

QImage pictureOf(int index, int state, const skins::SkinSet &skins)
{
    return skins::framePixmap(skins, *skins::mainButtonFrame(index, state)).toImage();
}

TEST_F(MainWindowTest, CommandRunsOnlyOnReleaseOverItsButton)
{
    makeWindow();
    skins::PictureButton *help = m_window->picSM(38);
    press(help);
    EXPECT_TRUE(m_host.calls.empty());
    // Held: drawn pressed.
    EXPECT_EQ(help->picture().toImage(), pictureOf(38, 1, m_skins));
    // Released away from the button: nothing runs, the button is back.
    release(help, Qt::LeftButton, {help->width() + 20, 5});
    EXPECT_TRUE(m_host.calls.empty());
    EXPECT_EQ(help->picture().toImage(), pictureOf(38, 0, m_skins));
    click(help);
    EXPECT_EQ(m_host.calls, Calls{"Action_Help"});
    // A right click runs no command.
    click(help, Qt::RightButton);
    EXPECT_EQ(m_host.calls, Calls{"Action_Help"});
}

TEST_F(MainWindowTest, ButtonsReachTheProgramsCommands)
{
    makeWindow();
    for (const int index : {37, 40, 41, 43, 46, 47, 49}) {
        click(m_window->picSM(index));
    }
    EXPECT_EQ(m_host.calls, (Calls{"Action_Open", "Action_Reglage", "Action_Reverb", "Action_Setup",
                                   "Action_Lyrics", "Action_Playlist", "QuitProgram"}));
}

TEST_F(MainWindowTest, PlayStopAndRepeatButtonsDrawThePlayersState)
{
    makeWindow();
    m_player->playlist().addSongs({m_demo}, false);
    click(m_window->picSM(35));
    ASSERT_NE(m_player->stream(), nullptr);
    EXPECT_EQ(m_window->buttonState(35), 1);
    EXPECT_EQ(m_window->picSM(35)->picture().toImage(), pictureOf(35, 1, m_skins));
    click(m_window->picSM(33));
    EXPECT_EQ(m_player->stream(), nullptr);
    EXPECT_EQ(m_window->buttonState(35), 0);

    for (const int mode : {2, 3, 0}) {
        click(m_window->picSM(42));
        EXPECT_EQ(m_player->RepeatMode(), mode);
        EXPECT_EQ(m_window->buttonState(42), mode);
        EXPECT_EQ(m_window->picSM(42)->picture().toImage(), pictureOf(42, mode, m_skins));
    }
}

TEST_F(MainWindowTest, RecordButtonStopsListeningAndOpensTheSongForConversion)
{
    makeWindow();
    playDemo();
    ASSERT_TRUE(m_player->ListenMode());
    click(m_window->picSM(36));
    // Without a conversion behind the player nothing is rendered, but the
    // song heard is stopped and the player is in conversion mode.
    EXPECT_FALSE(m_player->ListenMode());
    EXPECT_EQ(m_player->stream(), nullptr);
    EXPECT_EQ(m_window->buttonState(35), 0);
    // The batch timer follows what the player asks.
    EXPECT_FALSE(m_window->batchTimerRunning());
    m_window->batchTimerChanged(true);
    EXPECT_TRUE(m_window->batchTimerRunning());
    m_window->batchTimerChanged(false);
    EXPECT_FALSE(m_window->batchTimerRunning());
}

TEST_F(MainWindowTest, F1AnywhereOpensTheAboutBoxOtherKeysDoNothing)
{
    makeWindow();
    for (const int key : {int(Qt::Key_F2), int(Qt::Key_F12), int(Qt::Key_A), int(Qt::Key_F1)}) {
        QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &event);
    }
    EXPECT_EQ(m_host.calls, Calls{"Action_Help"});
}

TEST_F(MainWindowTest, DroppedFilesGoToTheProgram)
{
    makeWindow();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(m_demo), QUrl::fromLocalFile(QStringLiteral("/tmp/bank.sf2")),
                  QUrl(QStringLiteral("https://example.org/song.mid"))});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &drop);
    EXPECT_EQ(m_host.calls, Calls{"GereDrop"});
    EXPECT_EQ(m_host.dropped, (QStringList{m_demo, QStringLiteral("/tmp/bank.sf2")}));
}

TEST_F(MainWindowTest, DraggedByAnyPointAndEveryMoveIsReported)
{
    makeWindow();
    m_window->move(100, 100);
    m_window->show();
    QApplication::processEvents();
    const QPoint start = m_window->pos();
    const int movesBefore = m_host.moves;
    // The caption in the title bar and an activity lamp both drag.
    for (QWidget *grip : {static_cast<QWidget *>(m_window->label(QStringLiteral("lblCaption"))),
                          static_cast<QWidget *>(m_window->picJ(0))}) {
        const QPoint before = m_window->pos();
        const QPoint at(5, 5);
        const QPoint global = grip->mapToGlobal(at);
        QMouseEvent down(QEvent::MouseButtonPress, QPointF(at), QPointF(global), Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grip, &down);
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(global + QPoint(40, 25)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &move);
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(at), QPointF(global + QPoint(40, 25)),
                       Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &up);
        QApplication::processEvents();
        EXPECT_EQ(m_window->pos(), before + QPoint(40, 25));
    }
    EXPECT_EQ(m_window->pos(), start + QPoint(80, 50));
    EXPECT_GE(m_host.moves, movesBefore + 2);
}

TEST_F(MainWindowTest, ClosingAsksTheProgramToQuit)
{
    makeWindow();
    m_window->show();
    EXPECT_FALSE(m_window->close());
    EXPECT_EQ(m_host.calls, Calls{"QuitProgram"});
    EXPECT_TRUE(m_window->isVisible());
    m_host.closing = true;
    EXPECT_TRUE(m_window->close());
    EXPECT_FALSE(m_window->clockRunning());
}

TEST_F(MainWindowTest, MinimiseButtonMinimises)
{
    makeWindow();
    m_window->show();
    click(m_window->picSM(50));
    EXPECT_TRUE(m_window->isMinimized());
}

TEST_F(MainWindowTest, SoloAndMuteButtonsShareOneTooltipEach)
{
    // Keys for single buttons are not read: the group's text is.
    setLanguageText(QStringLiteral("SM(3)"), QStringLiteral("not this"));
    setLanguageText(QStringLiteral("SM(20)"), QStringLiteral("nor this"));
    makeWindow();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(m_window->picSM(i)->toolTip(),
                  QStringLiteral("Solo: hear only this channel (right-click: cancel)"))
            << i;
    }
    for (int i = 16; i < 32; ++i) {
        EXPECT_EQ(m_window->picSM(i)->toolTip(),
                  QStringLiteral("Mute: silence this channel (right-click: restore)"))
            << i;
    }
    EXPECT_EQ(m_window->picSM(35)->toolTip(), QStringLiteral("Play (Space: pause, and go on)"));
    EXPECT_EQ(m_window->picSM(50)->toolTip(), QStringLiteral("Minimise"));
    EXPECT_EQ(m_window->clipLed()->toolTip(), QStringLiteral("Clipping"));
    EXPECT_EQ(m_window->sldPosition()->toolTip(), QStringLiteral("Song position"));
}

TEST_F(MainWindowTest, LabelsComeFromTheLanguageFileCutTo127Characters)
{
    makeWindow();
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Melorit"));
    EXPECT_EQ(m_window->label(QStringLiteral("LabelMuet"))->text(), QStringLiteral("Mute"));
    EXPECT_EQ(m_window->label(QStringLiteral("Gauche"))->text(), QStringLiteral("L"));
    EXPECT_EQ(m_window->label(QStringLiteral("LabelVol(0)"))->text(), QStringLiteral("x2"));
    EXPECT_EQ(m_window->lblEncodage()->text(), QStringLiteral("Converting..."));

    QString longText;
    for (int i = 0; i < 150; ++i) {
        longText += QChar(u'a' + i % 26);
    }
    setLanguageText(QStringLiteral("Caption"), longText);
    setLanguageText(QStringLiteral("Solo"), longText);
    setLanguageText(QStringLiteral("SM(16)"), longText);
    m_window->LoadLanguage();
    EXPECT_EQ(m_window->windowTitle(), longText.left(127));
    // The title bar shows as much as fits, the whole caption in its tip.
    EXPECT_EQ(m_window->label(QStringLiteral("lblCaption"))->toolTip(), longText.left(127));
    EXPECT_EQ(m_window->label(QStringLiteral("LabelSolo"))->text(), longText.left(127));
    EXPECT_EQ(m_window->picSM(31)->toolTip(), longText.left(127));
    // The mixer's tips follow the language too.
    setLanguageText(QStringLiteral("Knob(Gain)"), QStringLiteral("G %1"));
    m_window->LoadLanguage();
    EXPECT_EQ(m_window->potard(16)->toolTip(), QStringLiteral("G =0"));
    // A missing key leaves an empty text.
    WriteIni(QStringLiteral("Main"), QStringLiteral("Muet"), QString(), m_language);
    m_window->LoadLanguage();
    EXPECT_EQ(m_window->label(QStringLiteral("LabelMuet"))->text(), QString());
}

// Every label's text fits its place in both shipped languages, so nothing is
// cut at any scale (the layout is in logical pixels).
TEST_F(MainWindowTest, NoLabelIsClippedInEitherLanguage)
{
    for (const char *lang : {"en.lng", "fr.lng"}) {
        const QString file = m_dir.filePath(QString::fromLatin1(lang));
        QFile::remove(file);
        ASSERT_TRUE(QFile::copy(QStringLiteral(MELORIT_SOURCE_DIR "/resources/lang/") +
                                    QString::fromLatin1(lang),
                                file));
        m_host.language = file;
        if (!m_window) {
            makeWindow();
        }
        m_window->LoadLanguage();
        m_window->timeSliderReset(QStringLiteral("100:00 / 100:00"));
        m_window->gainCaptionChanged(QStringLiteral("1000 %"));
        for (QLabel *label : m_window->findChildren<QLabel *>()) {
            const int advance = label->fontMetrics().horizontalAdvance(label->text());
            EXPECT_LE(advance, label->width()) << lang << " " << label->objectName().toStdString()
                                               << " \"" << label->text().toStdString() << "\"";
            EXPECT_LE(label->fontMetrics().height(), label->height() + 2)
                << lang << " " << label->objectName().toStdString();
        }
    }
}

} // namespace
} // namespace melorit::mainwin::test
