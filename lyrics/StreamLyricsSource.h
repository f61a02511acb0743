#pragma once

#include "lyrics/LyricsSource.h"

namespace melorit::audio {
class MidiStream;
}

namespace melorit::lyrics {

// The lyrics analysis reading an open MIDI stream of the audio library.
class StreamLyricsSource final : public LyricsSource {
public:
    explicit StreamLyricsSource(const audio::MidiStream &stream) : m_stream(stream) {}

    int trackCount() const override;
    std::optional<SourceMark> mark(int type, int index) const override;
    double bytesToSeconds(std::int64_t bytePos) const override;
    std::int64_t tickAtByte(std::int64_t bytePos) const override;
    std::vector<SourceNote> noteEvents(int track) const override;

private:
    const audio::MidiStream &m_stream;
};

} // namespace melorit::lyrics
