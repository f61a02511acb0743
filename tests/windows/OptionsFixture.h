#pragma once

#include "WindowTestSupport.h"

#include "base/Ini.h"
#include "engine/MixTarget.h"
#include "engine/Mixer.h"
#include "tools/LanguageList.h"
#include "tools/OptionsHost.h"

#include <gtest/gtest.h>

#include <vector>

namespace melorit::windows::test {

// The song stream as the mixer drives it: keeps the mix level last sent to
// each channel.
class LevelRecorder final : public engine::MixTarget {
public:
    bool hasStream() const override { return true; }
    void sendEvent(int channel, engine::MidiEvent event, std::uint32_t param) override
    {
        if (event == engine::MIDI_EVENT_MIXLEVEL && channel >= 0 && channel < 16) {
            levels[static_cast<std::size_t>(channel)] = static_cast<int>(param);
        }
    }
    std::int32_t eventValue(int, engine::MidiEvent) const override { return -1; }
    void setFontVolume(float) override {}

    std::array<int, 16> levels = filled();

private:
    static std::array<int, 16> filled()
    {
        std::array<int, 16> a{};
        a.fill(-1);
        return a;
    }
};

// The main window as the options dialog sees it: the mix goes through a
// real mixer; language changes run the reloaders it is given.
class RecordingOptionsHost final : public tools::OptionsHost {
public:
    RecordingOptionsHost() { mixer.setTarget(&stream); }

    QString languageFile() const override { return language; }
    QString languageCode() const override { return code; }
    void reloadAllLanguages(const QString &file) override
    {
        reloads.push_back(file);
        language = file;
        code = ReadIni(QStringLiteral("MELORIT"), QStringLiteral("Lng"), file);
        reloaders.reloadAll();
    }
    bool autoMute() const override { return mixer.state().AutoMute; }
    void setAutoMute(bool on) override
    {
        mixer.setAutoMute(on);
        mixer.DispSoloMute();
        mixer.ApplyLevels();
    }
    void ChangeSF2() override { ++fontChanges; }
    std::optional<tools::LoadedFont> loadedFont() const override { return font; }
    void scoringChanged() override { ++scoringChanges; }

    QString language;
    QString code;
    tools::LanguageReloaders reloaders;
    engine::Mixer mixer;
    LevelRecorder stream;
    std::optional<tools::LoadedFont> font;

    std::vector<QString> reloads;
    int fontChanges = 0;
    int scoringChanges = 0;
};

} // namespace melorit::windows::test
