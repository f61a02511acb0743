// Scoring the singer: the live session's control, fed by the player, its
// pitch lane shown in the lyrics window.
#include "app/program/Program.h"

#include "engine/PlayerDialogs.h"
#include "engine/PlayerScoring.h"
#include "lyrics/LyricsWindowControl.h"
#include "lyrics/OGLWin.h"
#include "scoring/ScoringControl.h"

namespace melorit::program {

void Program::createScoring()
{
    scoring::ScoringHost host = engine::scoringHostOf(*m_player);
    host.languageFile = [this] { return m_languageFile; };
    host.warn = [this](const QString &text) {
        if (engine::PlayerDialogs *dialogs = m_player->dialogs()) {
            dialogs->message({text, QStringLiteral("Melorit"), MessageIcon::Exclamation});
        }
    };
    m_scoring = std::make_unique<scoring::ScoringControl>(std::move(host));
    m_view.setScoring(m_scoring.get());
    if (lyrics::OGLWin *window = m_lyrics ? m_lyrics->window() : nullptr) {
        window->setLane(m_scoring->lane());
    }
}

void Program::scoringChanged()
{
    if (m_scoring) {
        m_scoring->settingsChanged();
    }
}

} // namespace melorit::program
