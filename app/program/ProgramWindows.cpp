// The secondary windows' shared lifecycle: created hidden at start-up,
// toggled by the main window's buttons, hidden by their close box, moved
// along with the main window by their offsets, unloaded at shutdown.
#include "app/program/Program.h"

#include "app/program/ProgramKeys.h"
#include "audio/MidiStream.h"
#include "base/Geometry.h"
#include "base/Ini.h"
#include "lyrics/LyricsWindowControl.h"
#include "lyrics/OGLWin.h"
#include "panels/Reglage.h"
#include "panels/Reverb.h"
#include "party/PartyControl.h"
#include "playlist/PlaylistWindow.h"
#include "scoring/ScoringControl.h"
#include "tools/OptionsDlg.h"
#include "tools/frmAbout.h"

namespace melorit::program {

namespace {

QPoint twipsToPixels(QPoint twips)
{
    return {geometry::twipsToPixels(twips.x()), geometry::twipsToPixels(twips.y())};
}

} // namespace

QWidget *Program::secondaryWindow(SecondaryWindow which) const
{
    switch (which) {
    case SecondaryWindow::Reglage:
        return m_reglage;
    case SecondaryWindow::Reverb:
        return m_reverb;
    case SecondaryWindow::Lyrics:
        return m_lyrics && m_lyrics->windowExists() ? m_lyrics->window() : nullptr;
    case SecondaryWindow::Playlist:
        return m_playlistWindow;
    }
    return nullptr;
}

QPoint Program::mainWindowPos() const
{
    return m_main.window ? m_main.window->pos() : QPoint();
}

void Program::BougeFilles()
{
    m_movingChildren = true;
    const QPoint main = mainWindowPos();
    for (int i = 0; i < kSecondaryWindowCount; ++i) {
        // The full-screen lyrics stay on their screen.
        const auto which = static_cast<SecondaryWindow>(i);
        if (which == SecondaryWindow::Lyrics && lyricsFullScreen()) {
            continue;
        }
        if (QWidget *window = secondaryWindow(which)) {
            window->move(main + twipsToPixels(m_offsets[static_cast<std::size_t>(i)]));
        }
    }
    m_movingChildren = false;
}

void Program::mainWindowMoved()
{
    if (!m_main.window || m_closingDown) {
        return;
    }
    BougeFilles();
    const QPoint pos = m_main.window->pos();
    WriteIni(keys::kMainSection, keys::kXKey, QString::number(geometry::pixelsToTwips(pos.x())));
    WriteIni(keys::kMainSection, keys::kYKey, QString::number(geometry::pixelsToTwips(pos.y())));
}

void Program::setPlaylistOffset(QPoint offsetTwips)
{
    m_offsets[index(SecondaryWindow::Playlist)] = offsetTwips;
}

void Program::playlistHiddenByUser()
{
    drawButton(kPlaylistButton, false);
}

void Program::drawButton(int button, bool on)
{
    if (m_main.DrawSM) {
        m_main.DrawSM(button, on ? 1 : 0);
    }
}

void Program::createChannelPanel()
{
    panels::PanelHost host;
    host.mixer = &m_player->mixer();
    host.presets.presetName = [this](int bank, int program) {
        return m_player->PresetName(bank, program);
    };
    host.presets.maxBank = [this] { return m_player->MaxBank(); };
    host.skins = &m_skins;
    host.languageFile = [this] { return m_languageFile; };
    host.shuttingDown = [this] { return m_closingDown; };
    host.panelHidden = [this] { drawButton(kReglageButton, false); };
    host.movingSecondaryWindows = [this] { return m_movingChildren; };
    host.mainWindowPos = [this] { return mainWindowPos(); };
    host.offsetChanged = [this](QPoint offset) {
        m_offsets[index(SecondaryWindow::Reglage)] = offset;
    };
    m_reglage = new panels::Reglage(std::move(host));
    m_mixView.setChannelPanel(m_reglage);
    m_view.setChannelPanel(m_reglage);
}

void Program::createEffectsPanel()
{
    panels::PanelHost host;
    host.mixer = &m_player->mixer();
    host.skins = &m_skins;
    host.languageFile = [this] { return m_languageFile; };
    host.shuttingDown = [this] { return m_closingDown; };
    host.panelHidden = [this] { drawButton(kReverbButton, false); };
    host.movingSecondaryWindows = [this] { return m_movingChildren; };
    host.mainWindowPos = [this] { return mainWindowPos(); };
    host.offsetChanged = [this](QPoint offset) {
        m_offsets[index(SecondaryWindow::Reverb)] = offset;
    };
    m_reverb = new panels::Reverb(std::move(host));
    m_mixView.setEffectsPanel(m_reverb);
}

void Program::createLyricsWindow()
{
    lyrics::LyricsWindowHost host;
    host.model = &m_player->lyrics();
    host.currentTick = [this]() -> std::int64_t {
        const audio::MidiStream *stream = m_player->stream();
        return stream ? static_cast<std::int64_t>(stream->position(audio::PosUnit::Ticks)) : 0;
    };
    host.listening = [this] { return m_player->stream() && m_player->ListenMode(); };
    host.paused = [this] { return m_player->paused(); };
    host.pauseKey = [this] { m_player->Action_Pause(); };
    host.songSettingsFile = [this] { return m_player->SongSettingsFile(); };
    host.languageFile = [this] { return m_languageFile; };
    host.drawLyricsButton = [this](bool on) { drawButton(kLyricsButton, on); };
    host.shuttingDown = [this] { return m_closingDown; };
    // Moves to and from full screen are not the window's place beside the
    // main window.
    host.movingSecondaryWindows = [this] { return m_movingChildren || lyricsFullScreen(); };
    host.mainWindowPos = [this] { return mainWindowPos(); };
    host.offsetChanged = [this](QPoint offset) {
        m_offsets[index(SecondaryWindow::Lyrics)] = offset;
    };
    m_lyrics = std::make_unique<lyrics::LyricsWindowControl>(std::move(host));
    m_view.setLyrics(m_lyrics.get());
    // Loaded now, hidden; without OpenGL the user is told once and the
    // program goes on without the window.
    m_lyrics->window();
}

void Program::createPlaylistWindow()
{
    m_playlistWindow =
        new playlist::PlaylistWindow(m_player->playlist(), *this, m_skins, m_options.chooser);
    m_view.setPlaylistWindow(m_playlistWindow);
}

tools::OptionsDlg *Program::createOptionsDialog()
{
    if (!m_optionsDlg) {
        // A dialog of the main window: window managers keep it in front.
        m_optionsDlg = new tools::OptionsDlg(*this, m_main.window.get());
    }
    return m_optionsDlg;
}

tools::frmAbout *Program::createAboutBox()
{
    if (!m_about) {
        m_about = new tools::frmAbout([this] { return m_languageFile; });
        m_about->setLoadedFont([this] { return loadedFont(); });
    }
    return m_about;
}

void Program::toggle(QWidget *window, QLatin1StringView section, int button)
{
    if (!window) {
        return;
    }
    const bool show = !window->isVisible();
    window->setVisible(show);
    WriteIni(section, keys::kShowKey, show ? keys::kShownValue : keys::kHiddenValue);
    drawButton(button, show);
}

void Program::Action_Reglage()
{
    toggle(m_reglage, keys::kReglageSection, kReglageButton);
}

void Program::Action_Reverb()
{
    toggle(m_reverb, keys::kReverbSection, kReverbButton);
}

void Program::Action_Playlist()
{
    toggle(m_playlistWindow, keys::kPlayListSection, kPlaylistButton);
}

void Program::Action_Lyrics()
{
    if (!m_lyrics) {
        return;
    }
    const bool show = !m_lyrics->lyricsShown();
    WriteIni(keys::kLyricsSection, keys::kShowKey, show ? keys::kShownValue : keys::kHiddenValue);
    m_lyrics->LyricsShow(show);
}

void Program::unloadWindows()
{
    // Closing now really closes: nothing writes its "Show" key.
    if (m_reglage) {
        m_reglage->Unload();
        m_reglage->close();
        delete m_reglage.data();
    }
    if (m_reverb) {
        m_reverb->Unload();
        m_reverb->close();
        delete m_reverb.data();
    }
    if (m_scoring) {
        m_scoring->unload();
    }
    m_view.setScoring(nullptr);
    if (m_party) {
        m_party->unload(); // the window stores its own size, not the screen's
    }
    if (m_lyrics) {
        m_lyrics->unload();
    }
    if (m_playlistWindow) {
        m_playlistWindow->close();
        delete m_playlistWindow.data();
    }
    m_mixView.setChannelPanel(nullptr);
    m_mixView.setEffectsPanel(nullptr);
    m_view.setLyrics(nullptr);
    if (m_about) {
        m_about->close();
        delete m_about.data();
    }
    if (m_optionsDlg) {
        m_optionsDlg->close();
        delete m_optionsDlg.data();
    }
}

} // namespace melorit::program
