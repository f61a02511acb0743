// Pausing a song heard for listening, and going on from where it paused.
#include "engine/Player.h"

#include "engine/PlayerView.h"

namespace melorit::engine {

void Player::Action_Pause()
{
    if (m_paused) {
        resume();
        return;
    }
    if (!m_stream || !m_listenMode || m_songEnded || transportLocked()) {
        return;
    }
    m_audio.pause(*m_stream);
    m_paused = true;
    if (m_view) {
        m_view->transportButtonChanged(kPlayButton, kPausedButtonState);
    }
}

void Player::resume()
{
    m_paused = false;
    if (!m_stream) {
        return;
    }
    if (!m_audio.play(*m_stream)) {
        ShowAudioError(QStringLiteral("BASS_ChannelPlay"));
        Action_Stop();
        return;
    }
    if (m_view) {
        m_view->transportButtonChanged(kPlayButton, 1);
    }
}

} // namespace melorit::engine
