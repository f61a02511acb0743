#pragma once

#include <QWidget>

#include <functional>
#include <memory>

namespace melorit::engine {
class MixView;
class Player;
class PlayerView;
} // namespace melorit::engine

namespace melorit::mainwin {
class MainWindowHost;
} // namespace melorit::mainwin

namespace melorit::skins {
class SkinSet;
} // namespace melorit::skins

namespace melorit::program {

// What the program uses of its main window, whatever class draws it: the
// widget, the views it implements and the few operations the start-up, the
// toggles and the language change call. UI thread.
struct MainWindowParts {
    std::unique_ptr<QWidget> window;
    engine::PlayerView *view = nullptr;
    engine::MixView *mixView = nullptr;
    std::function<void()> LoadLanguage;
    // A command button drawn in a state (0 off, 1 on).
    std::function<void(int button, int state)> DrawSM;
    std::function<void()> DispMiscButtons;
    std::function<void()> startClock;
    std::function<void()> stopClock;
};

// Builds the main window over the player, the skins and the program.
using MainWindowFactory = std::function<MainWindowParts(
    engine::Player &player, const skins::SkinSet &skins, mainwin::MainWindowHost &host)>;

// The parts of a window class with the main window's operations.
template <class Window> MainWindowParts mainWindowParts(std::unique_ptr<Window> window)
{
    MainWindowParts parts;
    Window *w = window.get();
    parts.view = w;
    parts.mixView = w;
    parts.LoadLanguage = [w] { w->LoadLanguage(); };
    parts.DrawSM = [w](int button, int state) { w->DrawSM(button, state); };
    parts.DispMiscButtons = [w] { w->DispMiscButtons(); };
    parts.startClock = [w] { w->startClock(); };
    parts.stopClock = [w] { w->stopClock(); };
    parts.window = std::move(window);
    return parts;
}

} // namespace melorit::program
