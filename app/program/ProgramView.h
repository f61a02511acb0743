#pragma once

#include "engine/PlayerView.h"
#include "panels/Reglage.h"
#include "playlist/PlaylistWindow.h"

#include <QPointer>

namespace melorit::lyrics {
class LyricsWindowControl;
} // namespace melorit::lyrics

namespace melorit::scoring {
class ScoringControl;
} // namespace melorit::scoring

namespace melorit::program {

// The player's one view: every announcement goes to the main window, and the
// ones the secondary windows draw go to them too (the lyrics to the lyrics
// window, the repeat mode to the playlist window's button, a new SoundFont's
// preset names to the channel panel, the song's road to the singer's
// scoring). A window not created yet is skipped.
// UI thread.
class ProgramView final : public engine::PlayerView {
public:
    void setMainView(engine::PlayerView *view) { m_main = view; }
    void setLyrics(lyrics::LyricsWindowControl *lyrics) { m_lyrics = lyrics; }
    void setPlaylistWindow(playlist::PlaylistWindow *window) { m_playlist = window; }
    void setChannelPanel(panels::Reglage *panel) { m_channels = panel; }
    void setScoring(scoring::ScoringControl *scoring) { m_scoring = scoring; }

    void captionChanged(const QString &caption) override;
    void transportButtonChanged(int button, int state) override;
    void repeatModeChanged(int mode) override;
    void metersReleased() override;
    void lyricsCleared() override;
    void lyricsEventShown(int index) override;
    void timeLabelsShown(bool listening) override;
    void markersChanged(const engine::Markers &markers, double tempoRatio, bool relayout) override;
    void timeSliderReset(const QString &timeText) override;
    void batchTimerChanged(bool enabled) override;
    void presetNamesChanged() override;
    void statusShown(const QString &text) override;
    void transportLocked(bool locked) override;
    void songStarting() override;
    void songJumped() override;
    void songFinished() override;
    void songStopped() override;

private:
    engine::PlayerView *m_main = nullptr;
    lyrics::LyricsWindowControl *m_lyrics = nullptr;
    QPointer<playlist::PlaylistWindow> m_playlist;
    QPointer<panels::Reglage> m_channels;
    scoring::ScoringControl *m_scoring = nullptr;
};

} // namespace melorit::program
