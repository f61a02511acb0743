// The panels as drawn: every knob shows its sheet frame pixel for pixel, a
// control taken over looks it, and a picture of both panels is written for a
// person to look at.
#include "PanelFixture.h"

#include "engine/ControllerTable.h"
#include "panels/KnobPicture.h"
#include "skins/KnobFrames.h"

#include <QDir>
#include <QImage>
#include <QPainter>

using namespace melorit;
using namespace melorit::engine;
using namespace melorit::panels;
using namespace melorit::panels::test;

namespace {

QImage grabbed(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage frameImage(const skins::SkinSet &skins, const skins::Frame &frame)
{
    return skins::framePixmap(skins, frame).toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST_F(PanelsTest, KnobsAreDrawnWithTheirSheetFrames)
{
    play(0.2);
    drag(kRowPan + 3, 0, -20);
    drag(kFirstEffectControl + 8, 0, -40);
    const QImage reglage = grabbed(*m_reglage);
    const QImage reverb = grabbed(*m_reverb);
    for (const int index :
         {kRowPan + 3, kRowPan + 4, kRowProgram + 0, kRowBank + 9, kRowDrums + 9}) {
        const KnobPicture *picture = m_reglage->knob(index);
        const QRect at(picture->pos(), picture->size());
        EXPECT_EQ(reglage.copy(at), frameImage(m_skins, picture->frame())) << index;
    }
    const KnobPicture *feedback = m_reverb->knob(kFirstEffectControl + 8);
    EXPECT_EQ(feedback->frame(), skins::effectKnobFrame(40, 200, true));
    EXPECT_EQ(reverb.copy(QRect(feedback->pos(), feedback->size())),
              frameImage(m_skins, feedback->frame()));
}

TEST_F(PanelsTest, TakenOverControlsLookTakenOverInThePicture)
{
    play(0.2);
    const QImage before = grabbed(*m_reglage);
    const QImage beforeEffects = grabbed(*m_reverb);
    // A few controls taken over, so both sets of frames show.
    click(kRowProgram + 0);
    click(kRowProgram + 0);
    drag(kRowPan + 3, 0, -20);
    drag(kRowVolume + 1, 0, 15);
    click(kRowDrums + 3);
    click(kRowDrums + 3);
    drag(kFirstEffectControl + 0, 0, -30);
    drag(kFirstEffectControl + 8, 0, -40);
    drag(kFirstEffectControl + 9, 0, 10);

    const QImage top = grabbed(*m_reglage);
    const QImage bottom = grabbed(*m_reverb);
    for (const int index : {kRowProgram + 0, kRowPan + 3, kRowVolume + 1, kRowDrums + 3}) {
        const KnobPicture *picture = m_reglage->knob(index);
        const QRect at(picture->pos(), picture->size());
        EXPECT_NE(top.copy(at), before.copy(at)) << index;
    }
    for (const int index : {kFirstEffectControl + 0, kFirstEffectControl + 8}) {
        const KnobPicture *picture = m_reverb->knob(index);
        const QRect at(picture->pos(), picture->size());
        EXPECT_NE(bottom.copy(at), beforeEffects.copy(at)) << index;
    }

    // Both panels in one picture, for a person to look at (docs/panels.png).
    constexpr int gap = 12;
    QImage sheet(std::max(top.width(), bottom.width()) + 2 * gap,
                 top.height() + bottom.height() + 3 * gap, QImage::Format_RGB32);
    sheet.fill(QColor(0x0b, 0x0d, 0x10));
    {
        QPainter painter(&sheet);
        painter.drawImage(gap, gap, top);
        painter.drawImage(gap, 2 * gap + top.height(), bottom);
    }
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(PANELS_SCREENSHOT_DIR)));
    EXPECT_TRUE(sheet.save(QStringLiteral(PANELS_SCREENSHOT_DIR "/panels.png")));
}
