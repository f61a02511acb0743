#pragma once

#include "audio/MidiStream.h"
#include "base/UserMessages.h"
#include "export/LyricsFileWriter.h"
#include "lyrics/LyricsModel.h"
#include "tests/support/MidiFileBuilder.h"

#include "tests/support/RecordedMessages.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace melorit::testing {

// At 120 quarter notes a minute and 480 ticks a quarter, 960 ticks a second.
inline constexpr std::uint32_t kTicksPerSecond = 960;

struct Syl {
    double seconds;
    std::string text; // raw bytes
};

// A format 1 song at 120 bpm: a tempo track, then one track of text events
// (or lyric events), and a held note to lengthSeconds so the song lasts.
fixtures::MidiFileBuilder songWith(std::initializer_list<Syl> syllables, bool asLyrics = false,
                                   double lengthSeconds = 0);

// The bytes of a file, or "<missing>" when it cannot be read.
QByteArray readAll(const QString &path);

// A song file opened as a decoding stream, analysed as opening it does.
struct OpenedSong {
    std::unique_ptr<audio::MidiStream> stream;
    lyrics::LyricsModel model;
};
std::unique_ptr<OpenedSong> openSong(const QString &path);

// Opens a built song as the renderer does and runs the lyrics analysis.
class KokTest : public ::testing::Test {
protected:
    void open(const fixtures::MidiFileBuilder &file);
    QByteArray kok(const exporting::LyricsFileOptions &options = {}) const;
    QByteArray kokOf(std::initializer_list<Syl> syllables,
                     const exporting::LyricsFileOptions &options = {});

    QTemporaryDir m_dir;
    int m_songs = 0;
    std::unique_ptr<audio::MidiStream> m_stream;
    lyrics::LyricsModel m_model;
};

} // namespace melorit::testing
