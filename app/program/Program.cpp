#include "app/program/Program.h"

#include "app/program/ProgramKeys.h"
#include "audio/Device.h"
#include "base/Ini.h"
#include "base/Language.h"
#include "base/ProgramPaths.h"
#include "lyrics/LyricsWindowControl.h"
#include "party/PartyControl.h"
#include "playlist/PlaylistWindow.h"
#include "scoring/ScoringControl.h"
#include "skins/DarkLook.h"
#include "tools/MidiDump.h"
#include "tools/OptionsDlg.h"

#include <QCoreApplication>
#include <QDir>

namespace melorit::program {

namespace {

// The interface version of the audio library the program is written for.
constexpr std::uint32_t kAudioInterface = 0x0204;

} // namespace

Program::Program(ProgramOptions options) : m_options(std::move(options))
{
}

Program::~Program()
{
    if (!m_quitDone) {
        QuitProgram();
    }
    // The party screen reads the player; the main window holds the player:
    // both go first.
    m_party.reset();
    m_main.window.reset();
    m_player.reset();
}

bool Program::start()
{
    m_starting = true;
    const bool started = startUp();
    m_starting = false;
    return started;
}

bool Program::quitRequestedDuringStart()
{
    if (m_quitRequested && !m_quitDone) {
        QuitProgram();
    }
    return m_quitDone;
}

bool Program::startUp()
{
    m_closingDown = false;
    skins::applyDarkLook();
    QDir::setCurrent(paths::programFolder());
    if (!chooseLanguage()) {
        return false;
    }
    createPlayer();
    m_skins = skins::LoadSkins();
    createMainWindow();
    loadMix();
    placeWindows();
    createParty();
    showSecondaryWindows();
    startPartyScreen();
    if (quitRequestedDuringStart() || !startAudio()) {
        return false;
    }
    m_player->loadStartFont();
    // The SoundFont chooser may have waited while the program was asked to
    // end (a signal, a session that closes).
    if (quitRequestedDuringStart()) {
        return false;
    }
    m_player->mixer().DispSoloMute();
    m_player->mixer().ApplyVolume(m_player->mixer().state().MasterGain);
    // AfficherMarqueurs: the position bar without markers.
    m_view.markersChanged(m_player->markers(), m_player->mixer().TempoRatio(), false);
    restorePlaylist();
    queueCommandLine();
    m_playlistMemory->keep();
    m_player->AffTitre();
    m_main.window->show();
    sayIfSilent();
    QCoreApplication::processEvents();
    if (m_firstRun) {
        showFirstRunOptions();
    }
    if (m_main.startClock) {
        m_main.startClock();
    }
    // Songs given on the command line start at once; a remembered song waits
    // for Play.
    if (!m_options.songs.isEmpty() && m_player->playlist().CurrentSong() > 0) {
        m_player->Action_Play();
    }
    return !quitRequestedDuringStart();
}

bool Program::chooseLanguage()
{
    const LanguageChoice choice = chooseLanguageFile(configuredLanguageCode(), m_options.locale);
    if (!choice.found) {
        failStart(QStringLiteral("Missing ") + QDir::toNativeSeparators(choice.file),
                  MessageIcon::Critical);
        return false;
    }
    m_languageFile = choice.file;
    m_languageCode = choice.code;
    m_firstRun = choice.firstRun;
    return true;
}

void Program::createPlayer()
{
    engine::PlayerSettings settings;
    settings.languageFile = m_languageFile;
    settings.programFolder = paths::programFolder();
    settings.systemFonts = m_options.systemFonts;
    settings.output = m_options.output;
    engine::PlayerDialogs *dialogs = m_options.dialogs
                                         ? m_options.dialogs
                                         : static_cast<engine::PlayerDialogs *>(&m_desktopDialogs);
    // The player reads "AutoMute" itself, as melorit-cli's do; the key's own
    // default holds at the first run too: on unless "0".
    m_player = std::make_unique<engine::Player>(settings, &m_view, dialogs);
    m_player->mixer().setLyricsChannel(-1);
    m_player->mixer().setView(&m_mixView);

    m_player->lyrics().setDisplayHandler([this](int mark) { m_view.lyricsEventShown(mark); });
    connect(&m_player->playlist(), &songlist::SongList::titleChanged, this, [this] {
        if (m_player) {
            m_player->AffTitre();
        }
    });
}

void Program::createMainWindow()
{
    m_main = m_options.mainWindow(*m_player, m_skins, *this);
    m_view.setMainView(m_main.view);
    m_mixView.setMainView(m_main.mixView);
    createRendering();
}

void Program::createRendering()
{
    exporting::RenderDialogs *render = m_options.renderDialogs;
    if (!render) {
        m_exportDialogs = std::make_unique<PlayerExportDialogs>(
            *m_player, [this] { return m_languageFile; }, m_main.window.get());
        render = m_exportDialogs.get();
    }
    m_renderer = std::make_unique<exporting::SongRenderer>(*render);
    // The window's messages run between two blocks of a conversion.
    m_renderer->setBetweenBlocks([] { QCoreApplication::processEvents(); });
    m_player->setRendering(m_renderer.get());
    // "Debug_MidiTxt" = 1: a readable listing of each song is written beside
    // it before it plays.
    m_player->setListeningHook([](const QString &songPath) {
        if (ReadIni(QStringLiteral("Melorit"), QStringLiteral("Debug_MidiTxt")) == u"1") {
            tools::DumpMidi(songPath);
        }
    });
}

void Program::loadMix()
{
    engine::Mixer &mixer = m_player->mixer();
    mixer.LoadVolume();
    mixer.LoadGain();
    mixer.LoadTempo();
    mixer.LoadTranspose();
    mixer.ApplyTranspose(mixer.state().TransposeSemis);
    if (m_main.DispMiscButtons) {
        m_main.DispMiscButtons();
    }
}

void Program::showSecondaryWindows()
{
    const auto shown = [](QLatin1StringView section) {
        return ReadIni(section, keys::kShowKey) == keys::kShownValue;
    };
    const bool reglage = shown(keys::kReglageSection);
    m_reglage->setVisible(reglage);
    drawButton(kReglageButton, reglage);
    const bool reverb = shown(keys::kReverbSection);
    m_reverb->setVisible(reverb);
    drawButton(kReverbButton, reverb);
    m_lyrics->LyricsShow(shown(keys::kLyricsSection));
    const bool list = shown(keys::kPlayListSection);
    m_playlistWindow->setVisible(list);
    drawButton(kPlaylistButton, list);
}

bool Program::startAudio()
{
    const std::uint32_t version = audio::GetVersion();
    if ((version >> 16) != kAudioInterface) {
        failStart(QStringLiteral("La DLL Bass est en ") + QString::number(version, 16).toUpper() +
                      QStringLiteral(" alors que nous attendions la 204"),
                  MessageIcon::Critical);
        return false;
    }
    if (m_options.output != engine::PlayerOutput::Device || audio::isInitialised()) {
        return true;
    }
    if (!audio::Init(44100)) {
        m_exitCode = 1;
        m_player->ShowAudioError(QStringLiteral("Erreur d'initialisation BASS"));
        QuitProgram();
        return false;
    }
    return true;
}

// Playing silently for want of a sound device is told on standard error by
// the audio library; the status area says it once too, without a box to
// click away.
void Program::sayIfSilent()
{
    if (audio::isSilentFallback()) {
        m_view.statusShown(languageText(m_languageFile, QStringLiteral("Main"),
                                        QStringLiteral("Status(NoDevice)")));
    }
}

void Program::restorePlaylist()
{
    m_playlistMemory = std::make_unique<songlist::PlaylistMemory>(
        m_player->playlist(), songlist::PlaylistMemory::defaultFile());
    m_playlistMemory->restore();
}

void Program::queueCommandLine()
{
    songlist::SongList &songs = m_player->playlist();
    const int remembered = songs.count();
    for (const QString &song : m_options.songs) {
        songs.addSong(song);
    }
    // After the remembered songs, the first song given now is the one to play.
    if (remembered > 0 && songs.count() > remembered) {
        songs.setCurrentSong(remembered + 1);
        songs.selectCurrent();
    } else if (songs.count() >= 1 && songs.CurrentSong() < 1) {
        songs.setCurrentSong(1);
        songs.selectCurrent();
    }
}

void Program::failStart(const QString &text, MessageIcon icon)
{
    m_exitCode = 1;
    showMessage(text, QStringLiteral("Error"), icon);
    QuitProgram();
}

} // namespace melorit::program
