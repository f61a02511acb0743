// The commands the main window, the playlist window and the options dialog
// hand to the program, and the shutdown.
#include "app/program/Program.h"

#include "app/program/DropRules.h"
#include "app/program/ProgramKeys.h"
#include "audio/Device.h"
#include "audio/SoundFont.h"
#include "base/CodePages.h"
#include "base/Ini.h"
#include "base/Language.h"
#include "base/TerminationSignals.h"
#include "lyrics/LyricsWindowControl.h"
#include "lyrics/OGLWin.h"
#include "panels/Reglage.h"
#include "panels/Reverb.h"
#include "party/PartyControl.h"
#include "playlist/PlaylistWindow.h"
#include "scoring/ScoringControl.h"
#include "tools/LanguageList.h"
#include "tools/OptionsDlg.h"
#include "tools/frmAbout.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QSocketNotifier>

namespace melorit::program {

namespace {

// Dialogs opened over one another during the start-up, at most.
constexpr int kMaxNestedDialogs = 8;

void bringToFront(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void Program::Action_Open()
{
    // Its stop would cancel a conversion under way.
    if (m_player->refuseDuringConversion()) {
        return;
    }
    m_player->Action_Stop();
    if (m_playlistWindow) {
        m_playlistWindow->Action_Plus(true);
    }
    m_player->Action_Play();
}

void Program::Action_Help()
{
    bringToFront(createAboutBox());
}

void Program::Action_Setup()
{
    bringToFront(createOptionsDialog());
}

// The first run: the options dialog in front of the main window, in the
// system's language. Closing it keeps that language (unless another was
// chosen meanwhile), so the next start is no longer a first run.
void Program::showFirstRunOptions()
{
    tools::OptionsDlg *dialog = createOptionsDialog();
    connect(dialog, &QDialog::finished, this, [this] {
        if (configuredLanguageCode().isEmpty()) {
            const QString code = m_languageFile.endsWith(QStringLiteral(".lng"))
                                     ? tools::languageBaseName(m_languageFile)
                                     : m_languageCode;
            WriteIni(kConfigLanguageSection, kLanguageCodeKey, code);
        }
    });
    bringToFront(dialog);
}

void Program::Action_PlaySelected(int line)
{
    m_player->Action_PlaySelected(line);
}

void Program::Action_Repeat()
{
    m_player->Action_Repeat();
}

void Program::GereDrop(const QStringList &paths)
{
    const QString main = QStringLiteral("Main");
    const DroppedFiles dropped =
        sortDroppedFiles(paths, languageText(m_languageFile, main, keys::kSongExtensionsKey),
                         languageText(m_languageFile, main, keys::kFontExtensionsKey));
    songlist::SongList &songs = m_player->playlist();
    for (const QString &song : dropped.songs) {
        songs.addSong(song);
    }
    if (!dropped.soundFont.isEmpty()) {
        m_player->ReplaceFont(dropped.soundFont);
    }
    if (!dropped.songs.isEmpty() && songs.count() > 0 && songs.CurrentSong() < 1) {
        songs.setCurrentSong(1);
        songs.selectCurrent();
    }
    m_player->AffTitre();
}

void Program::acceptSongs(const QStringList &songs)
{
    if (m_quitDone || !m_player) {
        return;
    }
    songlist::SongList &list = m_player->playlist();
    for (const QString &song : songs) {
        list.addSong(song);
    }
    if (list.count() > 0 && list.CurrentSong() < 1) {
        list.setCurrentSong(1);
        list.selectCurrent();
    }
    m_player->AffTitre();
    if (m_main.window) {
        bringToFront(m_main.window.get());
    }
}

void Program::fontStatusChanged(const QString &text)
{
    if (m_optionsDlg) {
        m_optionsDlg->setSoundFontStatus(text);
    }
}

void Program::reloadAllLanguages(const QString &file)
{
    m_languageFile = file;
    m_languageCode = languageFileCode(file);
    m_player->setLanguageFile(file);

    tools::LanguageReloaders reloaders;
    reloaders.set(tools::TextWindow::About, [this] { createAboutBox()->LoadLanguage(); });
    reloaders.set(tools::TextWindow::Main, [this] {
        if (m_main.LoadLanguage) {
            m_main.LoadLanguage();
        }
        m_player->AffTitre();
    });
    reloaders.set(tools::TextWindow::Options, [this] { createOptionsDialog()->LoadLanguage(); });
    reloaders.set(tools::TextWindow::Lyrics, [this] {
        if (lyrics::OGLWin *window = m_lyrics ? m_lyrics->window() : nullptr) {
            window->LoadLanguage();
        }
        if (m_scoring) {
            m_scoring->LoadLanguage();
        }
        if (m_party) {
            m_party->reloadSettings(); // the cards' texts
        }
    });
    reloaders.set(tools::TextWindow::Playlist, [this] {
        if (m_playlistWindow) {
            m_playlistWindow->LoadLanguage();
        }
    });
    reloaders.set(tools::TextWindow::ChannelPanel, [this] {
        if (m_reglage) {
            m_reglage->LoadLanguage();
        }
    });
    reloaders.set(tools::TextWindow::EffectsPanel, [this] {
        if (m_reverb) {
            m_reverb->LoadLanguage();
        }
    });
    reloaders.reloadAll();
}

void Program::setAutoMute(bool on)
{
    engine::Mixer &mixer = m_player->mixer();
    mixer.setAutoMute(on);
    mixer.DispSoloMute();
    mixer.ApplyLevels();
}

void Program::ChangeSF2()
{
    m_player->ChangeSF2();
}

std::optional<tools::LoadedFont> Program::loadedFont() const
{
    if (!m_player || !m_player->font()) {
        return std::nullopt;
    }
    const audio::SoundFont &font = *m_player->font();
    return tools::LoadedFont{m_player->FontPath(),
                             codepages::decodeWindows1252(QByteArrayView(font.name())),
                             font.presetCount()};
}

void Program::quitOnTerminationSignals()
{
    if (signals::wakeFd() < 0) {
        return;
    }
    auto *notifier = new QSocketNotifier(signals::wakeFd(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
        notifier->setEnabled(false);
        endOnSignal();
    });
}

void Program::endOnSignal()
{
    if (!m_starting) {
        QuitProgram();
        return;
    }
    // The start-up waits in a dialog (a message, the SoundFont chooser): it
    // is closed, and the start-up ends the program at its next step instead
    // of going on with windows the shutdown would have taken away.
    m_quitRequested = true;
    for (int nested = 0; nested < kMaxNestedDialogs; ++nested) {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            break;
        }
        dialog->reject();
    }
}

void Program::QuitProgram()
{
    if (m_quitDone) {
        return;
    }
    m_quitDone = true;
    if (m_main.stopClock) {
        m_main.stopClock();
    }
    if (m_player && m_player->stream()) {
        m_player->Action_Stop();
        QCoreApplication::processEvents();
    }
    if (m_playlistMemory) {
        m_playlistMemory->save();
    }
    if (audio::isInitialised()) {
        audio::Free();
        QCoreApplication::processEvents();
    }
    m_closingDown = true;
    unloadWindows();
    QCoreApplication::processEvents();
    if (m_main.window) {
        m_main.window->hide();
    }
    QCoreApplication::processEvents();
    QCoreApplication::exit(m_exitCode);
}

} // namespace melorit::program
