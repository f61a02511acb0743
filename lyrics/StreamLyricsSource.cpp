#include "lyrics/StreamLyricsSource.h"

#include "audio/MidiStream.h"

#include <algorithm>

namespace melorit::lyrics {

int StreamLyricsSource::trackCount() const
{
    return m_stream.file().trackCount();
}

std::optional<SourceMark> StreamLyricsSource::mark(int type, int index) const
{
    if (type < 0 || type >= audio::kMarkTypeCount || index < 0) {
        return std::nullopt;
    }
    const auto m =
        m_stream.mark(static_cast<audio::MarkType>(type), static_cast<std::size_t>(index));
    if (!m) {
        return std::nullopt;
    }
    return SourceMark{m->track, static_cast<std::int64_t>(m->bytePos),
                      QByteArray(m->text.data(), static_cast<qsizetype>(m->text.size()))};
}

double StreamLyricsSource::bytesToSeconds(std::int64_t bytePos) const
{
    return audio::MidiStream::bytesToSeconds(
        static_cast<std::uint64_t>(std::max<std::int64_t>(bytePos, 0)));
}

std::int64_t StreamLyricsSource::tickAtByte(std::int64_t bytePos) const
{
    return m_stream.tickAtBytes(static_cast<std::uint64_t>(std::max<std::int64_t>(bytePos, 0)));
}

std::vector<SourceNote> StreamLyricsSource::noteEvents(int track) const
{
    std::vector<SourceNote> notes;
    for (const audio::NoteEvent &n : m_stream.file().notes(track)) {
        notes.push_back({n.channel, static_cast<std::int64_t>(n.tick), n.velocity});
    }
    return notes;
}

} // namespace melorit::lyrics
