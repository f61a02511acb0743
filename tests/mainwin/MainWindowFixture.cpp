#include "MainWindowFixture.h"

#include "base/Ini.h"

#include "tests/support/WidgetTestEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>

namespace melorit::mainwin::test {

namespace {

// No sound card here: SDL's silent driver unless the run names one.
class MainWindowEnvironment : public melorit::testing::WidgetTestEnvironment {
public:
    MainWindowEnvironment() : WidgetTestEnvironment("mainwin_tests") {}
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) {
            qputenv("SDL_AUDIODRIVER", "dummy");
        }
        WidgetTestEnvironment::SetUp();
    }
};

[[maybe_unused]] const auto *const environment =
    ::testing::AddGlobalTestEnvironment(new MainWindowEnvironment);

void copyFile(const QString &from, const QString &to)
{
    QFile::remove(to);
    ASSERT_TRUE(QFile::copy(from, to)) << from.toStdString();
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace

void MainWindowTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_language = m_dir.filePath(QStringLiteral("en.lng"));
    copyFile(QStringLiteral(MELORIT_SOURCE_DIR "/resources/lang/en.lng"), m_language);
    m_demo = m_dir.filePath(QStringLiteral("au-clair-de-la-lune.kar"));
    copyFile(QStringLiteral(MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar"), m_demo);
    m_host.language = m_language;
    m_skins = skins::LoadSkins();
    ASSERT_TRUE(m_skins.isComplete());
}

void MainWindowTest::TearDown()
{
    m_host.closing = true;
    m_window.reset();
    m_player.reset();
}

void MainWindowTest::makeWindow(engine::PlayerOutput output)
{
    engine::PlayerSettings settings;
    settings.configFile = m_dir.filePath(QStringLiteral("Melorit.ini"));
    settings.languageFile = m_language;
    settings.programFolder = m_dir.path();
    settings.systemFonts = {QString::fromLatin1(kTimGM6mb)};
    settings.output = output;
    m_player = std::make_unique<engine::Player>(settings);
    m_player->loadStartFont();
    ASSERT_TRUE(m_player->font());
    m_window = std::make_unique<frmRovuRodu>(*m_player, m_skins, m_host);
    m_player->setView(m_window.get());
    m_player->mixer().setView(m_window.get());
}

void MainWindowTest::playDemo()
{
    m_player->playlist().addSongs({m_demo}, false);
    m_player->playlist().setCurrentSong(1);
    m_player->Action_Play();
    ASSERT_NE(m_player->stream(), nullptr);
}

void MainWindowTest::press(QWidget *target, Qt::MouseButton button, QPoint at)
{
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(at), target->mapToGlobal(QPointF(at)),
                      button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void MainWindowTest::moveTo(QWidget *target, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(at), target->mapToGlobal(QPointF(at)),
                      Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void MainWindowTest::release(QWidget *target, Qt::MouseButton button, QPoint at)
{
    QMouseEvent event(QEvent::MouseButtonRelease, QPointF(at), target->mapToGlobal(QPointF(at)),
                      button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void MainWindowTest::click(QWidget *target, Qt::MouseButton button)
{
    press(target, button);
    release(target, button);
}

void MainWindowTest::setLanguageText(const QString &key, const QString &value)
{
    WriteIni(QStringLiteral("Main"), key, value, m_language);
}

QString MainWindowTest::settingsValue(const QString &section, const QString &key) const
{
    return ReadIni(section, key, m_player->SongSettingsFile());
}

} // namespace melorit::mainwin::test
