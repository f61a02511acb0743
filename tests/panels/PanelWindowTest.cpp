// The panels as secondary windows: texts from the language file, closing
// hides them, moving them keeps their offset from the main window.
#include "PanelFixture.h"

#include "base/Ini.h"

#include <QCloseEvent>
#include <QLabel>
#include <QSignalSpy>

using namespace melorit;
using namespace melorit::panels;
using namespace melorit::panels::test;

TEST_F(PanelsTest, TextsComeFromTheLanguageFile)
{
    EXPECT_EQ(m_reglage->windowTitle(), u"Channel settings");
    EXPECT_EQ(m_reverb->windowTitle(), u"Effects");
    EXPECT_EQ(m_reverb->frameCaption(false)->text(), u"Reverb");
    EXPECT_EQ(m_reverb->frameCaption(true)->text(), u"Chorus");
    EXPECT_EQ(m_reverb->nameLabel(96)->text(), u"Time");
    EXPECT_EQ(m_reverb->nameLabel(104)->text(), u"Feedback");
    EXPECT_EQ(m_reverb->nameLabel(106)->text(), u"To reverb");
    const QList<QLabel *> labels = m_reglage->findChildren<QLabel *>();
    QStringList texts;
    for (const QLabel *label : labels) {
        texts << label->text();
    }
    for (const auto *row :
         {u"Volume", u"Pan", u"Reverb", u"Chorus", u"Program", u"Bank", u"Drums", u"1", u"16"}) {
        EXPECT_TRUE(texts.contains(QString::fromUtf16(row)))
            << QString::fromUtf16(row).toStdString();
    }
}

TEST_F(PanelsTest, ClosingHidesThePanelAndRemembersItAsHidden)
{
    for (PanelWindow *panel : {static_cast<PanelWindow *>(m_reglage.get()),
                               static_cast<PanelWindow *>(m_reverb.get())}) {
        QSignalSpy hidden(panel, &PanelWindow::hiddenByUser);
        panel->show();
        EXPECT_FALSE(panel->close()) << "the close is cancelled";
        EXPECT_FALSE(panel->isVisible());
        EXPECT_EQ(hidden.count(), 1);
    }
    EXPECT_EQ(m_hiddenCalls, 2);
    EXPECT_EQ(ReadIni(QStringLiteral("Reglage"), QStringLiteral("Show"), m_configFile), u"0");
    EXPECT_EQ(ReadIni(QStringLiteral("Reverb"), QStringLiteral("Show"), m_configFile), u"0");
}

TEST_F(PanelsTest, ClosingInTheMiddleOfADragKeepsWhatIsHeard)
{
    press(kFirstEffectControl);
    moveTo(kFirstEffectControl, {10, -14}); // 20 pixels: +1000
    m_reverb->show();
    m_reverb->close();
    EXPECT_FALSE(m_reverb->isDragging());
    EXPECT_EQ(m_mixer.controllers().CtrlOverride(kFirstEffectControl), 3000);
    EXPECT_EQ(streamValue(0, engine::MIDI_EVENT_REVERB_TIME), 3000);
}

TEST_F(PanelsTest, AtShutdownOrAfterUnloadClosingCloses)
{
    m_reglage->show();
    m_reglage->Unload();
    EXPECT_TRUE(m_reglage->close());
    EXPECT_EQ(m_hiddenCalls, 0);
    EXPECT_EQ(ReadIni(QStringLiteral("Reglage"), QStringLiteral("Show"), m_configFile), u"");
}

TEST_F(PanelsTest, AMovedPanelKeepsItsOffsetInTwips)
{
    PanelHost host;
    host.mixer = &m_mixer;
    host.skins = &m_skins;
    host.configFile = m_configFile;
    QPoint kept;
    bool childrenMoving = false;
    host.mainWindowPos = [] { return QPoint(100, 50); };
    host.movingSecondaryWindows = [&childrenMoving] { return childrenMoving; };
    host.offsetChanged = [&kept](QPoint offset) { kept = offset; };
    Reverb panel(host);
    panel.move(160, 30);
    panel.MemoPosition();
    EXPECT_EQ(kept, QPoint(900, -300));
    EXPECT_EQ(ReadIni(QStringLiteral("Reverb"), QStringLiteral("X"), m_configFile), u"900");
    EXPECT_EQ(ReadIni(QStringLiteral("Reverb"), QStringLiteral("Y"), m_configFile), u"-300");

    // The main window moving its panels along changes no offset.
    childrenMoving = true;
    panel.move(400, 400);
    panel.MemoPosition();
    EXPECT_EQ(kept, QPoint(900, -300));
    EXPECT_EQ(ReadIni(QStringLiteral("Reverb"), QStringLiteral("X"), m_configFile), u"900");
    panel.Unload();
}
