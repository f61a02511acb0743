#include "tests/export/KokFixture.h"

#include "lyrics/StreamLyricsSource.h"

#include <QFile>

#include <cmath>
#include <filesystem>

namespace melorit::testing {

fixtures::MidiFileBuilder songWith(std::initializer_list<Syl> syllables, bool asLyrics,
                                   double lengthSeconds)
{
    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    auto &words = file.addTrack();
    for (const Syl &s : syllables) {
        words.at(static_cast<std::uint32_t>(std::lround(s.seconds * kTicksPerSecond)));
        if (asLyrics) {
            words.lyric(s.text);
        } else {
            words.text(s.text);
        }
    }
    if (lengthSeconds > 0) {
        const auto end = static_cast<std::uint32_t>(std::lround(lengthSeconds * kTicksPerSecond));
        file.addTrack().note(0, 60, 100, 0, end);
    }
    return file;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

std::unique_ptr<OpenedSong> openSong(const QString &path)
{
    auto song = std::make_unique<OpenedSong>();
    song->stream = audio::MidiStream::openFile(path.toStdString(), {});
    if (!song->stream) {
        return nullptr;
    }
    const lyrics::StreamLyricsSource source(*song->stream);
    song->model.InitLyrics(source);
    song->model.FindMelodyChannel(source);
    return song;
}

void KokTest::open(const fixtures::MidiFileBuilder &file)
{
    m_stream.reset();
    const auto path = std::filesystem::path(m_dir.path().toStdString()) /
                      ("song" + std::to_string(m_songs++) + ".mid");
    ASSERT_TRUE(file.writeTo(path));
    m_stream = audio::MidiStream::openFile(path.string(), {});
    ASSERT_NE(m_stream, nullptr);
    const lyrics::StreamLyricsSource source(*m_stream);
    m_model.resetForNewSong();
    m_model.InitLyrics(source);
    m_model.FindMelodyChannel(source);
}

QByteArray KokTest::kok(const exporting::LyricsFileOptions &options) const
{
    return exporting::BuildLyricsText(m_stream->file(), m_model, options);
}

QByteArray KokTest::kokOf(std::initializer_list<Syl> syllables,
                          const exporting::LyricsFileOptions &options)
{
    open(songWith(syllables));
    if (!m_stream) {
        return QByteArrayLiteral("<song not opened>");
    }
    return kok(options);
}

} // namespace melorit::testing
