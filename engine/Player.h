#pragma once

#include "engine/Markers.h"
#include "engine/Mixer.h"
#include "engine/PlayerAudio.h"
#include "engine/PlayerPunch.h"
#include "engine/StreamMixTarget.h"
#include "engine/Transport.h"
#include "lyrics/LyricsModel.h"
#include "lyrics/StreamLyricsSource.h"
#include "songlist/SongList.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace melorit::engine {

class PlayerDialogs;
class PlayerView;
class SongRendering;

// Where a player finds its files. The player reads the sound settings of
// its configuration file (SoundSettings) itself.
struct PlayerSettings {
    // The configuration file; "" is "Melorit.ini".
    QString configFile;
    // The language file the titles and dialog texts come from.
    QString languageFile;
    // The folder of the program, where "Chorium.SF2" may lie.
    QString programFolder;
    // The system's General MIDI SoundFonts, tried in order at start when
    // no configured font and no "Chorium.SF2" can be loaded.
    QStringList systemFonts = defaultSystemFonts();
    PlayerOutput output = PlayerOutput::Device;

    static QStringList defaultSystemFonts();
};

// What the 100 ms clock of the main window shows.
struct ClockReading {
    // The position slider's value; nothing when the song's length in ticks
    // is not known (the slider stays where it is).
    std::optional<int> sliderValue;
    // "mm:ss / mm:ss".
    QString timeText;
    // The options dialog's SoundFont status, every fourth tick.
    std::optional<QString> fontStatus;
};

// The player: the song stream, the SoundFont, the current song and its
// mix, markers and lyrics, and the playlist, with the transport that moves
// through it. The windows call its operations and draw what its view
// interface announces; whatever needs a person goes through the dialog
// interface. Several players can live in one process.
//
// Everything runs on the user-interface thread, except the mixer's watchers
// (mixing time, audio thread).
class Player {
public:
    explicit Player(PlayerSettings settings, PlayerView *view = nullptr,
                    PlayerDialogs *dialogs = nullptr);
    ~Player();
    Player(const Player &) = delete;
    Player &operator=(const Player &) = delete;

    void setView(PlayerView *view) { m_view = view; }
    void setDialogs(PlayerDialogs *dialogs) { m_dialogs = dialogs; }
    // Who converts a song opened with OpenSong(false); without one the
    // song is not rendered.
    void setRendering(SongRendering *rendering) { m_rendering = rendering; }
    // Called with each song's path just before it is opened for listening
    // (the program writes the song's MIDI listing there when asked to).
    void setListeningHook(std::function<void(const QString &songPath)> hook)
    {
        m_listeningHook = std::move(hook);
    }
    PlayerDialogs *dialogs() const { return m_dialogs; }
    // A language change: titles, tips and dialog texts come from this file
    // from now on.
    void setLanguageFile(const QString &file)
    {
        m_settings.languageFile = file;
        m_mixer.setLanguageFile(file);
    }

    // --- SoundFont
    // Loads a SoundFont and makes it current; false (nothing changed,
    // nothing written) when it cannot be loaded or is the current one.
    bool ReplaceFont(const QString &path);
    // Lets the person choose a SoundFont and loads it.
    void ChangeSF2();
    // The font at start: the configured one, "Chorium.SF2" in the program
    // folder, the system's General MIDI fonts, then the chooser.
    void loadStartFont();
    const std::shared_ptr<audio::SoundFont> &font() const { return m_font; }
    const QString &FontPath() const { return m_fontPath; }
    const QString &SoundFontFolder() const { return m_soundFontFolder; }
    // "" where the font has no preset; bank 0-128, preset 0-127.
    QString PresetName(int bank, int preset) const;
    int MaxBank() const { return m_maxBank; }

    // --- the current song
    // Recomputes SongPath, SongName and SongSettingsFile from the playlist
    // and announces the caption.
    void AffTitre(const QString &suffix = {});
    const QString &SongPath() const { return m_songPath; }
    const QString &SongName() const { return m_songName; }
    const QString &SongSettingsFile() const { return m_songSettingsFile; }
    std::unique_ptr<audio::MidiStream> OpenSongStream(const QString &path, bool decode) const;
    // Shows the audio error box with the calling thread's last error.
    void ShowAudioError(const QString &context);

    // --- transport
    void Action_Play();
    void Action_Stop();
    void Action_Next();
    void Action_Prev();
    void Action_PlaySelected(int index);
    void Action_Repeat();
    // Space: a song playing for listening pauses where it is (its position,
    // the lyrics and the meters hold); again, or Play, goes on from there.
    // Stop rewinds as ever. Nothing without such a song.
    void Action_Pause();
    bool paused() const { return m_paused; }
    // Opens the current playlist entry (the next one that can be read) and,
    // when listening, plays it; when rendering, hands it to the rendering.
    void OpenSong(bool listen);
    // Rendering: the decoding stream of the current song with the set-up of
    // a listened one. The error box with "MidiReadError" and false when the
    // song cannot be read.
    bool openRenderingStream();
    // A text of the main window's section of the language file.
    QString languageText(const QString &key) const;
    // The end of the stream: stops it; while listening the transport goes on
    // once the stream's call has returned (see runPending).
    void SongEnd();
    // Runs what a sync asked for after the stream's own call returned (the
    // next song after an end). Called by pull and by pumpSyncs.
    void runPending();
    // A song heard through the sound device: runs the syncs that are due
    // (end, lyrics, notes) and then what they asked for. The main window
    // calls it from its timer or when SyncDispatcher::fd() is readable.
    // The dispatcher serves every playing stream of the process, so each
    // player pumps: another player's syncs run here and its pending step
    // waits for its own pump. Returns the syncs run. UI thread.
    int pumpSyncs();
    // A decoding listening stream (no sound device): reads up to bytes of
    // the song, then runs what its syncs asked for. Returns the bytes read
    // (0 without a song or when the song plays through the device).
    std::int64_t pull(std::size_t bytes);
    // The same into the caller's buffer (interleaved 16-bit stereo).
    std::int64_t pull(void *buffer, std::size_t bytes);
    // Whether the current song plays through the sound device.
    bool playsThroughDevice() const { return m_stream && !m_stream->isDecoding(); }

    // --- conversion
    // The record button: converts the current playlist entry
    // (OpenSong(false)).
    void Action_Record();
    // Whether a conversion (OpenSong(false), from the export dialog to the
    // encoder's stop) is under way.
    bool converting() const { return m_converting; }
    // While a conversion or a batch of them runs, the commands that would
    // take the stream being rendered (play, next, previous, a playlist line,
    // record, open, another SoundFont) are refused: true, and the status
    // area says why. Stop is not refused: it cancels the conversion.
    bool refuseDuringConversion();
    bool transportLocked() const { return m_converting || m_batchEncode; }

    // A short message for the main window's status area.
    void showStatus(const QString &text);

    // --- batch conversion to the end of the playlist
    // The batch timer TimerEncodage belongs to the main window: it runs a
    // QTimer of kBatchTimerInterval ms while batchTimerEnabled() is true
    // (announced by PlayerView::batchTimerChanged) and calls
    // TimerEncodage_Timer on each timeout. Tests and tools call the tick
    // themselves, so the batch rule needs no window and no waiting.
    static constexpr int kBatchTimerInterval = 250;
    // Set by the export dialog's choice of converting every song from the
    // current one to the end of the list, cleared by its OK (this song only)
    // and at the end of the list, which stops the batch timer; in a batch
    // existing outputs are replaced without a question.
    bool BatchEncode() const { return m_batchEncode; }
    void setBatchEncode(bool batch);
    // 0 = advance to the next entry, 1 = convert the current entry.
    int BatchStep() const { return m_batchStep; }
    bool batchTimerEnabled() const { return m_batchTimerEnabled; }
    // One tick of the batch timer. Ticks that come while a conversion is
    // under way (its loop and the export dialog let the event loop run) are
    // ignored, so a song is never abandoned for the next one by the timer.
    void TimerEncodage_Timer();

    // Whether SongEnd ran for the current song (its natural end or the end
    // of its punched section); cleared when a song is set up.
    bool songEnded() const { return m_songEnded; }
    // The punch plan of the current song (start, fade, end), as set up when
    // it was opened.
    const PunchPlan &punchPlan() const { return m_punch; }

    int RepeatMode() const { return m_repeatMode; }
    bool ListenMode() const { return m_listenMode; }
    double SongLength() const { return m_songLength; }
    std::int64_t SongTicks() const { return m_songTicks; }

    // --- clock and position slider
    // One tick of the 100 ms clock.
    ClockReading clockTick(int sliderMax);
    // "mm:ss / mm:ss": the position and the song's length as heard at the
    // tempo used; the position stops at the length during the decay.
    QString ShowTime() const;
    // The slider released: seek to its proportional tick (never with
    // max 0), then lyrics, controllers and tempo follow.
    void sldPosition_MouseUp(int value, int sliderMax);

    // --- what the player owns
    audio::MidiStream *stream() const { return m_stream.get(); }
    Mixer &mixer() { return m_mixer; }
    const Mixer &mixer() const { return m_mixer; }
    Markers &markers() { return m_markers; }
    const Markers &markers() const { return m_markers; }
    lyrics::LyricsModel &lyrics() { return m_lyrics; }
    const lyrics::LyricsModel &lyrics() const { return m_lyrics; }
    songlist::SongList &playlist() { return m_playlist; }
    const songlist::SongList &playlist() const { return m_playlist; }
    const PlayerSettings &settings() const { return m_settings; }

private:
    void readPresetNames();
    bool openListeningStream();
    void openForRendering();
    void setUpSong();
    void installSyncs();
    void setUpPunch();
    void releaseStream();
    void resume();
    void goTo(const TransportStep &step);
    void enableBatchTimer(bool enabled);
    void showTransportLock();

    PlayerSettings m_settings;
    PlayerAudio m_audio;
    PlayerView *m_view = nullptr;
    PlayerDialogs *m_dialogs = nullptr;
    SongRendering *m_rendering = nullptr;
    std::function<void(const QString &)> m_listeningHook;

    std::shared_ptr<audio::SoundFont> m_font;
    QString m_fontPath;
    QString m_soundFontFolder;
    std::vector<QString> m_presetNames;
    int m_maxBank = 0;

    QString m_songPath;
    QString m_songName;
    QString m_songSettingsFile;
    bool m_listenMode = false;
    int m_repeatMode = kRepeatNone;
    double m_songLength = 0;
    std::int64_t m_songTicks = 0;
    bool m_endPending = false;
    bool m_paused = false;
    bool m_songEnded = false;
    bool m_converting = false;
    bool m_batchEncode = false;
    int m_batchStep = 0;
    bool m_batchTimerEnabled = false;
    bool m_lockShown = false;
    ClockCounter m_clock;

    Mixer m_mixer;
    StreamMixTarget m_target;
    Markers m_markers;
    lyrics::LyricsModel m_lyrics;
    songlist::SongList m_playlist;
    // Set up on the UI thread before the stream runs; then used only by the
    // fade's mix-time sync and DSP, on the thread that renders the stream.
    PunchPlan m_punch;
    FadeDsp m_fade;

    // Declared last: the stream goes first, before the models its syncs
    // call; the lyrics source reads the stream.
    std::unique_ptr<audio::MidiStream> m_stream;
    std::unique_ptr<lyrics::StreamLyricsSource> m_lyricsSource;
};

} // namespace melorit::engine
