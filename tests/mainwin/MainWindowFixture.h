#pragma once

// The main window on a real player: FluidSynth with TimGM6mb, the demo song
// and a copy of the English language file in a folder of the test's own,
// the window as the player's and the mixer's view, and a host that records
// what the window asks of the program.

#include "app/mainwin/MainWindowHost.h"
#include "app/mainwin/frmRovuRodu.h"
#include "engine/Player.h"
#include "skins/Skins.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace melorit::mainwin::test {

inline constexpr const char *kTimGM6mb = "/usr/share/sounds/sf2/TimGM6mb.sf2";

struct RecordingHost final : MainWindowHost {
    QString languageFile() const override { return language; }
    bool closingDown() const override { return closing; }
    void Action_Open() override { calls.push_back("Action_Open"); }
    void Action_Help() override { calls.push_back("Action_Help"); }
    void Action_Reglage() override { calls.push_back("Action_Reglage"); }
    void Action_Reverb() override { calls.push_back("Action_Reverb"); }
    void Action_Lyrics() override { calls.push_back("Action_Lyrics"); }
    void Action_Playlist() override { calls.push_back("Action_Playlist"); }
    void Action_Setup() override { calls.push_back("Action_Setup"); }
    void QuitProgram() override { calls.push_back("QuitProgram"); }
    void GereDrop(const QStringList &paths) override
    {
        calls.push_back("GereDrop");
        dropped = paths;
    }
    void mainWindowMoved() override { ++moves; }
    void fontStatusChanged(const QString &text) override { fontStatus.push_back(text); }

    QString language;
    bool closing = false;
    std::vector<std::string> calls;
    QStringList dropped;
    int moves = 0;
    std::vector<QString> fontStatus;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the player and the window; output Pull unless a test runs the device.
    void makeWindow(engine::PlayerOutput output = engine::PlayerOutput::Pull);
    // The demo song in the playlist, current, and played (decoding with Pull).
    void playDemo();

    // Pointer events on a child of the window, at its own coordinates.
    void press(QWidget *target, Qt::MouseButton button = Qt::LeftButton, QPoint at = {5, 5});
    void moveTo(QWidget *target, QPoint at, Qt::MouseButtons buttons = Qt::LeftButton);
    void release(QWidget *target, Qt::MouseButton button = Qt::LeftButton, QPoint at = {5, 5});
    void click(QWidget *target, Qt::MouseButton button = Qt::LeftButton);

    // A key of section "Main" of the test's language file set to a value.
    void setLanguageText(const QString &key, const QString &value);
    QString settingsValue(const QString &section, const QString &key) const;

    QTemporaryDir m_dir;
    QString m_language;
    QString m_demo;
    skins::SkinSet m_skins;
    RecordingHost m_host;
    std::unique_ptr<engine::Player> m_player;
    std::unique_ptr<frmRovuRodu> m_window;
};

} // namespace melorit::mainwin::test
