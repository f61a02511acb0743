#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_hashtable_t fluid_settings_t;

namespace melorit::audio {

// A SoundFont 2 (or 3) bank loaded into memory, with its preset names and the
// description the file gives. Streams share it: each stream's synthesizer
// takes its presets from the file and its sample data from this object, so
// creating a stream or changing its font never reads the samples again.
class SoundFont {
public:
    static constexpr int kDrumBank = 128;

    // Loads a file (UTF-8 path). A file already loaded and unchanged on disk
    // gives the same object. nullptr on failure: Error::FileOpen when the file
    // cannot be read, Error::FileForm when it is not a SoundFont. Loading only
    // occupies the calling thread; streams that are playing are not held up.
    // UI thread.
    static std::shared_ptr<SoundFont> load(const std::string &utf8Path);

    // Whichever thread drops the last reference; streams hold one.
    ~SoundFont();
    SoundFont(const SoundFont &) = delete;
    SoundFont &operator=(const SoundFont &) = delete;

    // The absolute path the font was loaded from. Any thread.
    const std::string &path() const { return m_path; }
    // The bank name of the file's INFO list ("INAM"), raw bytes. Any thread.
    const std::string &name() const { return m_name; }
    // Sample data in the file, and how much of it is loaded (all of it).
    // Any thread.
    std::uint64_t sampleDataSize() const { return m_sampleDataSize; }
    std::uint64_t loadedSampleDataSize() const { return m_sampleDataSize; }

    // The name of a preset, bank 0-128 (128 = drums) and program 0-127;
    // nullopt when the font has no such preset. Names are raw bytes. Any thread.
    std::optional<std::string_view> presetName(int bank, int program) const;
    // The presets of banks 0-128 the font holds. Any thread.
    int presetCount() const { return static_cast<int>(m_presetNames.size()); }

    // A factor on the output of every stream that uses this font (1 = as
    // made). Any thread; playing streams follow within one block.
    void setVolume(float volume);
    float volume() const { return m_volume.load(std::memory_order_relaxed); }

private:
    struct PassKey {};

public:
    SoundFont(PassKey, std::string path);

private:
    bool open();
    void readPresetNames();

    std::string m_path;
    std::string m_name;
    std::uint64_t m_sampleDataSize = 0;
    std::vector<std::int16_t> m_presetIndex; // bank * 128 + program -> index into m_presetNames
    std::vector<std::string> m_presetNames;
    std::atomic<float> m_volume{1.0f};
    // A synthesizer that never plays: it holds the file's sample data in
    // FluidSynth's sample cache, where every stream's synthesizer finds it.
    fluid_settings_t *m_settings = nullptr;
    fluid_synth_t *m_keeper = nullptr;
    int m_fontId = -1;
};

// The font streams get when they are created without one (none at start).
// Any thread.
void setDefaultFont(std::shared_ptr<SoundFont> font);
std::shared_ptr<SoundFont> defaultFont();

} // namespace melorit::audio
