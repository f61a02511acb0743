#pragma once

// The two panels on a real song: the mixer bound to a decoding stream of
// the audio library (FluidSynth with a built SoundFont) through the stream
// binding, the panels as its view, pointer events sent to their knobs.

#include "audio/MidiStream.h"
#include "engine/Mixer.h"
#include "engine/StreamMixTarget.h"
#include "panels/PanelHost.h"
#include "panels/PanelMixView.h"
#include "panels/PresetNames.h"
#include "panels/Reglage.h"
#include "panels/Reverb.h"

#include "skins/Skins.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace melorit::panels::test {

// Presets of the fixture font: bank 0 programs 0, 5, 10 and 127; bank 1
// program 5; bank 3 programs 0 and 10; drum kits 0, 8 and 16 (MaxBank 3).
// Each plays key 69 at its own pitch: (0, 0) 220 Hz, (0, 5) 440 Hz,
// (0, 10) 880 Hz, (1, 5) 330 Hz (about), the others 440 Hz.
std::string fixtureFontPath();

// The song: channel 0 plays key 69 twice a second for ten seconds with program 5 and
// volume 90; channel 3 has program 0 and pan 30. At one second channel 0's
// volume becomes 70 and channel 3's pan 100.
inline constexpr double kSongChangeSeconds = 1.0;

struct SentEvent {
    int channel;
    engine::MidiEvent event;
    std::uint32_t param;
    bool operator==(const SentEvent &) const = default;
};
void PrintTo(const SentEvent &e, std::ostream *os);

// The stream binding with a record of what the mixer and the panels send.
class RecordingStreamTarget final : public engine::MixTarget {
public:
    explicit RecordingStreamTarget(engine::StreamMixTarget &inner) : m_inner(inner) {}
    bool hasStream() const override { return m_inner.hasStream(); }
    void sendEvent(int channel, engine::MidiEvent event, std::uint32_t param) override;
    std::int32_t eventValue(int channel, engine::MidiEvent event) const override
    {
        return m_inner.eventValue(channel, event);
    }
    std::int32_t songEventValue(int channel, engine::MidiEvent event) const override
    {
        return m_inner.songEventValue(channel, event);
    }
    void setFontVolume(float volume) override { m_inner.setFontVolume(volume); }

    std::vector<SentEvent> sent;

private:
    engine::StreamMixTarget &m_inner;
};

class PanelsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the song again (a new stream) and runs the mix part of its start:
    // controllers reset, stored overrides, refresh, watchers, tempo.
    void openSong();
    // Decodes the next stretch of the song, then draws what the watchers
    // changed, as one tick of the main window's clock does.
    std::vector<std::int16_t> play(double seconds);
    // The pitch of channel 0's next note (one starts every half second).
    double heardFrequency();

    // Pointer events on a knob picture, at its own coordinates.
    void press(int index, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier, QPointF at = {10, 6});
    void moveTo(int index, QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                Qt::MouseButtons buttons = Qt::LeftButton);
    void release(int index, Qt::MouseButton button = Qt::LeftButton, QPointF at = {10, 6});
    void click(int index, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A press, one move by (dx, dy) pixels and the release.
    void drag(int index, int dx, int dy, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    int streamValue(int channel, engine::MidiEvent event) const;
    // The stored override as the settings file reads back ("" for none).
    QString storedCC(int index) const;
    // The settings file's text, to tell an empty value from a missing key.
    QString settingsText() const;
    skins::Frame frameOf(int index) const;

    QTemporaryDir m_dir;
    QString m_songPath;
    QString m_settingsFile;
    QString m_configFile;
    std::shared_ptr<audio::SoundFont> m_font;
    std::unique_ptr<audio::MidiStream> m_stream;
    engine::StreamMixTarget m_streamTarget;
    RecordingStreamTarget m_target{m_streamTarget};
    engine::Mixer m_mixer;
    PanelMixView m_view;
    PresetNames m_presets;
    skins::SkinSet m_skins;
    std::unique_ptr<Reglage> m_reglage;
    std::unique_ptr<Reverb> m_reverb;
    int m_hiddenCalls = 0;
};

// The frequency of a steady tone on the left channel, from its rising zero
// crossings; 0 without one.
double toneFrequency(const std::vector<std::int16_t> &samples);

QString englishLanguageFile();

} // namespace melorit::panels::test
