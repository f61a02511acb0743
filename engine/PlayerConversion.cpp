// The player's side of a conversion: the record command, the rendering
// road of OpenSong, the batch timer, and the commands a conversion refuses.
#include "engine/Player.h"

#include "engine/PlayerView.h"
#include "engine/SongRendering.h"

namespace melorit::engine {

namespace {
constexpr int kRecordButton = 36;
} // namespace

void Player::Action_Record()
{
    if (refuseDuringConversion()) {
        return;
    }
    OpenSong(false);
}

bool Player::refuseDuringConversion()
{
    if (!transportLocked()) {
        return false;
    }
    showStatus(languageText(QStringLiteral("Status(Busy)")));
    return true;
}

void Player::showStatus(const QString &text)
{
    if (m_view) {
        m_view->statusShown(text);
    }
}

void Player::setBatchEncode(bool batch)
{
    m_batchEncode = batch;
    if (!batch) {
        // The stop that opened the song armed the timer for the next entry.
        m_batchStep = 0;
        enableBatchTimer(false);
    }
    showTransportLock();
}

void Player::showTransportLock()
{
    if (m_lockShown == transportLocked()) {
        return;
    }
    m_lockShown = transportLocked();
    if (m_view) {
        m_view->transportLocked(m_lockShown);
    }
}

void Player::enableBatchTimer(bool enabled)
{
    if (m_batchTimerEnabled == enabled) {
        return;
    }
    m_batchTimerEnabled = enabled;
    if (m_view) {
        m_view->batchTimerChanged(enabled);
    }
}

void Player::TimerEncodage_Timer()
{
    if (!m_batchTimerEnabled || m_converting) {
        return;
    }
    if (m_batchStep == 0) {
        m_playlist.setCurrentSong(m_playlist.CurrentSong() + 1);
        if (m_playlist.CurrentSong() > m_playlist.count()) {
            setBatchEncode(false);
            enableBatchTimer(false);
            releaseStream();
            AffTitre();
            return;
        }
        m_playlist.selectCurrent();
        AffTitre();
        m_batchStep = 1;
    } else if (m_batchStep == 1) {
        enableBatchTimer(false);
        OpenSong(false); // the record command, which refuses while a batch runs
    }
}

void Player::openForRendering()
{
    const int count = m_playlist.count();
    if (m_playlist.CurrentSong() > count || m_playlist.CurrentSong() < 1) {
        m_playlist.setCurrentSong(1);
    }
    if (m_playlist.CurrentSong() > count) {
        return;
    }
    m_playlist.selectCurrent();
    AffTitre();
    // The rendering asks for the export settings, opens the decoding stream
    // (openRenderingStream) and runs the conversion.
    if (!m_rendering) {
        return;
    }
    m_converting = true;
    showTransportLock();
    m_rendering->render(*this);
    m_converting = false;
    showTransportLock();
    // Finished, cancelled or failed: the clock comes back.
    if (m_view) {
        m_view->timeLabelsShown(true);
    }
}

bool Player::openRenderingStream()
{
    m_stream = OpenSongStream(m_songPath, true);
    if (!m_stream) {
        ShowAudioError(languageText(QStringLiteral("MidiReadError")));
        return false;
    }
    setUpSong();
    if (m_view) {
        m_view->transportButtonChanged(kRecordButton, 1);
    }
    return true;
}

} // namespace melorit::engine
