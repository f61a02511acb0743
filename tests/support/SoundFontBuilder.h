#pragma once

#include "tests/support/Bytes.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace melorit::fixtures {

// A minimal SoundFont 2 file: one looped sine sample and, for each preset, one
// instrument that plays it over the whole keyboard. A note at the preset's root key
// sounds at 440 Hz; every other key is tuned from there in equal temperament.
//
//     SoundFontBuilder font;
//     font.addPreset("Sine Lead", 0, 0, 69).addPreset("Sine Kit", 128, 0, 36);
//     font.setInfoText("ICMT", "Comment \xE9");
//     font.writeTo(path);
//
// The INFO list starts with "ifil" 2.01, "isng" "EMU8000" and "INAM" "Melorit Sine";
// other sub-chunks follow in the order they were first set.
class SoundFontBuilder {
public:
    static constexpr int kSampleRate = 44100;
    static constexpr int kSinePeriod = 100;  // frames, so the sample itself is at 441 Hz
    static constexpr int kSineFrames = 4400; // 0.1 s
    static constexpr int kLoopStart = 200;
    static constexpr int kLoopEnd = 4200; // first frame after the loop
    static constexpr int kAmplitude = 16000;

    SoundFontBuilder();

    // Preset names are raw bytes, cut to 20. Drum presets go at bank 128.
    SoundFontBuilder &addPreset(std::string_view name, int bank, int program, int rootKey = 60);

    // The "ifil" version (2.01 unless set).
    SoundFontBuilder &setVersion(int major, int minor);
    // An INFO text: the bytes, a terminating zero, and one more zero when that makes
    // the length odd, as the format asks.
    SoundFontBuilder &setInfoText(std::string_view id, std::string_view text);
    // An INFO sub-chunk with exactly these bytes (a RIFF pad byte follows an odd size).
    SoundFontBuilder &setInfoRaw(std::string_view id, const Bytes &data);
    // A version sub-chunk such as "iver": two little-endian 16-bit words.
    SoundFontBuilder &setInfoVersion(std::string_view id, int major, int minor);
    SoundFontBuilder &removeInfo(std::string_view id);

    Bytes build() const;
    bool writeTo(const std::filesystem::path &path) const;

private:
    struct Preset {
        std::string name;
        int bank;
        int program;
        int rootKey;
    };

    Bytes infoList() const;
    Bytes sampleDataList() const;
    Bytes presetDataList() const;
    Bytes presetHeaders() const;
    Bytes instrumentHeaders() const;
    Bytes presetGenerators() const;
    Bytes instrumentGenerators() const;
    Bytes sampleHeaders() const;

    std::vector<std::pair<std::string, Bytes>> m_info;
    std::vector<Preset> m_presets;
};

} // namespace melorit::fixtures
