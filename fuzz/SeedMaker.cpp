// Writes seed inputs for the fuzzers that the fixture builders make: songs
// with lyrics and text events, damaged and unusual MIDI files, SoundFonts,
// settings and list files. scripts/fuzz runs it into the build folder.
//   fuzz_seeds <folder>    (one sub-folder per kind: midi, sf2, ini, list)

#include "tests/support/DemoSong.h"
#include "tests/support/MidiFileBuilder.h"
#include "tests/support/SoundFontBuilder.h"

#include <filesystem>
#include <string>

using namespace melorit::fixtures;
namespace fs = std::filesystem;

namespace {

Bytes lyricSong(bool textEvents, bool runningStatus)
{
    MidiFileBuilder file(1, 96);
    file.addTrack().tempo(500000).timeSignature(3, 4);
    MidiTrackBuilder &words = file.addTrack();
    words.trackName("Words").text("@TTitle").text("@LArtist");
    const char *syllables[] = {"\\Hel", "lo ", "/wor", "ld\r\n", "caf\xE9 ", "\xC3\xA9t\xC3\xA9;"};
    std::uint32_t tick = 0;
    for (const char *s : syllables) {
        words.at(tick);
        textEvents ? words.text(s) : words.lyric(s);
        tick += 48;
    }
    MidiTrackBuilder &melody = file.addTrack().useRunningStatus(runningStatus);
    melody.programChange(0, 73);
    for (int i = 0; i < 6; ++i) {
        melody.note(0, 60 + i, 100, static_cast<std::uint32_t>(i * 48), 40);
    }
    file.addTrack().sysex({0x7E, 0x7F, 0x09, 0x01, 0xF7}).note(9, 36, 90, 0, 10);
    return file.build();
}

Bytes truncatedSong()
{
    MidiFileBuilder file(0, 480);
    file.addTrack().tempo(400000).note(0, 60, 100, 0, 480).declareLength(4000);
    return file.build();
}

Bytes smpteSong()
{
    MidiFileBuilder file(2, 0xE728);
    file.declareTrackCount(3);
    file.addTrack().marker("intro").lyric("la").omitEndOfTrack();
    file.addRawChunk("CASM", Bytes{'I', 'n', 's', ' ', '1', 0, 0, 0}, 12);
    return file.build();
}

Bytes soundFont(int presets)
{
    SoundFontBuilder font;
    font.setVersion(2, 1).setInfoText("INAM", "Fuzz Font").setInfoText("isng", "EMU8000");
    for (int i = 0; i < presets; ++i) {
        font.addPreset("Preset " + std::to_string(i), 0, i, 60 + i);
    }
    return font.build();
}

void put(const fs::path &dir, const std::string &name, const Bytes &bytes)
{
    fs::create_directories(dir);
    writeFile(dir / name, bytes);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        return 2;
    }
    const fs::path out = argv[1];
    put(out / "midi", "demo.kar", buildDemoSong());
    put(out / "midi", "lyrics.mid", lyricSong(false, false));
    put(out / "midi", "text-running.mid", lyricSong(true, true));
    put(out / "midi", "truncated.mid", truncatedSong());
    put(out / "midi", "smpte.mid", smpteSong());
    put(out / "sf2", "one.sf2", soundFont(1));
    put(out / "sf2", "three.sf2", soundFont(3));
    put(out / "ini", "melorit.ini",
        bytesOf("Lyrics=Font\r\n[Lyrics]\r\nFont=\"Arial\"\r\nMaxLength=40\r\n; note\r\n"
                "[Export]\r\nSaveFolder=C:\\Songs\r\n"));
    put(out / "ini", "lf.ini", bytesOf("\xEF\xBB\xBFSection=Key\n[Section]\nkey = caf\xC3\xA9\n"));
    put(out / "list", "songs.m3u",
        bytesOf("#EXTM3U\r\n#EXTINF:1,x\r\nsongs\\a.kar\r\n/abs/b.MID\r\n../c%20d.midi\r\n"
                "notes.txt\r\n"));
    put(out / "list", "songs.mpl", bytesOf("caf\xE9.kar\n\xC3\xA9t\xC3\xA9.mid\n"));
    return 0;
}
