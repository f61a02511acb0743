#pragma once

#include "audio/MidiStream.h"
#include "lyrics/LyricsModel.h"
#include "tests/support/MidiFileBuilder.h"

#include <QTemporaryDir>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

namespace melorit::lyricswin {

struct Syl {
    std::uint32_t tick;
    std::string text;
};

// A format 1 song at 120 bpm, 480 ticks a quarter: a tempo track and a track
// of lyric events.
fixtures::MidiFileBuilder songWith(std::initializer_list<Syl> syllables);

// A song written to a temporary folder, opened as a decoding stream and
// analysed the way a song open does.
class AnalysedSong {
public:
    bool open(const fixtures::MidiFileBuilder &file);
    bool openFile(const std::string &path);

    lyrics::LyricsModel &model() { return m_model; }
    audio::MidiStream &stream() { return *m_stream; }
    // The stream's position in ticks, what the window reads every frame.
    std::int64_t tick() const;
    // Moves the stream to a byte position, as playback reaching it would.
    bool seekBytes(std::uint64_t bytes);
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    int m_files = 0;
    std::unique_ptr<audio::MidiStream> m_stream;
    lyrics::LyricsModel m_model;
};

} // namespace melorit::lyricswin
