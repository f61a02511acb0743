#include "audio/SoundFont.h"

#include "audio/Error.h"
#include "tests/audio/AudioFixtures.h"
#include "tests/support/SoundFontBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace melorit::audio;
using namespace melorit::audio::testing;
namespace fs = std::filesystem;

TEST(SoundFont, GivesItsNameSizesAndPresetNames)
{
    auto font = SoundFont::load(sineFontPath().string());
    ASSERT_TRUE(font);
    EXPECT_EQ(lastError(), Error::Ok);
    EXPECT_EQ(font->name(), "Melorit Sine");
    EXPECT_EQ(font->path(), fs::weakly_canonical(sineFontPath()).string());
    EXPECT_GE(font->sampleDataSize(),
              2u * melorit::fixtures::SoundFontBuilder::kSineFrames); // 16-bit samples
    EXPECT_EQ(font->loadedSampleDataSize(), font->sampleDataSize());
    EXPECT_EQ(font->presetName(0, 0), "Sine A");
    EXPECT_EQ(font->presetName(0, 2), "Sine Low");
    EXPECT_EQ(font->presetName(8, 0), "Variation");
    EXPECT_EQ(font->presetName(128, 0), "Sine Kit");
    EXPECT_FALSE(font->presetName(0, 3));
    EXPECT_FALSE(font->presetName(1, 0));
    EXPECT_FALSE(font->presetName(129, 0));
    EXPECT_FALSE(font->presetName(0, 128));
    EXPECT_FALSE(font->presetName(-1, 0));
}

TEST(SoundFont, TheSameUnchangedFileGivesTheSameFont)
{
    const fs::path path = scratchDir() / "twice.sf2";
    melorit::fixtures::SoundFontBuilder builder;
    builder.addPreset("One", 0, 0);
    ASSERT_TRUE(builder.writeTo(path));
    auto first = SoundFont::load(path.string());
    auto again = SoundFont::load((scratchDir() / "." / "twice.sf2").string());
    ASSERT_TRUE(first);
    EXPECT_EQ(first, again);

    builder.addPreset("Two", 0, 1);
    ASSERT_TRUE(builder.writeTo(path));
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(5));
    auto changed = SoundFont::load(path.string());
    ASSERT_TRUE(changed);
    EXPECT_NE(changed, first);
    EXPECT_EQ(changed->presetName(0, 1), "Two");
    EXPECT_FALSE(first->presetName(0, 1));
}

TEST(SoundFont, FilesThatCannotBeLoadedAreRejected)
{
    const fs::path corpus = MELORIT_CORPUS_DIR;
    EXPECT_FALSE(SoundFont::load((scratchDir() / "missing.sf2").string()));
    EXPECT_EQ(lastError(), Error::FileOpen);
    EXPECT_FALSE(SoundFont::load(scratchDir().string()));
    EXPECT_EQ(lastError(), Error::FileOpen);
    EXPECT_FALSE(SoundFont::load((corpus / "sf2/mrtenz_invalid.sf2").string()));
    EXPECT_EQ(lastError(), Error::FileForm);
    EXPECT_FALSE(SoundFont::load((corpus / "karaoke/twinkle.kar").string()));
    EXPECT_EQ(lastError(), Error::FileForm);

    // A RIFF file of the right kind whose preset data is missing.
    melorit::fixtures::Bytes bytes = melorit::fixtures::bytesOf("RIFF");
    melorit::fixtures::appendLittleEndian(bytes, 4, 4);
    const auto form = melorit::fixtures::bytesOf("sfbk");
    bytes.insert(bytes.end(), form.begin(), form.end());
    const fs::path hollow = scratchDir() / "hollow.sf2";
    ASSERT_TRUE(melorit::fixtures::writeFile(hollow, bytes));
    EXPECT_FALSE(SoundFont::load(hollow.string()));
    EXPECT_EQ(lastError(), Error::FileForm);

    // A list whose size runs far past the end of the file.
    const auto list = melorit::fixtures::bytesOf("LIST");
    bytes.insert(bytes.end(), list.begin(), list.end());
    melorit::fixtures::appendLittleEndian(bytes, 0xFFFFFFFFu, 4);
    const auto info = melorit::fixtures::bytesOf("INFOINAM");
    bytes.insert(bytes.end(), info.begin(), info.end());
    melorit::fixtures::appendLittleEndian(bytes, 0xFFFFFFFFu, 4);
    ASSERT_TRUE(melorit::fixtures::writeFile(hollow, bytes));
    EXPECT_FALSE(SoundFont::load(hollow.string()));
    EXPECT_EQ(lastError(), Error::FileForm);
}

TEST(SoundFont, LoadsTheCorpusFontsAndTheGeneralMidiFont)
{
    const fs::path corpus = MELORIT_CORPUS_DIR;
    for (const char *name : {"sf2/mrtenz_valid.sf2", "sf2/sf_spec_test.sf2",
                             "sf2/fluidsynth_example.sf2", "sf2/VintageDreamsWaves-v2.sf2",
                             "sf2/VintageDreamsWaves-v2.sf3", "sf2/filter_NRPN_test.sf2"}) {
        auto font = SoundFont::load((corpus / name).string());
        if (!font) {
            EXPECT_EQ(lastError(), Error::FileForm) << name;
        }
    }
    auto gm = SoundFont::load(kGeneralMidiFont);
    ASSERT_TRUE(gm);
    EXPECT_FALSE(gm->name().empty());
    EXPECT_TRUE(gm->presetName(0, 0));
    EXPECT_TRUE(gm->presetName(0, 127));
    EXPECT_TRUE(gm->presetName(128, 0)); // the standard drum kit
    EXPECT_GT(gm->sampleDataSize(), 1000000u);
}

TEST(SoundFont, UnicodePathsAndTheDefaultFont)
{
    const fs::path path = scratchDir() / "Banque \xC3\xA9t\xC3\xA9 \xC3\xB1.sf2";
    fs::copy_file(sineFontPath(), path, fs::copy_options::overwrite_existing);
    auto font = SoundFont::load(path.string());
    ASSERT_TRUE(font);

    setDefaultFont(nullptr);
    EXPECT_FALSE(defaultFont());
    setDefaultFont(font);
    EXPECT_EQ(defaultFont(), font);
    MidiStream::Options options; // no font: the default one
    melorit::fixtures::MidiFileBuilder song(1, 96);
    song.addTrack().note(0, 69, 100, 0, 96);
    auto stream = MidiStream::open(parseSong(song), options);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->font(), font);
    EXPECT_GT(peak(decodeAll(*stream), 0, 44100), 500);
    setDefaultFont(nullptr);
}

TEST(SoundFont, VolumeScalesTheStreamsOutput)
{
    const fs::path path = scratchDir() / "volume.sf2";
    fs::copy_file(sineFontPath(), path, fs::copy_options::overwrite_existing);
    auto font = SoundFont::load(path.string());
    ASSERT_TRUE(font);
    melorit::fixtures::MidiFileBuilder song(1, 96);
    song.addTrack().note(0, 69, 100, 0, 192);

    auto loud = openSong(song, true, font);
    const double full = rms(decodeAll(*loud), 2000, 20000);
    font->setVolume(0.5f);
    EXPECT_FLOAT_EQ(font->volume(), 0.5f);
    auto soft = openSong(song, true, font);
    const double half = rms(decodeAll(*soft), 2000, 20000);
    EXPECT_NEAR(half / full, 0.5, 0.01);
    font->setVolume(-1);
    EXPECT_EQ(font->volume(), 0.0f);
}
