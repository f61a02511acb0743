#pragma once

#include "app/mainwin/MainWindowHost.h"
#include "app/program/DesktopDialogs.h"
#include "app/program/MainWindowParts.h"
#include "app/program/ProgramView.h"
#include "engine/Player.h"
#include "panels/PanelMixView.h"
#include "panels/Reverb.h"
#include "playlist/PlaylistHost.h"
#include "skins/Skins.h"
#include "songlist/PlaylistMemory.h"
#include "tools/OptionsDlg.h"
#include "tools/OptionsHost.h"
#include "tools/frmAbout.h"

#include <QLocale>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>

namespace melorit::lyrics {
class LyricsWindowControl;
} // namespace melorit::lyrics

namespace melorit::party {
class PartyControl;
} // namespace melorit::party

namespace melorit::scoring {
class ScoringControl;
} // namespace melorit::scoring

namespace melorit::program {

// The four windows that follow the main window, in the order they are
// loaded, placed and unloaded.
enum class SecondaryWindow { Reglage, Reverb, Lyrics, Playlist };
inline constexpr int kSecondaryWindowCount = 4;

// The main window's buttons that show and hide them.
inline constexpr int kReglageButton = 40;
inline constexpr int kReverbButton = 41;
inline constexpr int kLyricsButton = 46;
inline constexpr int kPlaylistButton = 47;

struct ProgramOptions {
    // Builds the main window; required.
    MainWindowFactory mainWindow;
    // The songs given on the command line (see songArguments).
    QStringList songs;
    engine::PlayerOutput output = engine::PlayerOutput::Device;
    // The system's language ("en_GB"): its language file serves at the first
    // run.
    QString locale = QLocale::system().name();
    QStringList systemFonts = engine::PlayerSettings::defaultSystemFonts();
    // Who answers the player's questions and the conversion's; nullptr for
    // the desktop's dialogs and the export dialog window.
    engine::PlayerDialogs *dialogs = nullptr;
    exporting::RenderDialogs *renderDialogs = nullptr;
    // The playlist window's file chooser; nullptr for the desktop's.
    playlist::FileChooser *chooser = nullptr;
    // --lyrics-fullscreen: the lyrics window shows, full screen, from the
    // start (not stored).
    bool lyricsFullScreen = false;
};

// The program: the start-up sequence, the main window with its four
// secondary windows and its dialogs, and the orderly shutdown that every
// exit path goes through. It answers what the main window, the playlist
// window and the options dialog ask of it. UI thread.
class Program final : public QObject,
                      public mainwin::MainWindowHost,
                      public playlist::PlaylistHost,
                      public tools::OptionsHost {
    Q_OBJECT
public:
    explicit Program(ProgramOptions options);
    ~Program() override;
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Runs the start-up sequence and shows the main window; false when the
    // program could not start (the user has been told and QuitProgram has
    // run).
    bool start();
    // 0 after a normal end, 1 when the start-up failed.
    int exitCode() const { return m_exitCode; }
    bool hasQuit() const { return m_quitDone; }

    // --- what the program holds (nullptr before start-up or after shutdown)
    engine::Player *player() const { return m_player.get(); }
    QWidget *mainWindow() const { return m_main.window.get(); }
    panels::Reglage *channelPanel() const { return m_reglage; }
    panels::Reverb *effectsPanel() const { return m_reverb; }
    lyrics::LyricsWindowControl *lyricsControl() const { return m_lyrics.get(); }
    scoring::ScoringControl *scoringControl() const { return m_scoring.get(); }
    party::PartyControl *partyControl() const { return m_party.get(); }
    playlist::PlaylistWindow *playlistWindow() const { return m_playlistWindow; }
    tools::OptionsDlg *optionsDialog() const { return m_optionsDlg; }
    tools::frmAbout *aboutBox() const { return m_about; }
    // The window itself, nullptr when it does not exist (or the lyrics
    // window could not be created).
    QWidget *secondaryWindow(SecondaryWindow which) const;
    // Its offset from the main window, in twips.
    QPoint offset(SecondaryWindow which) const { return m_offsets[index(which)]; }
    bool movingChildren() const { return m_movingChildren; }
    bool autoMute() const override { return m_player ? m_player->mixer().state().AutoMute : true; }

    // SIGINT, SIGTERM and SIGHUP end the program through QuitProgram, as
    // its close button does (signals::catchTermination must have run).
    // During the start-up they end it once the start-up has come back from
    // the dialog it waits in, which they close.
    void quitOnTerminationSignals();

    // Songs handed over by another start of the program: queued like
    // dropped songs (the first becomes current when none is) and the main
    // window comes forward. Nothing starts playing.
    void acceptSongs(const QStringList &songs);

    // `BougeFilles`: every secondary window placed at the main window's
    // position plus its offset, without changing the offsets.
    void BougeFilles();

    // --- MainWindowHost, PlaylistHost, OptionsHost
    QString languageFile() const override { return m_languageFile; }
    bool closingDown() const override { return m_closingDown; }
    void Action_Open() override;
    void Action_Help() override;
    void Action_Reglage() override;
    void Action_Reverb() override;
    void Action_Lyrics() override;
    void Action_Playlist() override;
    void Action_Setup() override;
    void QuitProgram() override;
    void GereDrop(const QStringList &paths) override;
    void mainWindowMoved() override;
    void fontStatusChanged(const QString &text) override;

    void Action_PlaySelected(int line) override;
    void Action_Repeat() override;
    void playlistHiddenByUser() override;
    bool movingSecondaryWindows() const override { return m_movingChildren; }
    QPoint mainWindowPos() const override;
    void setPlaylistOffset(QPoint offsetTwips) override;

    QString languageCode() const override { return m_languageCode; }
    void reloadAllLanguages(const QString &file) override;
    void setAutoMute(bool on) override;
    void ChangeSF2() override;
    std::optional<tools::LoadedFont> loadedFont() const override;
    void scoringChanged() override;
    void partyChanged() override;

private:
    static constexpr int index(SecondaryWindow which) { return static_cast<int>(which); }

    // Start-up steps.
    bool startUp();
    bool chooseLanguage();
    void createPlayer();
    void createMainWindow();
    void createRendering();
    void loadMix();
    void placeWindows();
    std::optional<QPoint> storedMainPosition() const;
    void showSecondaryWindows();
    bool startAudio();
    void sayIfSilent();
    void restorePlaylist();
    void queueCommandLine();
    void failStart(const QString &text, MessageIcon icon);
    // A signal asked the program to end during the start-up: ends it there.
    bool quitRequestedDuringStart();
    void endOnSignal();

    void createChannelPanel();
    void createEffectsPanel();
    void createLyricsWindow();
    void createScoring();
    void createParty();
    void startPartyScreen();
    // The 1-based entries the party screen announces.
    int heardEntry() const;
    int followingEntry() const;
    bool lyricsFullScreen() const;
    void createPlaylistWindow();
    tools::OptionsDlg *createOptionsDialog();
    void showFirstRunOptions();
    tools::frmAbout *createAboutBox();
    void toggle(QWidget *window, QLatin1StringView section, int button);
    void drawButton(int button, bool on);
    void unloadWindows();

    ProgramOptions m_options;
    QString m_languageFile;
    QString m_languageCode;
    bool m_firstRun = false;
    bool m_closingDown = false;
    bool m_quitDone = false;
    bool m_starting = false;
    bool m_quitRequested = false;
    bool m_movingChildren = false;
    int m_exitCode = 0;

    skins::SkinSet m_skins;
    DesktopDialogs m_desktopDialogs;
    std::unique_ptr<PlayerExportDialogs> m_exportDialogs;
    std::unique_ptr<exporting::SongRenderer> m_renderer;
    ProgramView m_view;
    panels::PanelMixView m_mixView;
    std::unique_ptr<engine::Player> m_player;
    MainWindowParts m_main;
    std::unique_ptr<songlist::PlaylistMemory> m_playlistMemory;

    std::array<QPoint, kSecondaryWindowCount> m_offsets{};
    QPointer<panels::Reglage> m_reglage;
    QPointer<panels::Reverb> m_reverb;
    std::unique_ptr<lyrics::LyricsWindowControl> m_lyrics;
    std::unique_ptr<scoring::ScoringControl> m_scoring;
    std::unique_ptr<party::PartyControl> m_party;
    QPointer<playlist::PlaylistWindow> m_playlistWindow;
    QPointer<tools::OptionsDlg> m_optionsDlg;
    QPointer<tools::frmAbout> m_about;
};

} // namespace melorit::program
