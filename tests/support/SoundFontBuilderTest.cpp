#include "tests/support/SoundFontBuilder.h"
#include "tests/support/FluidRender.h"
#include "tests/support/MidiFileBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

using namespace melorit::fixtures;

namespace {

std::uint32_t littleEndian(const Bytes &bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

std::string idAt(const Bytes &bytes, std::size_t at)
{
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                       bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

struct RiffChunk {
    std::string id;
    std::size_t size;
    Bytes data;
};

// The sub-chunks of the chunk body bytes[begin, end), in order; checks that every
// size stays inside and that odd sizes are followed by a pad byte.
std::vector<RiffChunk> subChunks(const Bytes &bytes, std::size_t begin, std::size_t end)
{
    std::vector<RiffChunk> chunks;
    std::size_t pos = begin;
    while (pos < end) {
        EXPECT_LE(pos + 8, end);
        const std::size_t size = littleEndian(bytes, pos + 4, 4);
        EXPECT_LE(pos + 8 + size + size % 2, end);
        chunks.push_back({idAt(bytes, pos), size,
                          Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(pos + 8),
                                bytes.begin() + static_cast<std::ptrdiff_t>(pos + 8 + size))});
        pos += 8 + size + size % 2;
    }
    EXPECT_EQ(pos, end);
    return chunks;
}

// The three LIST chunks of a built font, by list type, each as its sub-chunks.
std::map<std::string, std::vector<RiffChunk>> lists(const Bytes &font)
{
    std::map<std::string, std::vector<RiffChunk>> out;
    EXPECT_EQ(idAt(font, 0), "RIFF");
    EXPECT_EQ(littleEndian(font, 4, 4), font.size() - 8);
    EXPECT_EQ(idAt(font, 8), "sfbk");
    for (const RiffChunk &list : subChunks(font, 12, font.size())) {
        EXPECT_EQ(list.id, "LIST");
        out[idAt(list.data, 0)] = subChunks(list.data, 4, list.data.size());
    }
    return out;
}

std::optional<Bytes> info(const Bytes &font, const std::string &id)
{
    auto all = lists(font);
    for (const RiffChunk &chunk : all["INFO"]) {
        if (chunk.id == id) {
            return chunk.data;
        }
    }
    return std::nullopt;
}

std::vector<std::string> infoIds(const Bytes &font)
{
    std::vector<std::string> ids;
    auto all = lists(font);
    for (const RiffChunk &chunk : all["INFO"]) {
        ids.push_back(chunk.id);
    }
    return ids;
}

std::filesystem::path tempPath(const std::string &name)
{
    return std::filesystem::temp_directory_path() / name;
}

// A font written to a temporary file for FluidSynth, removed afterwards.
class FontFile {
public:
    FontFile(const SoundFontBuilder &font, const std::string &name) : m_path(tempPath(name))
    {
        EXPECT_TRUE(font.writeTo(m_path));
    }
    ~FontFile() { std::filesystem::remove(m_path); }
    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Plays one key on a channel for the given time and returns the audio.
std::vector<float> playKey(FluidSession &session, int channel, int key, double seconds)
{
    fluid_synth_noteon(session.synth(), channel, key, 100);
    return session.render(static_cast<std::size_t>(seconds * kRenderRate));
}

} // namespace

TEST(SoundFontBuilder, RiffLayout)
{
    SoundFontBuilder font;
    font.addPreset("A", 0, 0).addPreset("B", 128, 0).addPreset("C", 8, 127);
    const Bytes bytes = font.build();
    auto all = lists(bytes);
    ASSERT_EQ(all.size(), 3u);

    const auto &sdta = all["sdta"];
    ASSERT_EQ(sdta.size(), 1u);
    EXPECT_EQ(sdta[0].id, "smpl");
    // 16-bit frames: the sine, then the 46 zero frames the format requires.
    EXPECT_EQ(sdta[0].size, 2u * (SoundFontBuilder::kSineFrames + 46));

    std::vector<std::string> ids;
    std::map<std::string, std::size_t> sizes;
    for (const RiffChunk &chunk : all["pdta"]) {
        ids.push_back(chunk.id);
        sizes[chunk.id] = chunk.size;
    }
    EXPECT_EQ(ids, (std::vector<std::string>{"phdr", "pbag", "pmod", "pgen", "inst", "ibag", "imod",
                                             "igen", "shdr"}));
    // Record sizes of the format, each table closed by one terminal record.
    EXPECT_EQ(sizes["phdr"], 38u * 4);
    EXPECT_EQ(sizes["pbag"], 4u * 4);
    EXPECT_EQ(sizes["pmod"], 10u);
    EXPECT_EQ(sizes["pgen"], 4u * 4);
    EXPECT_EQ(sizes["inst"], 22u * 4);
    EXPECT_EQ(sizes["ibag"], 4u * 4);
    EXPECT_EQ(sizes["imod"], 10u);
    EXPECT_EQ(sizes["igen"], 4u * (3 * 3 + 1));
    EXPECT_EQ(sizes["shdr"], 46u * 2);

    const Bytes phdr = all["pdta"][0].data;
    EXPECT_EQ(idAt(phdr, 38 * 1), std::string("B\0\0\0", 4));
    EXPECT_EQ(littleEndian(phdr, 38 * 1 + 20, 2), 0u);   // program
    EXPECT_EQ(littleEndian(phdr, 38 * 1 + 22, 2), 128u); // bank
    EXPECT_EQ(littleEndian(phdr, 38 * 2 + 20, 2), 127u);
    EXPECT_EQ(littleEndian(phdr, 38 * 2 + 22, 2), 8u);
    EXPECT_EQ(idAt(phdr, 38 * 3), std::string("EOP\0", 4));
    EXPECT_EQ(littleEndian(phdr, 38 * 3 + 24, 2), 3u); // terminal bag index
}

TEST(SoundFontBuilder, InfoChunks)
{
    SoundFontBuilder font;
    const Bytes defaults = font.build();
    EXPECT_EQ(infoIds(defaults), (std::vector<std::string>{"ifil", "isng", "INAM"}));
    EXPECT_EQ(info(defaults, "ifil"), (Bytes{2, 0, 1, 0}));
    EXPECT_EQ(info(defaults, "isng"), bytesOf(std::string_view("EMU8000\0", 8)));

    font.setVersion(2, 4)
        .setInfoText("ICMT", "abc")           // + zero = 4, even
        .setInfoText("IENG", "abcd")          // + zero + pad zero = 6
        .setInfoText("INAM", "Nom \xE9t\xE9") // replaces the default, keeps its place
        .setInfoRaw("ICOP", {'x', 'y', 'z'})  // odd raw size, pad byte outside the chunk
        .setInfoVersion("iver", 1, 2)
        .setInfoText("irom", "ROM")
        .removeInfo("isng");
    const Bytes bytes = font.build();
    EXPECT_EQ(infoIds(bytes),
              (std::vector<std::string>{"ifil", "INAM", "ICMT", "IENG", "ICOP", "iver", "irom"}));
    EXPECT_EQ(info(bytes, "ifil"), (Bytes{2, 0, 4, 0}));
    EXPECT_EQ(info(bytes, "ICMT"), (Bytes{'a', 'b', 'c', 0}));
    EXPECT_EQ(info(bytes, "IENG"), (Bytes{'a', 'b', 'c', 'd', 0, 0}));
    EXPECT_EQ(info(bytes, "INAM"), (Bytes{'N', 'o', 'm', ' ', 0xE9, 't', 0xE9, 0}));
    EXPECT_EQ(info(bytes, "ICOP"), (Bytes{'x', 'y', 'z'}));
    EXPECT_EQ(info(bytes, "iver"), (Bytes{1, 0, 2, 0}));
    EXPECT_THROW(font.setInfoText("ICMTX", "a"), std::invalid_argument);
    EXPECT_THROW(font.addPreset("x", 129, 0), std::invalid_argument);
}

TEST(SoundFontBuilder, FluidSynthFindsThePresets)
{
    const std::string twentyBytes = "Exactly twenty bytes";
    SoundFontBuilder font;
    font.addPreset("Sine Lead", 0, 0)
        .addPreset("Sine Pad", 0, 89)
        .addPreset("Sine Kit", 128, 0)
        .addPreset("Banked", 5, 3)
        .addPreset(twentyBytes + " and more", 0, 1);
    FontFile file(font, "melorit-support-presets.sf2");

    FluidSession session;
    const int id = session.loadFont(file.path());
    ASSERT_GE(id, 0);
    fluid_sfont_t *sfont = fluid_synth_get_sfont_by_id(session.synth(), id);
    ASSERT_NE(sfont, nullptr);

    const std::vector<std::tuple<int, int, std::string>> expected = {{0, 0, "Sine Lead"},
                                                                     {0, 89, "Sine Pad"},
                                                                     {128, 0, "Sine Kit"},
                                                                     {5, 3, "Banked"},
                                                                     {0, 1, twentyBytes}};
    for (const auto &[bank, program, name] : expected) {
        fluid_preset_t *preset = fluid_sfont_get_preset(sfont, bank, program);
        ASSERT_NE(preset, nullptr) << bank << ":" << program;
        EXPECT_EQ(std::string(fluid_preset_get_name(preset)), name);
    }
    EXPECT_EQ(fluid_sfont_get_preset(sfont, 0, 2), nullptr);
    int count = 0;
    fluid_sfont_iteration_start(sfont);
    while (fluid_sfont_iteration_next(sfont) != nullptr) {
        ++count;
    }
    EXPECT_EQ(count, 5);
}

TEST(SoundFontBuilder, NotesSoundAtTheRootKeyPitch)
{
    SoundFontBuilder font;
    font.addPreset("Lead", 0, 0, 69).addPreset("Kit", 128, 0, 45);
    FontFile file(font, "melorit-support-pitch.sf2");
    FluidSession session;
    ASSERT_GE(session.loadFont(file.path()), 0);

    // The root key plays the sine at 440 Hz, an octave up doubles it.
    const std::vector<float> root = playKey(session, 0, 69, 0.5);
    EXPECT_GT(rms(root), 0.01);
    EXPECT_NEAR(toneFrequency(root, 2000), 440.0, 1.0);
    fluid_synth_all_sounds_off(session.synth(), -1);
    EXPECT_NEAR(toneFrequency(playKey(session, 0, 81, 0.5), 2000), 880.0, 2.0);
    fluid_synth_all_sounds_off(session.synth(), -1);

    // Channel 9 takes the bank 128 preset, whose root key is two octaves lower.
    EXPECT_NEAR(toneFrequency(playKey(session, 9, 69, 0.5), 2000), 1760.0, 4.0);
}

TEST(SoundFontBuilder, TheLoopSustainsAHeldNote)
{
    SoundFontBuilder font;
    font.addPreset("Lead", 0, 0);
    FontFile file(font, "melorit-support-loop.sf2");
    FluidSession session;
    ASSERT_GE(session.loadFont(file.path()), 0);

    // The sample lasts 0.1 s; two seconds on, a held note still sounds as loud.
    const std::vector<float> audio = playKey(session, 0, 60, 2.0);
    const double early = rms(audio, 4410, 4410);
    const double late = rms(audio, 2 * kRenderRate - 4410, 4410);
    EXPECT_GT(early, 0.01);
    EXPECT_NEAR(late, early, 0.2 * early);

    fluid_synth_noteoff(session.synth(), 0, 60);
    const std::vector<float> released = session.render(kRenderRate);
    EXPECT_LT(rms(released, kRenderRate / 2), 0.01 * early);
}

TEST(SoundFontBuilder, FluidSynthLoadsAccentedPaths)
{
    SoundFontBuilder font;
    font.addPreset("Lead", 0, 0);
    FontFile accented(font, "melorit-sin\xC3\xA8.sf2");
    FluidSession session;
    const int id = session.loadFont(accented.path());
    ASSERT_GE(id, 0);

    // Only the presets that were built exist: asking for another one fails, and
    // FluidSynth's complaint goes to our log hook, not the terminal.
    const auto logsBefore = fluidLogMessages().size();
    EXPECT_EQ(fluid_synth_program_select(session.synth(), 0, id, 0, 1), FLUID_FAILED);
    EXPECT_GT(fluidLogMessages().size(), logsBefore);
    EXPECT_EQ(fluid_synth_program_select(session.synth(), 0, id, 0, 0), FLUID_OK);
}

TEST(SoundFontBuilder, AMidiFilePlaysThroughTheBuiltFont)
{
    SoundFontBuilder font;
    font.addPreset("Lead", 0, 0);
    FontFile file(font, "melorit-support-player.sf2");
    FluidSession session;
    ASSERT_GE(session.loadFont(file.path()), 0);
    MidiFileBuilder midi(0, 96);
    midi.addTrack().programChange(0, 0).note(0, 60, 100, 0, 96);
    const PlayResult played = playMidi(session, midi.build(), 5.0);
    ASSERT_TRUE(played.loaded);
    EXPECT_TRUE(played.finished);
    EXPECT_GT(rms(played.audio), 1e-3);
}
