// The player's transport: opening a song for listening, its set-up, the
// end of a song and the commands that move through the playlist.
#include "engine/Player.h"

#include "audio/SyncDispatcher.h"
#include "base/Ini.h"
#include "engine/PlayerView.h"
#include "engine/SettingsKeys.h"
#include "engine/StreamMixTarget.h"

#include <vector>

namespace melorit::engine {

namespace {
constexpr int kRecordButton = 36;
} // namespace

void Player::Action_Play()
{
    if (refuseDuringConversion()) {
        return;
    }
    if (m_paused) {
        resume();
        return;
    }
    if (m_view) {
        m_view->transportButtonChanged(kPlayButton, 1);
    }
    OpenSong(true);
}

void Player::releaseStream()
{
    if (!m_stream) {
        return;
    }
    m_audio.stop(*m_stream);
    // Nothing may reach the stream once it is gone: the mixer first.
    m_target.setStream(nullptr);
    m_stream.reset();
    m_lyricsSource.reset();
}

void Player::Action_Stop()
{
    const bool hadSong = m_stream != nullptr;
    releaseStream();
    m_endPending = false;
    m_paused = false;
    if (m_view && hadSong) {
        m_view->songStopped();
    }
    if (m_view) {
        m_view->metersReleased();
        m_view->lyricsCleared();
        m_view->transportButtonChanged(kPlayButton, 0);
        m_view->transportButtonChanged(kRecordButton, 0);
    }
    // In a batch a stopped song (converted, failed or cancelled) hands over
    // to the next entry at the next tick of the batch timer.
    if (m_batchEncode) {
        m_batchStep = 0;
        enableBatchTimer(true);
    }
}

void Player::goTo(const TransportStep &step)
{
    m_playlist.setCurrentSong(step.index);
    if (!step.play) {
        AffTitre();
        return;
    }
    m_playlist.selectCurrent();
    AffTitre();
    Action_Play();
}

void Player::Action_Next()
{
    if (refuseDuringConversion()) {
        return;
    }
    Action_Stop();
    goTo(nextStep(m_playlist.CurrentSong(), m_playlist.count(), m_repeatMode, m_listenMode));
}

void Player::Action_Prev()
{
    if (refuseDuringConversion()) {
        return;
    }
    Action_Stop();
    goTo(prevStep(m_playlist.CurrentSong(), m_playlist.count()));
}

void Player::Action_PlaySelected(int index)
{
    if (refuseDuringConversion()) {
        return;
    }
    Action_Stop();
    goTo(playSelectedStep(index, m_playlist.count(), m_repeatMode));
}

void Player::Action_Repeat()
{
    m_repeatMode = nextRepeatMode(m_repeatMode);
    WriteIni(config::kRepeatSection, config::kRepeatModeKey, QString::number(m_repeatMode),
             m_settings.configFile);
    if (m_view) {
        m_view->repeatModeChanged(m_repeatMode);
    }
}

void Player::OpenSong(bool listen)
{
    Action_Stop();
    m_listenMode = listen;
    if (!listen) {
        openForRendering();
        return;
    }
    if (!openListeningStream()) {
        return;
    }
    setUpSong();
    if (m_view) {
        m_view->transportButtonChanged(kPlayButton, 1);
        m_view->songStarting();
    }
    if (!m_audio.play(*m_stream)) {
        // A stream the device refuses would leave the button pressed over
        // silence: say why and release it.
        ShowAudioError(QStringLiteral("BASS_ChannelPlay"));
        Action_Stop();
    }
}

bool Player::openListeningStream()
{
    const int count = m_playlist.count();
    if (m_playlist.CurrentSong() > count || m_playlist.CurrentSong() < 1) {
        m_playlist.setCurrentSong(1);
        m_playlist.selectCurrent();
    }
    AffTitre();
    if (m_playlist.CurrentSong() > count) {
        return false;
    }
    for (;;) {
        if (m_listeningHook) {
            m_listeningHook(m_songPath);
        }
        m_stream = OpenSongStream(m_songPath, false);
        if (m_stream) {
            return true;
        }
        // An entry that cannot be read is skipped without a word. Past the
        // last entry nothing plays; the title is not asked first, because
        // with a single entry it makes that entry current again and the
        // same file would be tried for ever.
        m_playlist.setCurrentSong(m_playlist.CurrentSong() + 1);
        m_playlist.selectCurrent();
        if (m_playlist.CurrentSong() > count) {
            if (count > 1) {
                AffTitre();
            }
            return false;
        }
        AffTitre();
    }
}

void Player::setUpSong()
{
    audio::MidiStream &stream = *m_stream;
    m_songEnded = false;
    m_lyrics.resetForNewSong();
    m_mixer.setLyricsChannel(-1);
    m_target.setStream(&stream);
    m_mixer.setSongSettingsFile(m_songSettingsFile);
    m_mixer.startSongMix();
    if (m_view) {
        m_view->timeLabelsShown(m_listenMode);
    }

    m_songLength = audio::MidiStream::bytesToSeconds(stream.length(audio::PosUnit::Bytes));
    m_songTicks = static_cast<std::int64_t>(stream.length(audio::PosUnit::Ticks));

    m_lyricsSource = std::make_unique<lyrics::StreamLyricsSource>(stream);
    m_lyrics.InitLyrics(*m_lyricsSource);
    m_lyrics.FindMelodyChannel(*m_lyricsSource);
    // The melody channel is known only now: the levels set above did not
    // silence it yet.
    m_mixer.setLyricsChannel(m_lyrics.nCanalLyrics());
    m_mixer.DispSoloMute();
    m_mixer.ApplyLevels();
    if (m_view) {
        // The stop before the opening cleared the lyrics while the previous
        // (or a skipped) entry was current: the zoom is this song's.
        m_view->lyricsCleared();
        m_view->lyricsEventShown(0);
    }

    installSyncs();

    m_mixer.startSongTempo();
    LoadMarqueurs(m_songSettingsFile, m_markers);
    setUpPunch();
    m_mixer.loadSongTempo();
    if (m_view) {
        m_view->markersChanged(m_markers, m_mixer.TempoRatio(), false);
        m_view->timeSliderReset(ShowTime());
    }
    m_mixer.RefreshControllers();
}

void Player::installSyncs()
{
    audio::MidiStream &stream = *m_stream;
    stream.setSync(audio::SyncType::End, 0, [this](std::uint32_t) { SongEnd(); });
    if (m_lyrics.LyricsTrack() >= 0) {
        stream.setSync(m_lyrics.LyricSyncType(), 0, [this](std::uint32_t markIndex) {
            if (m_lyricsSource) {
                m_lyrics.LyricSync(*m_lyricsSource, static_cast<int>(markIndex),
                                   m_lyrics.LyricMarkType());
            }
        });
    }
    installMixWatchers(stream, m_mixer);
}

// With active markers the song starts at the punch-in; at the punch-out a
// linear fade runs over FadeLength, then FadeMargin of silence, then SongEnd.
void Player::setUpPunch()
{
    audio::MidiStream &stream = *m_stream;
    m_fade = FadeDsp{};
    m_punch = planPunch(m_markers, m_songLength);
    if (m_punch.Seek) {
        stream.setPosition(audio::MidiStream::secondsToBytes(m_punch.StartSeconds),
                           audio::PosUnit::Bytes);
        // The seek rebuilt the song's own controllers: the mix goes on top.
        m_mixer.RefreshControllers();
        m_mixer.ApplyLevels();
    }
    if (!m_punch.FadeOut) {
        return;
    }
    // The fade starts at mixing time, on the thread that renders the stream
    // (the audio thread while it plays through the device), the thread its
    // DSP runs on: sample-exact, and the fade state is never shared.
    stream.addDsp([this](std::span<std::int16_t> samples) {
        m_fade.process(samples.data(), samples.size());
    });
    stream.setSync(
        audio::SyncType::Position, audio::MidiStream::secondsToBytes(m_punch.FadeSeconds),
        [this](std::uint32_t) { m_fade.FadeStart(m_punch.FadeLength); },
        audio::SyncTiming::MixTime);
    stream.setSync(audio::SyncType::Position, audio::MidiStream::secondsToBytes(m_punch.EndSeconds),
                   [this](std::uint32_t) { SongEnd(); });
}

void Player::SongEnd()
{
    m_songEnded = true;
    if (m_view) {
        m_view->metersReleased();
    }
    if (m_stream) {
        m_audio.stop(*m_stream);
    }
    if (m_view && m_listenMode) {
        m_view->songFinished();
    }
    if (m_view) {
        m_view->lyricsCleared();
    }
    // The lyrics file of a rendered song is written here.
    // The next song frees this stream, so it starts once the stream's call
    // that reported the end has returned.
    if (songEndAction(m_repeatMode, m_listenMode) != SongEndAction::None) {
        m_endPending = true;
    }
}

void Player::runPending()
{
    if (!m_endPending) {
        return;
    }
    m_endPending = false;
    switch (songEndAction(m_repeatMode, m_listenMode)) {
    case SongEndAction::PlayAgain:
        Action_Play();
        break;
    case SongEndAction::PlayNext:
        Action_Next();
        break;
    case SongEndAction::None:
        break;
    }
}

int Player::pumpSyncs()
{
    const int ran = audio::SyncDispatcher::dispatch();
    runPending();
    return ran;
}

std::int64_t Player::pull(std::size_t bytes)
{
    std::vector<std::uint8_t> buffer(bytes);
    return pull(buffer.data(), bytes);
}

std::int64_t Player::pull(void *buffer, std::size_t bytes)
{
    std::int64_t read = 0;
    if (m_stream && !m_paused) {
        read = m_audio.pull(*m_stream, buffer, bytes);
    }
    runPending();
    return read;
}

} // namespace melorit::engine
