#include "app/program/ProgramView.h"

#include "lyrics/LyricsWindowControl.h"
#include "panels/Reglage.h"
#include "playlist/PlaylistWindow.h"
#include "scoring/ScoringControl.h"
#include "skins/PictureButton.h"

namespace melorit::program {

namespace {
// The playlist window's repeat button and its button that plays a line.
constexpr int kPlaylistRepeatButton = 54;
constexpr int kPlaylistPlayButton = 52;
} // namespace

void ProgramView::captionChanged(const QString &caption)
{
    if (m_main) {
        m_main->captionChanged(caption);
    }
}

void ProgramView::transportButtonChanged(int button, int state)
{
    if (m_main) {
        m_main->transportButtonChanged(button, state);
    }
}

void ProgramView::repeatModeChanged(int mode)
{
    if (m_main) {
        m_main->repeatModeChanged(mode);
    }
    if (m_playlist) {
        m_playlist->DrawSM(kPlaylistRepeatButton, mode);
    }
}

void ProgramView::metersReleased()
{
    if (m_main) {
        m_main->metersReleased();
    }
}

void ProgramView::lyricsCleared()
{
    if (m_main) {
        m_main->lyricsCleared();
    }
    if (m_lyrics) {
        m_lyrics->EffaceLyrics();
    }
}

void ProgramView::lyricsEventShown(int index)
{
    if (m_main) {
        m_main->lyricsEventShown(index);
    }
    if (m_lyrics) {
        m_lyrics->DisplayLyrics(index);
    }
}

void ProgramView::timeLabelsShown(bool listening)
{
    if (m_main) {
        m_main->timeLabelsShown(listening);
    }
}

void ProgramView::markersChanged(const engine::Markers &markers, double tempoRatio, bool relayout)
{
    if (m_main) {
        m_main->markersChanged(markers, tempoRatio, relayout);
    }
}

void ProgramView::timeSliderReset(const QString &timeText)
{
    if (m_main) {
        m_main->timeSliderReset(timeText);
    }
}

void ProgramView::batchTimerChanged(bool enabled)
{
    if (m_main) {
        m_main->batchTimerChanged(enabled);
    }
}

void ProgramView::presetNamesChanged()
{
    if (m_main) {
        m_main->presetNamesChanged();
    }
    if (m_channels) {
        m_channels->redrawAll();
    }
}

void ProgramView::statusShown(const QString &text)
{
    if (m_main) {
        m_main->statusShown(text);
    }
}

void ProgramView::transportLocked(bool locked)
{
    if (m_main) {
        m_main->transportLocked(locked);
    }
    if (m_playlist) {
        if (skins::PictureButton *play = m_playlist->PicSM(kPlaylistPlayButton)) {
            play->setDimmed(locked);
        }
    }
}

void ProgramView::songStarting()
{
    if (m_scoring) {
        m_scoring->songStarting();
    }
}

void ProgramView::songJumped()
{
    if (m_scoring) {
        m_scoring->songJumped();
    }
}

void ProgramView::songFinished()
{
    if (m_scoring) {
        m_scoring->songFinished();
    }
}

void ProgramView::songStopped()
{
    if (m_scoring) {
        m_scoring->songStopped();
    }
}

} // namespace melorit::program
