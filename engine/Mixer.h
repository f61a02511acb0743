#pragma once

#include "engine/ControllerTable.h"
#include "engine/MixState.h"
#include "engine/SoloMute.h"

#include <QString>

#include <array>
#include <atomic>
#include <cstdint>

namespace melorit::engine {

class MixTarget;
class MixView;

// Indices of the main window's mixer controls (the `Potard` array) and of its
// solo and mute buttons (the `PicSM` array).
inline constexpr int kGainControl = 16;
inline constexpr int kTransposeControl = 17;
inline constexpr int kTempoControl = 18;
inline constexpr int kFirstMuteButton = 16;
inline constexpr int kSoloMuteButtonCount = 32;

// The mix of the current song: the mixer of the main window, the controller
// overrides of the panels, the per-song settings file that remembers them,
// and the watchers that re-assert the user's values while the song plays.
// It applies everything through a MixTarget and announces what changes to a
// MixView. Both may be absent (no stream, no window).
//
// Everything runs on the user-interface thread except onControllerEvent and
// onTempoEvent, which the audio thread calls at mixing time.
class Mixer {
public:
    Mixer();

    void setTarget(MixTarget *target) { m_target = target; }
    // The stream the mixer applies to; the panels send their drags through it too.
    MixTarget *target() const { return m_target; }
    void setView(MixView *view) { m_view = view; }
    // The language file the tips are read from.
    void setLanguageFile(const QString &file) { m_languageFile = file; }
    // The current song's settings file, "" when there is no song.
    void setSongSettingsFile(const QString &file) { m_settingsFile = file; }
    const QString &SongSettingsFile() const { return m_settingsFile; }

    void setLyricsChannel(int channel) { m_state.nCanalLyrics = channel; }
    void setAutoMute(bool on) { m_state.AutoMute = on; }

    const MixState &state() const { return m_state; }
    ControllerTable &controllers() { return m_table; }
    const ControllerTable &controllers() const { return m_table; }
    int TempoShift() const { return m_tempo.TempoShift.load(); }
    double TempoRatio() const { return m_tempo.TempoRatio.load(); }
    int BaseTempo() const { return m_tempo.BaseTempo.load(); }

    // --- per-song settings (Load* redraw their controls, Save* write at once)
    void LoadGain();
    void LoadTempo();
    void LoadTranspose();
    void LoadVolume();
    void LoadMute();
    void LoadCC();
    void SaveGain();
    void SaveTempo();
    void SaveTranspose();
    void SaveCC(int index);
    // One channel, or all 16 for a negative channel.
    void SaveVolume(int channel);
    void SaveMute(int channel);

    // --- applying the mix to the stream
    void ApplyVolume(int gain);
    void ApplyTranspose(int semitones);
    void ApplyLevels();
    void NewTempo();
    // BaseTempo = the stream's current tempo.
    void ReadBaseTempo();
    void DispSoloMute();

    // --- controllers
    void ApplyController(int index, int channel, MidiEvent event);
    void RefreshControllers();
    // Gives a controller a user value (>= 0) or gives it back to the song
    // (-1), with its mark; the panels then send and store it.
    void setOverride(int index, int value);

    // --- song start and seeking
    // The mix part of a song's start, in order: controller reset, stored
    // overrides, controller refresh, mutes and volumes, gain, transposition,
    // levels. The watchers are installed by the caller next.
    void startSongMix();
    // The tempo part, around the loading of the markers: startSongTempo
    // takes the song's tempo at factor 1, loadSongTempo then applies the
    // stored factor.
    void startSongTempo();
    void loadSongTempo();
    // After a seek: controllers refreshed, the song's tempo read again and
    // re-applied with the user's factor.
    void afterSeek();

    // --- the main window's solo and mute buttons (PicSM)
    void PicSM_MouseDown(MouseButton button) { m_lastPicSMButton = button; }
    // A click on button 0-31; false for any other button (a command).
    bool PicSM_Click(int button);

    // --- the main window's faders and knobs (Potard 0-18)
    void Potard_MouseDown(int control, MouseButton button, int x, int y);
    void Potard_MouseMove(int x, int y);
    void Potard_MouseUp();
    // Notches of the mouse wheel over a control: each moves it one step
    // (volume 5, gain 1 dB, transposition 1 semitone, tempo 1 %), heard and
    // kept at once as a drag released there would be.
    void Potard_Wheel(int control, int notches);
    void TestButton(MouseButton button);
    void ControllerMove(int x, int y);
    bool isDragging() const { return m_drag.mode != DragMode::None; }

    // --- watchers, audio thread: no allocation, no lock
    // A song's controller event: user = 1-6 and 18 for the channel rows, 7-17
    // for the global effects; data = channel << 16 | parameter.
    void onControllerEvent(int user, std::uint32_t data) noexcept;
    // A song's tempo event.
    void onTempoEvent() noexcept;

    // Draws what the watchers changed since the last call. UI thread, from a
    // timer.
    void flushPendingRedraws();

private:
    enum class DragMode { None = 0, Volume = 1, Gain = 2, Transpose = 3, Tempo = 4 };
    struct Drag {
        int control = -1;
        int pressX = 0;
        int pressY = 0;
        DragMode mode = DragMode::None;
        int startValue = 0; // the committed value at the press
        int value = 0;      // the value being dragged
    };

    bool hasStream() const;
    void sendEvent(int channel, MidiEvent event, int param) noexcept;
    int readEvent(int channel, MidiEvent event) const noexcept;
    int readSongValue(int channel, MidiEvent event) const;

    void drawVolume(int channel, int volume);
    void drawGain(int gain);
    void drawTranspose(int semitones);
    void drawTempo(int tempoShift);
    void drawKnob(int index);
    void markKnob(int index, bool overridden);
    void sendLevel(int channel, int volume);
    void sendTempo() noexcept;
    void sendBankAndProgram(int channel) noexcept;
    void resetControllers();
    void refreshChannel(int channel);

    int committedValue(DragMode mode, int control) const;
    void resetControl();
    void previewDrag();
    void commitDrag();

    void onChannelEvent(int rowBase, int channel, int param) noexcept;
    void onGlobalEvent(int k, int param) noexcept;
    void requestKnobRedraw(int index) noexcept;

    MixState m_state;
    TempoState m_tempo;
    ControllerTable m_table;
    MixTarget *m_target = nullptr;
    MixView *m_view = nullptr;
    QString m_languageFile;
    QString m_settingsFile;
    MouseButton m_lastPicSMButton = MouseButton::Left;
    Drag m_drag;

    // Redraws posted by the watchers, drawn by flushPendingRedraws.
    std::array<std::atomic<bool>, kCtrlCount> m_knobDirty{};
    std::atomic<bool> m_tempoDirty{false};
    std::atomic<bool> m_anyDirty{false};
};

} // namespace melorit::engine
