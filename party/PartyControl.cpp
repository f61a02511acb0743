#include "party/PartyControl.h"

#include "base/Ini.h"
#include "lyrics/LyricsModel.h"
#include "lyrics/OGLWin.h"
#include "lyrics/VueOpenGL.h"
#include "party/FullScreenLyrics.h"
#include "party/PartyKeys.h"
#include "party/PartyOverlay.h"
#include "party/ScreenChoice.h"
#include "songlist/SongList.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace melorit::party {

PartyControl::PartyControl(PartyHost host, QObject *parent)
    : QObject(parent), m_host(std::move(host)),
      m_overlay(std::make_unique<PartyOverlay>(
          [this](bool playing, std::int64_t tick) { return cardState(playing, tick); },
          [this] { return m_look.colours; }))
{
    m_look = readLyricsLook(m_host.configFile);
    m_wanted = ReadIni(keys::kSection, keys::kFullScreenKey, m_host.configFile) == keys::kOn;
    followSongs();
    followScreens();
}

PartyControl::~PartyControl()
{
    if (m_window && m_window->view()) {
        m_window->view()->setOverlay(nullptr);
    }
}

void PartyControl::attach(lyrics::OGLWin *window)
{
    m_window = window;
    if (!window) {
        return;
    }
    m_fullScreen = std::make_unique<FullScreenLyrics>(window, [this] { return chosenScreen(); });
    // The fitted text and the cards belong to the party screen: the window
    // beside the main window keeps its look and only names a waiting song.
    connect(m_fullScreen.get(), &FullScreenLyrics::fullScreenChanged, this, [this](bool on) {
        if (m_window) {
            m_window->scene().setFitToWidth(on);
            repaint();
        }
        Q_EMIT fullScreenChanged(on);
    });
    connect(m_fullScreen.get(), &FullScreenLyrics::toggledByUser, this, [this](bool on) {
        m_wanted = on;
        WriteIni(keys::kSection, keys::kFullScreenKey, on ? keys::kOn : keys::kOff,
                 m_host.configFile);
        Q_EMIT fullScreenStored(on);
    });
    m_overlay->setTexts(cardTexts(m_host.languageFile ? m_host.languageFile() : QString()));
    if (lyrics::VueOpenGL *view = window->view()) {
        view->setOverlay(m_overlay.get());
    }
    applyLook();
    if (m_wanted) {
        m_fullScreen->enter(); // a hidden window goes full screen when it shows
    }
}

bool PartyControl::fullScreen() const
{
    return m_fullScreen && m_fullScreen->isFullScreen();
}

void PartyControl::setFullScreen(bool on)
{
    if (!m_fullScreen) {
        return;
    }
    if (on) {
        m_fullScreen->enter();
    } else {
        m_fullScreen->leave();
    }
}

void PartyControl::reloadSettings()
{
    m_look = readLyricsLook(m_host.configFile);
    m_overlay->setTexts(cardTexts(m_host.languageFile ? m_host.languageFile() : QString()));
    applyLook();
    // Only a changed "FullScreen" toggles: the command line's full screen
    // stays while another setting changes.
    const bool wanted =
        ReadIni(keys::kSection, keys::kFullScreenKey, m_host.configFile) == keys::kOn;
    const bool toggled = wanted != m_wanted;
    m_wanted = wanted;
    if (!m_fullScreen) {
        return;
    }
    if (toggled) {
        setFullScreen(wanted);
    } else {
        m_fullScreen->followScreenChoice();
    }
}

void PartyControl::unload()
{
    if (m_fullScreen) {
        m_fullScreen->leave();
    }
}

QScreen *PartyControl::chosenScreen() const
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    QList<ScreenInfo> infos;
    for (QScreen *screen : screens) {
        infos.append({screen->name(), screen->geometry().size()});
    }
    QWidget *main = m_host.mainWindow ? m_host.mainWindow() : nullptr;
    const int mainScreen = main ? int(screens.indexOf(main->screen())) : -1;
    const QString stored = ReadIni(keys::kSection, keys::kScreenKey, m_host.configFile);
    return screens.value(lyricsScreen(infos, mainScreen, stored), nullptr);
}

void PartyControl::applyLook()
{
    if (!m_window) {
        return;
    }
    m_window->scene().setColours(m_look.colours);
    if (lyrics::VueOpenGL *view = m_window->view()) {
        view->setFontFace(m_look.fontFace);
        view->update();
    }
}

void PartyControl::repaint()
{
    if (m_window && m_window->view()) {
        m_window->view()->update();
    }
}

// A television plugged in while the lyrics are full screen (on the only
// screen there was) takes them, as the screen choice says; after Qt has
// placed its windows on the screens there are now.
void PartyControl::followScreens()
{
    const auto follow = [this] {
        QTimer::singleShot(0, this, [this] {
            if (m_fullScreen) {
                m_fullScreen->followScreenChoice();
            }
        });
    };
    connect(qGuiApp, &QGuiApplication::screenAdded, this, follow);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, follow);
}

// Between songs the next card follows the playlist as it is edited.
void PartyControl::followSongs()
{
    songlist::SongList *songs = m_host.songs;
    if (!songs) {
        return;
    }
    connect(songs, &songlist::SongList::songAdded, this, &PartyControl::repaint);
    connect(songs, &songlist::SongList::listChanged, this, &PartyControl::repaint);
    connect(songs, &songlist::SongList::singerChanged, this, &PartyControl::repaint);
    connect(songs, &songlist::SongList::titleChanged, this, &PartyControl::repaint);
}

namespace {

std::optional<NextCard> entryCard(const songlist::SongList *songs, int entry)
{
    if (!songs || entry < 1 || entry > songs->count()) {
        return std::nullopt;
    }
    return NextCard{songs->singer(entry), songlist::SongDisplayName(songs->song(entry))};
}

} // namespace

CardState PartyControl::cardState(bool playing, std::int64_t tick) const
{
    CardState state;
    state.partyScreen = fullScreen();
    state.model = m_host.model;
    state.playing = playing;
    state.tick = tick;
    const songlist::SongList *songs = m_host.songs;
    const int current = m_host.currentEntry ? m_host.currentEntry() : 0;
    if (state.partyScreen && !playing) {
        state.next = entryCard(songs, current);
        return state;
    }
    if (playing) {
        state.next = entryCard(songs, m_host.followingEntry ? m_host.followingEntry() : 0);
    }
    state.song = songCard(current);
    return state;
}

// The song the player holds, as its title card names it: its title tag, else
// its entry's name.
SongCard PartyControl::songCard(int current) const
{
    SongCard song;
    const songlist::SongList *songs = m_host.songs;
    const lyrics::LyricsModel *model = m_host.model;
    if (model) {
        song.title = model->ConvertCharset(model->TagTitle()).trimmed();
        song.artist = model->ConvertCharset(model->TagArtist()).trimmed();
    }
    if (songs && current >= 1 && current <= songs->count()) {
        if (song.title.isEmpty()) {
            song.title = songlist::SongDisplayName(songs->song(current));
        }
        song.singer = songs->singer(current);
    }
    return song;
}

} // namespace melorit::party
