#pragma once

#include "lyrics/Charset.h"
#include "lyrics/LyricsSource.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace melorit::lyrics {

struct LyricSyllable {
    std::int32_t Line = 0;      // 1-based display line
    std::int32_t Start = 0;     // bytes of the line before this syllable
    std::int32_t Length = 0;    // bytes of the syllable
    double Time = 0;            // seconds from the start of the song
    std::int32_t MarkIndex = 0; // index among all marks of the lyric type
    std::int32_t BytePos = 0;   // position in the decoded song, bytes
    std::int32_t Tick = 0;
};

struct LyricLine {
    QByteArray LineText; // raw bytes; ConvertCharset for display
    std::int32_t LineBytePos = 0;
    std::int32_t LineTick = 0;
    float LineTime = 0;
};

// The timed lyrics of the open song: which track and kind of event carry
// them, the syllables and display lines, title and artist from "@T" events,
// the text encoding and the channel that plays the sung melody. Rebuilt for
// each song; texts are kept as the file's bytes.
class LyricsModel {
public:
    // Called with a mark index when a lyric of the lyrics track is reached.
    using DisplayHandler = std::function<void(int markIndex)>;

    // Opening a song: forget the old detection results.
    void resetForNewSong();

    // The analysis run when a song opens: FindLyricsTrack, then LoadLyrics.
    void InitLyrics(const LyricsSource &song);
    void FindLyricsTrack(const LyricsSource &song);
    void LoadLyrics(const LyricsSource &song);
    void FindMelodyChannel(const LyricsSource &song);

    // The stream's lyric notification: forwards marks of the lyrics track
    // (past position 0) to the display handler.
    void LyricSync(const LyricsSource &song, int markIndex, int markType) const;
    void setDisplayHandler(DisplayHandler handler) { m_display = std::move(handler); }

    int LyricsTrack() const { return m_lyricsTrack; }
    int LyricMarkType() const { return m_markType; }
    // The notification type that matches the mark type.
    std::uint32_t LyricSyncType() const;
    int nCanalLyrics() const { return m_melodyChannel; }
    void setMelodyChannel(int channel) { m_melodyChannel = channel; }

    const QByteArray &TagTitle() const { return m_title; }
    const QByteArray &TagArtist() const { return m_artist; }

    int SyllableCount() const { return static_cast<int>(m_syllables.size()); }
    // 1-based, as everywhere the tables are read.
    const LyricSyllable &syllable(int index) const { return m_syllables[index - 1]; }
    int LineCount() const { return static_cast<int>(m_lines.size()); }
    const LyricLine &line(int index) const { return m_lines[index - 1]; }
    std::int32_t MinLineGap() const { return m_minLineGap; }

    // Raw bytes of a syllable, cut from its line.
    QByteArray syllableBytes(int index) const;

    CharsetDetector &charset() { return m_charset; }
    const CharsetDetector &charset() const { return m_charset; }
    QString ConvertCharset(const QByteArray &text) const { return m_charset.ConvertCharset(text); }

private:
    struct LineBuilder;
    void closeLine(LineBuilder &b, bool mayInitialiseGap);
    void settleTrailingEmptySyllables();
    int nearestSyllable(std::int64_t tick) const;

    int m_lyricsTrack = -1;
    int m_markType = -1;
    int m_melodyChannel = -1;
    QByteArray m_title;
    QByteArray m_artist;
    std::vector<LyricSyllable> m_syllables;
    std::vector<LyricLine> m_lines;
    std::int32_t m_minLineGap = 0; // carried over from song to song
    CharsetDetector m_charset;
    DisplayHandler m_display;
};

} // namespace melorit::lyrics
