// melorit: the karaoke player. Prints --help and --version without a
// display, hands its songs to a program already running, or starts.
#include "app/instance/InfoOptions.h"
#include "app/instance/SingleInstance.h"
#include "app/mainwin/frmRovuRodu.h"
#include "app/program/CommandLine.h"
#include "app/program/DesktopDialogs.h"
#include "app/program/Program.h"
#include "base/ProgramPaths.h"
#include "base/TerminationSignals.h"
#include "base/UserMessages.h"

#include <QApplication>

#include <cstdio>

using namespace melorit;

namespace {

// The options and songs of the arguments Qt left (its own options
// removed); a "--" only ends the options.
program::StartArguments commandLine()
{
    program::StartArguments start = program::startArguments(QCoreApplication::arguments().mid(1));
    start.songs = instance::absoluteSongPaths(start.songs);
    return start;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = instance::handleInfoOptions(argc, argv)) {
        return *status;
    }
    // Before any thread starts: kill, Ctrl+C and the end of the session end
    // the program in order.
    signals::catchTermination();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const program::StartArguments arguments = commandLine();
    const QStringList &songs = arguments.songs;
    instance::SingleInstance single(paths::configFile());
    if (single.handOff(songs)) {
        if (arguments.lyricsFullScreen) {
            // The running program only takes songs; its lyrics go full
            // screen with F11.
            std::fputs("melorit: already running: the songs were handed over; "
                       "--lyrics-fullscreen applies only at start (F11 on its lyrics window)\n",
                       stderr);
        }
        return 0;
    }

    program::MessageBoxSink messageBoxes;
    setMessageSink(&messageBoxes);
    program::ProgramOptions options;
    options.mainWindow = [](engine::Player &player, const skins::SkinSet &skins,
                            mainwin::MainWindowHost &host) {
        return program::mainWindowParts(
            std::make_unique<mainwin::frmRovuRodu>(player, skins, host));
    };
    options.songs = songs;
    options.lyricsFullScreen = arguments.lyricsFullScreen;
    program::Program melorit(std::move(options));
    melorit.quitOnTerminationSignals();
    // Every way out (the session ending included) goes through the shutdown.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &melorit,
                     [&melorit] { melorit.QuitProgram(); });
    // Listen before the start-up, which can wait in a dialog (first run,
    // SoundFont chooser) for a long time: a second start meanwhile hands its
    // songs over instead of opening another program. They are queued once
    // the playlist exists.
    bool started = false;
    QStringList handedEarly;
    single.listen([&](const QStringList &handed) {
        if (started) {
            melorit.acceptSongs(handed);
        } else {
            handedEarly += handed;
        }
    });
    int status = 0;
    if (melorit.start() && !melorit.hasQuit()) {
        started = true;
        if (!handedEarly.isEmpty()) {
            melorit.acceptSongs(handedEarly);
        }
        status = app.exec();
    }
    status = melorit.exitCode() != 0 ? melorit.exitCode() : status;
    setMessageSink(nullptr);
    return status;
}
