#include "tests/lyricswin/SongFixture.h"

#include "lyrics/StreamLyricsSource.h"

#include <filesystem>

namespace melorit::lyricswin {

fixtures::MidiFileBuilder songWith(std::initializer_list<Syl> syllables)
{
    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    auto &words = file.addTrack();
    for (const Syl &s : syllables) {
        words.at(s.tick).lyric(s.text);
    }
    return file;
}

bool AnalysedSong::open(const fixtures::MidiFileBuilder &file)
{
    const auto path = std::filesystem::path(m_dir.path().toStdString()) /
                      ("song" + std::to_string(m_files++) + ".mid");
    return file.writeTo(path) && openFile(path.string());
}

bool AnalysedSong::openFile(const std::string &path)
{
    m_stream = audio::MidiStream::openFile(path, {});
    if (!m_stream) {
        return false;
    }
    lyrics::StreamLyricsSource source(*m_stream);
    m_model.resetForNewSong();
    m_model.InitLyrics(source);
    return true;
}

std::int64_t AnalysedSong::tick() const
{
    return static_cast<std::int64_t>(m_stream->position(audio::PosUnit::Ticks));
}

bool AnalysedSong::seekBytes(std::uint64_t bytes)
{
    return m_stream->setPosition(bytes, audio::PosUnit::Bytes);
}

} // namespace melorit::lyricswin
