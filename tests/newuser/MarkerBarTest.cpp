// The start and end markers drawn on the position bar while they are on.
#include "NewUserFixture.h"

#include "app/mainwin/MarkerBar.h"
#include "base/Ini.h"
#include "skins/PictureButton.h"
#include "slider/ucxSlider.h"

#include <QTest>

namespace melorit::newuser::test {
namespace {

constexpr int kMarkersButton = 39;
constexpr int kStop = 33;

TEST_F(NewUserTest, MarkersThatAreOnAreDrawnOnThePositionBar)
{
    // The demo song plays 96 beats a minute until its last two bars: 10 s is
    // tick 7680 and 30 s tick 23040 of its 36480.
    const QString settings = file(QStringLiteral("au-clair-de-la-lune.mst"));
    WriteIni(QStringLiteral("Marqueurs"), QStringLiteral("Marche"), QStringLiteral("1"), settings);
    WriteIni(QStringLiteral("Marqueurs"), QStringLiteral("Debut"), QStringLiteral("10.000"),
             settings);
    WriteIni(QStringLiteral("Marqueurs"), QStringLiteral("Fin"), QStringLiteral("30.000"),
             settings);
    ASSERT_TRUE(startProgram({demoSong()}));
    const mainwin::MarkerBar *bar = mainWindow()->markerBar();
    const trackel::ucxSlider *slider = mainWindow()->sldPosition();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry(), slider->geometry());
    const QRect rail = slider->railRect();
    const auto at = [&rail](double tick) {
        return rail.left() + 2 + tick / 36480 * (rail.width() - 5);
    };
    ASSERT_TRUE(bar->startX() && bar->endX());
    EXPECT_NEAR(*bar->startX(), at(7680), 1.0);
    EXPECT_NEAR(*bar->endX(), at(23040), 1.0);

    QTest::mouseClick(mainWindow()->picSM(kStop), Qt::LeftButton);
    EXPECT_TRUE(bar->isVisible()) << "still on after Stop";
    QTest::mouseClick(mainWindow()->picSM(kMarkersButton), Qt::LeftButton);
    EXPECT_FALSE(bar->isVisible()) << "markers off";
    QTest::mouseClick(mainWindow()->picSM(kMarkersButton), Qt::LeftButton);
    EXPECT_TRUE(bar->isVisible());
}

} // namespace
} // namespace melorit::newuser::test
