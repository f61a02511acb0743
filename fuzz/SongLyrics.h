#pragma once

// A song read from the fuzzer's bytes and analysed as opening it does
// (lyrics track, lines, melody channel). The marks are placed on the song's
// timeline as a decoding stream places them; a real stream is not opened
// because creating its synthesizer would make each run slow (about ten runs a
// second under the sanitizers instead of thousands).

#include "audio/MidiFile.h"
#include "audio/MidiStream.h"
#include "audio/Timeline.h"
#include "lyrics/LyricsModel.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace melorit::fuzz {

class FileLyricsSource final : public lyrics::LyricsSource {
public:
    explicit FileLyricsSource(const audio::MidiFile &file)
        : m_file(file), m_timeline(file.tempoMap())
    {
    }

    int trackCount() const override { return m_file.trackCount(); }

    std::optional<lyrics::SourceMark> mark(int type, int index) const override
    {
        if (type < 0 || type >= audio::kMarkTypeCount || index < 0) {
            return std::nullopt;
        }
        const auto m =
            m_file.mark(static_cast<audio::MarkType>(type), static_cast<std::size_t>(index));
        if (!m) {
            return std::nullopt;
        }
        const auto frame = std::llround(m_timeline.frameAt(m->tick));
        return lyrics::SourceMark{
            m->track, static_cast<std::int64_t>(frame) * 4,
            QByteArray(m->text.data(), static_cast<qsizetype>(m->text.size()))};
    }

    double bytesToSeconds(std::int64_t bytePos) const override
    {
        return audio::MidiStream::bytesToSeconds(
            static_cast<std::uint64_t>(std::max<std::int64_t>(bytePos, 0)));
    }

    std::int64_t tickAtByte(std::int64_t bytePos) const override
    {
        const double frame = static_cast<double>(std::max<std::int64_t>(bytePos, 0) / 4);
        return static_cast<std::int64_t>(std::max(std::round(m_timeline.tickAt(frame)), 0.0));
    }

    std::vector<lyrics::SourceNote> noteEvents(int track) const override
    {
        std::vector<lyrics::SourceNote> notes;
        for (const audio::NoteEvent &n : m_file.notes(track)) {
            notes.push_back({n.channel, static_cast<std::int64_t>(n.tick), n.velocity});
        }
        return notes;
    }

private:
    const audio::MidiFile &m_file;
    audio::Timeline m_timeline;
};

struct AnalysedSong {
    std::shared_ptr<const audio::MidiFile> file;
    lyrics::LyricsModel lyrics;
};

inline std::unique_ptr<AnalysedSong> analyse(std::span<const std::uint8_t> bytes)
{
    audio::MidiReadResult read = audio::readMidi(bytes);
    if (!read.file) {
        return nullptr;
    }
    auto song = std::make_unique<AnalysedSong>();
    song->file = read.file;
    const FileLyricsSource source(*song->file);
    song->lyrics.resetForNewSong();
    song->lyrics.InitLyrics(source);
    song->lyrics.FindMelodyChannel(source);
    return song;
}

} // namespace melorit::fuzz
