// The party screen wired to the player: the entry heard and the one that
// follows it by the repeat mode, the lyrics window it puts full screen, and
// the command line's --lyrics-fullscreen.
#include "app/program/Program.h"

#include "engine/Transport.h"
#include "lyrics/LyricsWindowControl.h"
#include "party/PartyControl.h"
#include "party/PartyPage.h"
#include "tools/OptionsDlg.h"

#include <QCheckBox>

namespace melorit::program {

void Program::createParty()
{
    party::PartyHost host;
    host.songs = &m_player->playlist();
    host.model = &m_player->lyrics();
    host.currentEntry = [this] { return heardEntry(); };
    host.followingEntry = [this] { return followingEntry(); };
    host.languageFile = [this] { return m_languageFile; };
    host.mainWindow = [this] { return mainWindow(); };
    m_party = std::make_unique<party::PartyControl>(std::move(host));
    // Back from full screen the window takes its place beside the main
    // window again, wherever that went meanwhile.
    connect(m_party.get(), &party::PartyControl::fullScreenChanged, this, [this](bool on) {
        if (!on && !m_closingDown) {
            BougeFilles();
        }
    });
    // An options dialog left open shows the toggle made on the lyrics.
    connect(m_party.get(), &party::PartyControl::fullScreenStored, this, [this](bool on) {
        if (m_optionsDlg) {
            m_optionsDlg->partyPage()->chkFullScreen()->setChecked(on);
        }
    });
    m_party->attach(m_lyrics ? m_lyrics->window() : nullptr);
}

void Program::startPartyScreen()
{
    if (!m_options.lyricsFullScreen || !m_lyrics || !m_party) {
        return;
    }
    m_party->setFullScreen(true);
    m_lyrics->LyricsShow(true);
}

bool Program::lyricsFullScreen() const
{
    return m_party && m_party->fullScreen();
}

int Program::heardEntry() const
{
    const songlist::SongList &songs = m_player->playlist();
    if (m_player->stream() && m_player->ListenMode()) {
        return songs.CurrentSong();
    }
    // What Play would start.
    return songs.count() > 0 ? engine::startIndex(songs.CurrentSong(), songs.count()) : 0;
}

int Program::followingEntry() const
{
    const songlist::SongList &songs = m_player->playlist();
    const int current = songs.CurrentSong();
    switch (engine::songEndAction(m_player->RepeatMode(), true)) {
    case engine::SongEndAction::PlayAgain:
        return current;
    case engine::SongEndAction::PlayNext: {
        const engine::TransportStep step =
            engine::nextStep(current, songs.count(), m_player->RepeatMode(), true);
        return step.play ? step.index : 0;
    }
    case engine::SongEndAction::None:
        break;
    }
    return 0;
}

void Program::partyChanged()
{
    if (m_party) {
        m_party->reloadSettings();
    }
}

} // namespace melorit::program
