// One look for a new user: message boxes and file choosers as dark as the
// windows, and readable figures before any song is opened.
#include "NewUserFixture.h"

#include "app/mainwin/MixPicture.h"
#include "engine/MixTarget.h"
#include "panels/EffectControls.h"
#include "panels/Reverb.h"
#include "skins/SkinPalette.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>

namespace melorit::newuser::test {
namespace {

// The colour a shown window is painted with just inside its top-left corner.
QColor backgroundOf(QWidget &window)
{
    window.show();
    NewUserTest::settle(100);
    const QImage picture = window.grab().toImage();
    window.hide();
    return picture.pixelColor(4, 4);
}

TEST_F(NewUserTest, MessageBoxesAndFileChoosersAreAsDarkAsTheWindows)
{
    ASSERT_TRUE(startProgram());
    const QColor dark(skins::palette::kWindow);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Melorit"), QStringLiteral("A message"),
                    QMessageBox::Ok, mainWindow());
    EXPECT_EQ(backgroundOf(box), dark);
    QFileDialog chooser(mainWindow(), QStringLiteral("Open"));
    EXPECT_EQ(backgroundOf(chooser), dark);
    // The desktop's own chooser would keep the desktop's colours.
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
}

TEST_F(NewUserTest, BeforeASongTheFiguresAreTheSynthesizersWithTheirUnits)
{
    ASSERT_TRUE(startProgram());
    // The label beside the tempo already says "BPM".
    EXPECT_EQ(mainWindow()->label(QStringLiteral("lblBPM"))->text(), u"BPM");
    EXPECT_EQ(mainWindow()->potard(engine::kTempoControl)->ledText(), u"---");

    m_program->Action_Reverb();
    settle();
    const panels::Reverb &effects = *m_program->effectsPanel();
    EXPECT_EQ(effects.valueLabel(panels::kFirstEffectControl)->text(), u"20.0 %");     // room 0.2
    EXPECT_EQ(effects.valueLabel(panels::kFirstEffectControl + 4)->text(), u"90.0 %"); // level
    EXPECT_EQ(effects.valueLabel(panels::kFirstEffectControl + 6)->text(), u"4.0 ms");
    EXPECT_EQ(effects.valueLabel(panels::kFirstEffectControl + 7)->text(), u"0.30 Hz");
    for (int i = 0; i < panels::kEffectControlCount; ++i) {
        const QLabel *value = effects.valueLabel(panels::kFirstEffectControl + i);
        // The whole text fits its label.
        EXPECT_LE(value->fontMetrics().horizontalAdvance(value->text()), value->width()) << i;
    }
}

} // namespace
} // namespace melorit::newuser::test
