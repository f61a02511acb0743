#include "audio/SoundFont.h"

#include "audio/Error.h"
#include "audio/FluidSetup.h"

#include <fluidsynth.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

namespace melorit::audio {

namespace {

namespace fs = std::filesystem;

constexpr int kBanks = 129;
constexpr int kPrograms = 128;

struct FontDescription {
    std::string name;
    std::uint64_t sampleDataSize = 0;
};

std::uint32_t littleEndian(const char *bytes)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t(b[3]) << 24);
}

// The chunk headers of a RIFF list from begin to end: each chunk's id, the
// offset of its data and its size. Sizes that run past the end stop the walk.
template <typename Visit>
void walkChunks(std::ifstream &in, std::streamoff begin, std::streamoff end, Visit visit)
{
    std::streamoff pos = begin;
    char header[8];
    while (pos + 8 <= end) {
        in.clear();
        in.seekg(pos);
        if (!in.read(header, 8)) {
            return;
        }
        const std::streamoff size = littleEndian(header + 4);
        const std::streamoff data = pos + 8;
        visit(std::string_view(header, 4), data, std::min(size, end - data));
        pos = data + size + (size & 1);
    }
}

// The bank name and the size of the sample data, from the INFO and sdta lists
// of a SoundFont, reading only chunk headers and the name.
std::optional<FontDescription> readDescription(std::ifstream &in, std::streamoff fileSize)
{
    char header[12];
    if (!in.read(header, 12) || std::string_view(header, 4) != "RIFF" ||
        std::string_view(header + 8, 4) != "sfbk") {
        return std::nullopt;
    }
    // A file cut short is refused here: FluidSynth would hand it on to its
    // DLS loader, which prints on standard error before failing too.
    if (static_cast<std::streamoff>(littleEndian(header + 4)) + 8 > fileSize) {
        return std::nullopt;
    }
    FontDescription description;
    int lists = 0; // INFO 1, sdta 2, pdta 4
    walkChunks(
        in, 12, fileSize, [&](std::string_view id, std::streamoff data, std::streamoff size) {
            char form[4];
            if (id != "LIST" || size < 4 || !in.read(form, 4)) {
                return;
            }
            lists += std::string_view(form, 4) == "INFO"   ? 1
                     : std::string_view(form, 4) == "sdta" ? 2
                     : std::string_view(form, 4) == "pdta" ? 4
                                                           : 0;
            walkChunks(in, data + 4, data + size,
                       [&](std::string_view sub, std::streamoff subData, std::streamoff subSize) {
                           if (sub == "INAM" && subSize < 4096) {
                               std::string name(static_cast<std::size_t>(subSize), '\0');
                               in.seekg(subData);
                               in.read(name.data(), subSize);
                               description.name = name.substr(0, name.find('\0'));
                           } else if (sub == "smpl" || sub == "sm24") {
                               description.sampleDataSize += static_cast<std::uint64_t>(subSize);
                           }
                       });
        });
    // Without its three lists it is no SoundFont; FluidSynth is not asked
    // (its DLS loader would print on standard error before failing).
    if ((lists & 7) != 7) {
        return std::nullopt;
    }
    return description;
}

struct Registry {
    std::mutex mutex;
    std::map<std::string, std::weak_ptr<SoundFont>> fonts;
    std::map<std::string, fs::file_time_type> times;
    std::shared_ptr<SoundFont> defaultFont;
};

Registry &registry()
{
    static Registry r;
    return r;
}

} // namespace

SoundFont::SoundFont(PassKey, std::string path) : m_path(std::move(path))
{
}

SoundFont::~SoundFont()
{
    if (m_keeper) {
        delete_fluid_synth(m_keeper);
    }
    if (m_settings) {
        delete_fluid_settings(m_settings);
    }
}

std::shared_ptr<SoundFont> SoundFont::load(const std::string &utf8Path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::path(utf8Path), ec);
    const std::string key = fs::weakly_canonical(absolute, ec).string();
    const auto modified = fs::last_write_time(key, ec);
    std::ifstream in(key, std::ios::binary);
    if (ec || !in || fs::is_directory(key)) {
        detail::setLastError(Error::FileOpen);
        return nullptr;
    }
    Registry &r = registry();
    {
        std::lock_guard lock(r.mutex);
        if (auto existing = r.fonts[key].lock(); existing && r.times[key] == modified) {
            detail::setLastError(Error::Ok);
            return existing;
        }
    }
    // Loaded without the registry's lock: other threads keep their access to
    // the fonts and the default font while a large file loads.
    auto description = readDescription(in, static_cast<std::streamoff>(fs::file_size(key, ec)));
    auto font = std::make_shared<SoundFont>(PassKey{}, key);
    if (!description || !font->open()) {
        detail::setLastError(Error::FileForm);
        return nullptr;
    }
    font->m_name = description->name;
    font->m_sampleDataSize = description->sampleDataSize;
    font->readPresetNames();
    std::lock_guard lock(r.mutex);
    if (auto raced = r.fonts[key].lock(); raced && r.times[key] == modified) {
        font = raced; // the same file finished loading on another thread meanwhile
    } else {
        r.fonts[key] = font;
        r.times[key] = modified;
    }
    detail::setLastError(Error::Ok);
    return font;
}

bool SoundFont::open()
{
    m_settings = detail::newFluidSettings(detail::SynthRole::Keeper);
    m_keeper = m_settings ? new_fluid_synth(m_settings) : nullptr;
    if (!m_keeper) {
        return false;
    }
    m_fontId = fluid_synth_sfload(m_keeper, m_path.c_str(), 0);
    return m_fontId != FLUID_FAILED;
}

void SoundFont::readPresetNames()
{
    m_presetIndex.assign(static_cast<std::size_t>(kBanks) * kPrograms, -1);
    fluid_sfont_t *sfont = fluid_synth_get_sfont_by_id(m_keeper, m_fontId);
    if (!sfont) {
        return;
    }
    fluid_sfont_iteration_start(sfont);
    while (fluid_preset_t *preset = fluid_sfont_iteration_next(sfont)) {
        const int bank = fluid_preset_get_banknum(preset);
        const int program = fluid_preset_get_num(preset);
        if (bank < 0 || bank >= kBanks || program < 0 || program >= kPrograms) {
            continue;
        }
        const char *name = fluid_preset_get_name(preset);
        m_presetIndex[bank * kPrograms + program] = static_cast<std::int16_t>(m_presetNames.size());
        m_presetNames.emplace_back(name ? name : "");
    }
}

std::optional<std::string_view> SoundFont::presetName(int bank, int program) const
{
    if (bank < 0 || bank >= kBanks || program < 0 || program >= kPrograms) {
        return std::nullopt;
    }
    const int index = m_presetIndex[bank * kPrograms + program];
    if (index < 0) {
        return std::nullopt;
    }
    return std::string_view(m_presetNames[index]);
}

void SoundFont::setVolume(float volume)
{
    m_volume.store(volume < 0 ? 0.0f : volume, std::memory_order_relaxed);
}

void setDefaultFont(std::shared_ptr<SoundFont> font)
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    r.defaultFont = std::move(font);
}

std::shared_ptr<SoundFont> defaultFont()
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    return r.defaultFont;
}

} // namespace melorit::audio
